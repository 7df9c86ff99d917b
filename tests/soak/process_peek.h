#pragma once
// Reading another process's state that no window shows.
#include <windows.h>

#include <string>

// The current directory of a running process, as its process parameters hold it (with the
// trailing backslash); empty when it cannot be read.
std::wstring CurrentDirectoryOf(HANDLE process);
