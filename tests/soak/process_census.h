#pragma once
// The three measures by which the soak sees a leak in the running program: its GDI objects (the
// program's own live count; the window system's count reads 0 under Wine), its USER objects
// (its windows, top-level and child) and its memory (the process's anonymous resident memory,
// which the platform reads from the Linux process under Wine).
#include <windows.h>

#include <string>
#include <vector>

class TuvoProcess;

struct ProcessCensus {
    long gdiObjects = 0;
    long windows = 0;
    SIZE_T privateBytes = 0;  // anonymous resident memory: what a heap leak grows
    SIZE_T workingSet = 0;    // all resident memory, for the record
};

// How far a measure may end above where it started and still count as steady.
struct CensusTolerance {
    long gdiObjects = 0;  // exact: every object the program makes is counted
    long windows = 0;     // exact: the program makes a fixed set of windows per mode
    // The heap grows in whole pages and keeps freed blocks for reuse, and the platform's drawing
    // libraries keep caches, so memory moves a little without any leak: in "Ribbon" it grows
    // by steps of about 0.4 MiB over the first 16,000 ticks, then stays flat for 24,000 more;
    // a full soak ends at most 0.31 MiB above its start. A leak of 105 bytes per tick passes a
    // MiB within one mode's 10,000 ticks.
    SIZE_T privateBytes = 1024 * 1024;
};

ProcessCensus TakeCensus(const TuvoProcess& tuvo);

// All windows of the process: its top-level windows and every window inside them.
long WindowCountOf(DWORD pid);

// The names of the measures ("GDI objects", "windows", "memory") that grew from before to after
// by more than the tolerance.
std::vector<std::string> MeasuresThatGrew(const ProcessCensus& before, const ProcessCensus& after,
                                          const CensusTolerance& tolerance = {});

std::string Describe(const ProcessCensus& census);
