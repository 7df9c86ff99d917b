#include "harness/console_reader.h"

#include <algorithm>

#include "framework/handle.h"

void UseFreshConsole()
{
    ::FreeConsole();
    ::AllocConsole();
}

std::vector<std::wstring> ConsoleLines()
{
    std::vector<std::wstring> lines;
    CHandle out(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr));
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!out || !::GetConsoleScreenBufferInfo(out.Get(), &info)) {
        return lines;
    }
    const int width = info.dwSize.X;
    const int rows = info.dwCursorPosition.Y + 1;
    std::wstring row(static_cast<size_t>(width), L' ');
    for (SHORT y = 0; y < rows; ++y) {
        DWORD read = 0;
        ::ReadConsoleOutputCharacterW(out.Get(), &row[0], static_cast<DWORD>(width), COORD{0, y},
                                      &read);
        std::wstring line = row.substr(0, read);
        line.erase(line.find_last_not_of(L' ') + 1);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::wstring> ConsoleLinesOf(DWORD pid, const std::wstring& expectedLine)
{
    std::vector<std::wstring> lines = ConsoleLines();
    if (std::find(lines.begin(), lines.end(), expectedLine) != lines.end()) {
        return lines;
    }
    // On Windows the program's own console is a different one: attach to it to read it.
    ::FreeConsole();
    if (!::AttachConsole(pid)) {
        return lines;
    }
    return ConsoleLines();
}
