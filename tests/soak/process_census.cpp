#include "soak/process_census.h"

#include <psapi.h>

#include <cstdio>

#include "harness/tuvo_process.h"
#include "harness/windows.h"

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<long*>(lParam);
    return TRUE;
}

}  // namespace

long WindowCountOf(DWORD pid)
{
    long count = 0;
    for (HWND top : TopLevelWindowsOf(pid)) {
        ++count;
        ::EnumChildWindows(top, &CountChild, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

ProcessCensus TakeCensus(const TuvoProcess& tuvo)
{
    ProcessCensus census;
    census.gdiObjects = tuvo.LiveGdiObjects();
    census.windows = WindowCountOf(tuvo.Pid());
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(tuvo.ProcessHandle(),
                               reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                               sizeof memory)) {
        census.privateBytes = memory.PagefileUsage;
        census.workingSet = memory.WorkingSetSize;
    }
    return census;
}

std::vector<std::string> MeasuresThatGrew(const ProcessCensus& before, const ProcessCensus& after,
                                          const CensusTolerance& tolerance)
{
    std::vector<std::string> grew;
    if (after.gdiObjects - before.gdiObjects > tolerance.gdiObjects) {
        grew.push_back("GDI objects");
    }
    if (after.windows - before.windows > tolerance.windows) {
        grew.push_back("windows");
    }
    if (after.privateBytes > before.privateBytes + tolerance.privateBytes) {
        grew.push_back("memory");
    }
    return grew;
}

std::string Describe(const ProcessCensus& census)
{
    char text[160];
    std::snprintf(text, sizeof text,
                  "%ld GDI objects, %ld windows, %.2f MiB private, %.2f MiB resident",
                  census.gdiObjects, census.windows, census.privateBytes / 1048576.0,
                  census.workingSet / 1048576.0);
    return text;
}
