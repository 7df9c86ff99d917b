#pragma once
// The program's command-line switches and the folder of its own path.
#include <string>
#include <vector>

// Each flag starts at 0 and becomes 1 once its switch is seen; nothing clears it.
struct SwitchFlags {
    int debugMode = 0;      // "-D119": trace console, console control handler, final pause
    int readWriteMode = 0;  // "-RW": only reported
    int noExtentFrame = 0;  // "-NOEXFRAME": only reported
};

// Tests every argument, argument 0 (the program path) included, against the three switches: a
// whole-argument, case-sensitive match. Sets the flags and returns the lines announcing each
// switch as it is seen, in order, once per occurrence.
std::vector<const char*> ReadSwitches(const std::vector<std::wstring>& args, SwitchFlags& flags);

// The start-up banner followed by one line per switch that is on.
std::vector<const char*> StartupSummaryLines(const SwitchFlags& flags);

// The folder part of the program path: the text before the last backslash, or empty when there
// is none. Forward slashes are not separators here.
std::wstring FolderOfProgramPath(const std::wstring& programPath);
