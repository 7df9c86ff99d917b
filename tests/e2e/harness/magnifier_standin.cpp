#include "harness/magnifier_standin.h"

#include <cstdlib>
#include <sstream>

#include "framework/handle.h"
#include "harness/screen_capture.h"

namespace {

const wchar_t kProgram[] = L"Tuvo.exe";
const wchar_t kLibrary[] = L"Magnification.dll";
const wchar_t kLog[] = L"magnifier-calls.log";

const wchar_t* FolderOf(StandIn variant)
{
    switch (variant) {
    case StandIn::WithoutSource:
        return L"magnifier-without-source";
    case StandIn::FailingStart:
        return L"magnifier-failing-start";
    case StandIn::Complete:
    default:
        return L"magnifier";
    }
}

MagnifierCall Parse(const std::string& line)
{
    MagnifierCall call;
    call.line = line;
    call.name = line.substr(0, line.find(' '));
    return call;
}

// The text after " key=" up to the next blank.
bool FieldText(const std::string& line, const char* key, std::string* text)
{
    const std::string marker = std::string(" ") + key + "=";
    const size_t at = line.find(marker);
    if (at == std::string::npos) {
        return false;
    }
    const size_t begin = at + marker.size();
    *text = line.substr(begin, line.find(' ', begin) - begin);
    return true;
}

}  // namespace

bool MagnifierCall::Has(const char* key) const
{
    std::string text;
    return FieldText(line, key, &text);
}

std::vector<double> MagnifierCall::Numbers(const char* key) const
{
    std::vector<double> numbers;
    std::string text;
    if (!FieldText(line, key, &text)) {
        return numbers;
    }
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        numbers.push_back(std::strtod(item.c_str(), nullptr));
    }
    return numbers;
}

long long MagnifierCall::Int(const char* key) const
{
    const std::vector<double> numbers = Numbers(key);
    return numbers.size() == 1 ? static_cast<long long>(numbers[0]) : -1;
}

HWND MagnifierCall::Handle(const char* key) const
{
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(Int(key)));
}

Rect MagnifierCall::RectField(const char* key) const
{
    const std::vector<double> n = Numbers(key);
    if (n.size() != 4) {
        return Rect{};
    }
    return Rect{static_cast<int>(n[0]), static_cast<int>(n[1]), static_cast<int>(n[2]),
                static_cast<int>(n[3])};
}

StandInFolder::StandInFolder(StandIn variant, const std::wstring& program)
    : m_folder(TestProgramFolder() + L"\\lens-standin-run")
{
    ::CreateDirectoryW(m_folder.c_str(), nullptr);
    RemoveFiles();  // what a run that was cut short left behind
    const std::wstring library =
        TestProgramFolder() + L"\\standins\\" + FolderOf(variant) + L"\\" + kLibrary;
    const std::wstring source = program.empty() ? TuvoProcess::DefaultProgramPath() : program;
    m_ready = ::CopyFileW(source.c_str(), (m_folder + L"\\" + kProgram).c_str(), FALSE) &&
              ::CopyFileW(library.c_str(), (m_folder + L"\\" + kLibrary).c_str(), FALSE);
}

StandInFolder::~StandInFolder()
{
    RemoveFiles();
    ::RemoveDirectoryW(m_folder.c_str());
}

void StandInFolder::RemoveFiles() const
{
    for (const wchar_t* name : {kProgram, kLibrary, kLog}) {
        ::DeleteFileW((m_folder + L"\\" + name).c_str());
    }
}

TuvoStart StandInFolder::Start(TuvoStart start) const
{
    start.programPath = m_folder + L"\\" + kProgram;
    return start;
}

std::vector<MagnifierCall> StandInFolder::Calls() const
{
    std::vector<MagnifierCall> calls;
    CHandle file(::CreateFileW((m_folder + L"\\" + kLog).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return calls;
    }
    std::string text;
    char buffer[8192];
    DWORD got = 0;
    while (::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    // Only whole lines: the program may be writing the next one.
    size_t begin = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', begin)) {
        calls.push_back(Parse(text.substr(begin, end - begin)));
        begin = end + 1;
    }
    return calls;
}

std::vector<MagnifierCall> CallsNamed(const std::vector<MagnifierCall>& calls, const char* name)
{
    std::vector<MagnifierCall> named;
    for (const MagnifierCall& call : calls) {
        if (call.name == name) {
            named.push_back(call);
        }
    }
    return named;
}
