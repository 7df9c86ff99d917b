// Where the program is started from: a path longer than 260 characters, a drive's root, a bare
// name and paths written with forward slashes. Each start sets the working directory to the
// folder before the last backslash of argument 0 (or leaves it alone when there is none), says
// so in its debug trace, and runs and closes as usual; with the long path the About box still
// finds the version.
//
// Wine cannot create a process from an executable path longer than 260 characters (the call
// fails with ERROR_INVALID_NAME, or ERROR_FILE_NOT_FOUND when the name is relative to a long
// current directory). So the long case runs the program from its usual place with argument 0
// naming a copy of it in the long folder, as a starter that passes the application name apart
// from the command line does: what start-up reads is then the long path.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/handle.h"
#include "harness/console_reader.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"
#include "soak/process_peek.h"

namespace {

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

// The directory the program inherits: on another drive than C: (so that the bare drive "C:"
// means that drive's root) and not the folder of any path below.
std::wstring InheritedDirectory()
{
    return FolderOf(FolderOf(FolderOf(TuvoProcess::DefaultProgramPath())));
}

// A console of this test's own, wide enough that the longest trace line fits on one row.
void UseWideConsole()
{
    UseFreshConsole();
    CHandle out(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr));
    ::SetConsoleScreenBufferSize(out.Get(), COORD{1024, 200});
}

// A copy of Tuvo.exe somewhere else, removed again with the folders made for it.
class ProgramCopy {
public:
    explicit ProgramCopy(const std::wstring& path) : m_path(path)
    {
        std::wstring folder = FolderOf(path);
        std::vector<std::wstring> missing;
        while (folder.size() > 3 && ::GetFileAttributesW(Long(folder).c_str()) ==
                                        INVALID_FILE_ATTRIBUTES) {
            missing.push_back(folder);
            folder = FolderOf(folder);
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            ::CreateDirectoryW(Long(*it).c_str(), nullptr);
            m_made.insert(m_made.begin(), *it);
        }
        m_copied = ::CopyFileW(Long(TuvoProcess::DefaultProgramPath()).c_str(),
                               Long(path).c_str(), FALSE) != FALSE;
    }
    ~ProgramCopy()
    {
        ::DeleteFileW(Long(m_path).c_str());
        for (const std::wstring& folder : m_made) {
            ::RemoveDirectoryW(Long(folder).c_str());
        }
    }
    bool Copied() const { return m_copied; }

private:
    // The form of a path that is not held to 260 characters.
    static std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }

    std::wstring m_path;
    std::vector<std::wstring> m_made;  // innermost first
    bool m_copied = false;
};

std::wstring LongFolder()
{
    std::wstring folder = FolderOf(TuvoProcess::DefaultProgramPath()) + L"\\soak";
    while (folder.size() <= 280) {
        folder += L"\\a folder name long enough to pass the old limit soon";
    }
    return folder;
}

struct StartCase {
    const char* how;
    std::wstring copy;         // a copy of the program made here first, when not empty
    std::wstring program;      // the executable that runs
    std::wstring commandLine;  // as the starter wrote it
    std::wstring folder;       // shown in the trace line
    std::wstring directory;    // the working directory it ends with, without trailing backslash
    bool checkAboutBox;
};

std::vector<StartCase> StartCases()
{
    const std::wstring program = TuvoProcess::DefaultProgramPath();
    const std::wstring folder = FolderOf(program);
    std::wstring slashed = program;
    std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
    std::wstring mixed = program;
    mixed[mixed.rfind(L'\\')] = L'/';
    const std::wstring longFolder = LongFolder();
    const std::wstring longProgram = longFolder + L"\\Tuvo.exe";
    return {
        // Past the old limit the platform may refuse the directory; then the inherited one
        // stays, as for any failing change of directory.
        {"from a path longer than 260 characters", longProgram, program,
         L"\"" + longProgram + L"\" -D119", longFolder, L"", true},
        {"from a drive's root", L"C:\\Tuvo.exe", L"C:\\Tuvo.exe", L"\"C:\\Tuvo.exe\" -D119",
         L"C:", L"C:\\", false},
        {"by a bare name", L"", program, L"Tuvo.exe -D119", L"", InheritedDirectory(), false},
        {"through forward slashes", L"", program, L"\"" + slashed + L"\" -D119", L"",
         InheritedDirectory(), false},
        {"through a path with one forward slash", L"", program, L"\"" + mixed + L"\" -D119",
         FolderOf(folder), FolderOf(folder), false},
    };
}

std::wstring WithoutTrailingBackslash(std::wstring path)
{
    if (path.size() > 3 && path.back() == L'\\') {  // a drive root keeps its backslash
        path.pop_back();
    }
    return path;
}

}  // namespace

TEST(StartPath, SetsTheWorkingDirectoryFromArgumentZeroWhereverItStarts)
{
    for (const StartCase& c : StartCases()) {
        SCOPED_TRACE(c.how);
        std::unique_ptr<ProgramCopy> copy;
        if (!c.copy.empty()) {
            copy = std::make_unique<ProgramCopy>(c.copy);
            ASSERT_TRUE(copy->Copied());
        }
        UseWideConsole();
        TuvoStart start;
        start.programPath = c.program;
        start.commandLine = c.commandLine;
        start.workingDirectory = InheritedDirectory();
        TuvoProcess tuvo(start);
        ASSERT_TRUE(tuvo.Started());
        ASSERT_NE(tuvo.Panel(), nullptr);

        const std::wstring expectedLine = L"CurrentDir=" + c.folder;
        std::vector<std::wstring> lines;
        WaitUntil([&] {
            lines = ConsoleLinesOf(tuvo.Pid(), L"PORTABLE VERSION START");
            return std::find(lines.begin(), lines.end(), expectedLine) != lines.end();
        }, 5000);
        const auto traced = std::find_if(lines.begin(), lines.end(), [](const std::wstring& l) {
            return l.rfind(L"CurrentDir=", 0) == 0;
        });
        ASSERT_NE(traced, lines.end()) << "no CurrentDir= line";
        EXPECT_EQ(*traced, expectedLine);

        const std::wstring directory =
            WithoutTrailingBackslash(CurrentDirectoryOf(tuvo.ProcessHandle()));
        if (c.directory.empty()) {
            EXPECT_TRUE(directory == c.folder || directory == InheritedDirectory())
                << testing::PrintToString(directory);
        } else {
            EXPECT_EQ(directory, c.directory);
        }

        if (c.checkAboutBox) {
            ::PostMessageW(tuvo.MainWindow(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
            const MessageBoxSeen box = WaitForMessageBox(tuvo.Pid(), L"バージョン情報 Tuvo");
            ASSERT_NE(box.window, nullptr);
            EXPECT_EQ(WindowText(::GetDlgItem(box.window, IDC_STATIC_VERSION)),
                      L"Glimvane Ver.:1-0-1-100");
            PressOk(box.window);
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.window); }));
        }

        DWORD exitCode = 1234;
        ASSERT_TRUE(tuvo.Close(15000, &exitCode));
        EXPECT_EQ(exitCode, 0u);
    }
}
