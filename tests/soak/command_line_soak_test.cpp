// A thousand generated command lines: long, empty, non-ASCII, quoted every way, the switches in
// every case and with things before and after them. Each start must come up and close with
// exit code 0, and write to its inherited standard output exactly the lines the switches call
// for. The expected lines come from an oracle written here, fed by the shell's own splitting of
// the same line, not from the program's code. The sequence is seeded and can be run again.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "harness/console_reader.h"
#include "harness/tuvo_process.h"
#include "soak/soak_scale.h"

namespace {

const int kCommandLines = 1000;
// The whole command line stays under the platform's limit of 32,767 characters.
const size_t kLongestLine = 32000;

// The switch lines, in argument order, for the arguments the line splits into.
std::string ExpectedSwitchLines(const std::wstring& commandLine)
{
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(commandLine.c_str(), &count);
    std::string lines;
    for (int i = 0; argv != nullptr && i < count; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"-D119") {
            lines += "DEBUGMODE ON\n";
        } else if (arg == L"-RW") {
            lines += "ReadWriteMODE ON\n";
        } else if (arg == L"-NOEXFRAME") {
            lines += "No Extent Frame MODE ON\n";
        }
    }
    ::LocalFree(argv);
    return lines;
}

const wchar_t* const kNonAscii[] = {
    L"－ＲＷ",                  // full-width letters
    L"Tuvoは既に起動されています",
    L"\U0001F600\U0001F4BB",    // outside the basic plane: surrogate pairs
    L"e\u0301\u00E9",           // combining accent beside its precomposed twin
    L"\u0645\u0631\u062D\u0628\u0627",  // right-to-left
    L"-RW\u200B",               // a zero-width space after a switch
    L"\u00A0-RW",               // a no-break space before one
    L"\u2013NOEXFRAME",         // an en dash for the minus
    L"C:\\Program Files\\\u30C4\u30FC\u30EB\\",
};

std::wstring RandomPrintable(SoakRandom& random, size_t length)
{
    std::wstring text;
    text.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        text += static_cast<wchar_t>(L' ' + random.Below(95));  // quotes and backslashes too
    }
    return text;
}

// A switch spelt differently: each letter's case flipped at random, and something before or
// after it now and then. Most spellings no longer match; a few come out exact by chance.
std::wstring Respelt(SoakRandom& random, std::wstring text)
{
    for (wchar_t& c : text) {
        if (random.Chance(30) && std::iswalpha(c)) {
            c = std::iswupper(c) ? std::towlower(c) : std::towupper(c);
        }
    }
    static const wchar_t* const kBefore[] = {L"/", L"--", L"+", L"-", L" "};
    static const wchar_t* const kAfter[] = {L"0", L"1", L"X", L"=1", L":", L" ", L"-"};
    if (random.Chance(30)) {
        text = kBefore[random.Below(5)] + text;
    }
    if (random.Chance(30)) {
        text += kAfter[random.Below(7)];
    }
    return text;
}

// The same text in one of the quoting forms: some of them split back to the bare text
// ("-RW", -R"W", -RW""), others keep literal quotes or backslashes (\"-RW\", "\"-RW\\").
std::wstring Quoted(SoakRandom& random, const std::wstring& text)
{
    switch (random.Below(8)) {
    case 0:
        return L"\"" + text + L"\"";
    case 1:
        return text.size() > 1 ? text.substr(0, 2) + L"\"" + text.substr(2) + L"\"" : text;
    case 2:
        return text + L"\"\"";
    case 3:
        return L"\\\"" + text + L"\\\"";
    case 4:
        return L"\"\\\"" + text + L"\\\\\"";
    case 5:
        return L"\"" + text;  // a quote left open to the end of the line
    default:
        return text;
    }
}

std::wstring Token(SoakRandom& random, bool allowDebugSwitch)
{
    static const wchar_t* const kSwitches[] = {L"-RW", L"-NOEXFRAME", L"-D119"};
    const int switchCount = allowDebugSwitch ? 3 : 2;
    switch (random.Below(10)) {
    case 0:
    case 1:
        return kSwitches[random.Below(switchCount)];
    case 2:
    case 3: {
        // A near miss of the debug switch must still never switch it on by accident.
        std::wstring spelt = Respelt(random, kSwitches[random.Below(3)]);
        if (!allowDebugSwitch && spelt == L"-D119") {
            spelt += L"0";
        }
        return spelt;
    }
    case 4:
        return Quoted(random, kSwitches[random.Below(switchCount)]);
    case 5:
        return kNonAscii[random.Below(static_cast<int>(std::size(kNonAscii)))];
    case 6:
        return L"\"\"";  // an empty argument
    case 7:
        // Long: now and then very long.
        return RandomPrintable(random, random.Chance(5) ? 8000 + random.Below(12000)
                                                         : 50 + random.Below(2000));
    default:
        return RandomPrintable(random, 1 + random.Below(12));
    }
}

// Argument 0: mostly the quoted program path, sometimes bare or replaced by a switch or text,
// since the program path is tested against the switches like every other argument.
std::wstring Argument0(SoakRandom& random, const std::wstring& program)
{
    const int pick = random.Below(100);
    if (pick < 80) {
        return L"\"" + program + L"\"";
    }
    if (pick < 88) {
        return program;
    }
    if (pick < 94) {
        return random.Chance(50) ? L"-RW" : L"\"-NOEXFRAME\"";
    }
    return RandomPrintable(random, 1 + random.Below(30));
}

bool HasDebugSwitch(const std::wstring& commandLine)
{
    return ExpectedSwitchLines(commandLine).find("DEBUGMODE ON") != std::string::npos;
}

std::wstring CommandLine(SoakRandom& random, const std::wstring& program)
{
    static const wchar_t* const kSeparators[] = {L" ", L"\t", L"   ", L" \t "};
    // The debug switch opens a console and pauses at the end: a few lines only.
    const bool allowDebugSwitch = random.Chance(3);
    std::wstring line = Argument0(random, program);
    const int tokens = random.Chance(10) ? 0 : random.Below(12);
    for (int i = 0; i < tokens; ++i) {
        std::wstring token = Token(random, allowDebugSwitch);
        if (line.size() + token.size() + 4 > kLongestLine) {
            break;
        }
        line += kSeparators[random.Below(4)] + token;
    }
    if (random.Chance(10)) {
        line += L"  ";  // trailing blanks
    }
    return line;
}

// Shows a command line in a failure message: escaped, and cut short when long.
std::string Printable(const std::wstring& line)
{
    std::string text;
    for (wchar_t c : line.substr(0, 300)) {
        if (c >= 0x20 && c < 0x7F) {
            text += static_cast<char>(c);
        } else {
            char escaped[12];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            text += escaped;
        }
    }
    if (line.size() > 300) {
        text += "... (" + std::to_string(line.size()) + " characters)";
    }
    return text;
}

}  // namespace

TEST(CommandLineSoak, EveryGeneratedLineStartsAndStopsCleanlyWithItsSwitchLines)
{
    // Debug-mode starts write their console lines into this test's own console, not the log.
    UseFreshConsole();
    const std::wstring program = TuvoProcess::DefaultProgramPath();
    SoakRandom random(SoakSeed());
    const int lines = Scaled(kCommandLines, 30);
    int withSwitchLines = 0;
    int debugStarts = 0;
    size_t longest = 0;
    const ULONGLONG start = ::GetTickCount64();
    for (int i = 0; i < lines; ++i) {
        TuvoStart how;
        how.commandLine = CommandLine(random, program);
        how.captureStdout = true;
        const std::string expected = ExpectedSwitchLines(how.commandLine);
        SCOPED_TRACE("line " + std::to_string(i) + " of seed " + std::to_string(SoakSeed()) +
                     ": " + Printable(how.commandLine));
        withSwitchLines += expected.empty() ? 0 : 1;
        debugStarts += HasDebugSwitch(how.commandLine) ? 1 : 0;
        longest = std::max(longest, how.commandLine.size());

        TuvoProcess tuvo(how);
        ASSERT_TRUE(tuvo.Started());
        ASSERT_NE(tuvo.Panel(), nullptr) << "the main window with its panel came up";
        DWORD exitCode = 1234;
        ASSERT_TRUE(tuvo.Close(15000, &exitCode));
        EXPECT_EQ(exitCode, 0u);
        std::string text = tuvo.CapturedStdout();
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());  // text mode
        EXPECT_EQ(text, expected);
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
    std::printf("soak: %d command lines (%d with switch lines, %d in debug mode, longest %zu "
                "characters) in %.1f s\n",
                lines, withSwitchLines, debugStarts, longest,
                (::GetTickCount64() - start) / 1000.0);
}
