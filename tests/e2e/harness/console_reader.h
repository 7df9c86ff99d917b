#pragma once
// Reads the text of a console screen buffer, line by line, with the trailing blanks removed.
#include <windows.h>

#include <string>
#include <vector>

// Gives this test program a fresh console of its own. A windowed program it starts then shares
// that console under Wine, so the program's debug console can be read back from here.
void UseFreshConsole();

// The lines of the console this program is attached to.
std::vector<std::wstring> ConsoleLines();

// The lines of the console of another process: ours when it shares it, else the one it made.
std::vector<std::wstring> ConsoleLinesOf(DWORD pid, const std::wstring& expectedLine);
