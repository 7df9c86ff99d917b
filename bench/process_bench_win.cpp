// Process-level figures of the real Tuvo.exe, run by scripts/bench.sh under Wine: start-up time
// to a visible panel, and one long run per mode with the pointer moving, during which the
// script reads the process's CPU time from the Linux side (Wine reports no CPU times of another
// process). Lines on standard output, one figure each:
//   startup <ms>                     one measured start
//   sample <begin|end> <mode> <pid>  the script reads the process now and answers on stdin
//   overlay <mode> <0|1>             whether a layered window of the process was showing
//   peak <mode> <bytes>              peak working set (GetProcessMemoryInfo) of that run
// Usage: tuvo_process_bench [seconds per mode] [measured starts]; TUVO_BENCH_STILL: see below.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

struct ModeRun {
    const char* name;
    int button;
};

// One row per mode; the OFF run is the baseline the others are read against.
const ModeRun kModes[] = {
    {"OFF", IDC_ROFF},
    {"Pemo", IDC_RPEMO},
    {"Deka", IDC_RDEKA},
    {"Ribbon", IDC_RRIBBON},
};

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Hands a line to the script and waits for its answer, so that it reads the process now.
void AskScript(const char* what, const char* mode, DWORD pid)
{
    std::printf("sample %s %s %lu\n", what, mode, static_cast<unsigned long>(pid));
    std::fflush(stdout);
    char line[64];
    if (std::fgets(line, sizeof line, stdin) == nullptr) {
        std::fprintf(stderr, "bench: no answer from the script\n");
        std::exit(1);
    }
}

// Polls every millisecond (the harness's own wait polls every 5 ms, too coarse for a start).
template <typename Predicate>
bool PollEveryMs(Predicate pred, double timeoutMs = 20000)
{
    const double deadline = NowMs() + timeoutMs;
    while (!pred()) {
        if (NowMs() > deadline) {
            return false;
        }
        ::Sleep(1);
    }
    return true;
}

// The main window and its panel, both visible: what a user sees when the program has started.
bool PanelVisible(DWORD pid)
{
    HWND main = FindTopLevelWindow(pid, L"Tuvo", L"#32770");
    if (main == nullptr || !::IsWindowVisible(main)) {
        return false;
    }
    HWND panel = ::FindWindowExW(main, nullptr, L"#32770", nullptr);
    return panel != nullptr && ::IsWindowVisible(panel);
}

// CreateProcess to a visible panel, in milliseconds, polled every millisecond; -1 on failure.
double MeasureStart()
{
    TuvoStart start;
    start.waitForMainWindow = false;
    const double begin = NowMs();
    TuvoProcess tuvo(start);
    if (!tuvo.Started() || !PollEveryMs([&] { return PanelVisible(tuvo.Pid()); })) {
        return -1;
    }
    const double elapsed = NowMs() - begin;
    // This object knows no main window (it did not wait for one): close the program here.
    ::PostMessageW(FindTopLevelWindow(tuvo.Pid(), L"Tuvo", L"#32770"), WM_CLOSE, 0, 0);
    tuvo.WaitForExit(15000);
    return elapsed;
}

// A circle on the half of the screen away from the panel, so the overlays stay shown.
struct Circle {
    int cx;
    int cy;
    int radius;
};

Circle CircleAwayFrom(HWND panel)
{
    const Rect p = RectOf(panel);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const bool panelOnLeft = (p.left + p.right) / 2 < screenWidth / 2;
    return Circle{panelOnLeft ? screenWidth * 3 / 4 : screenWidth / 4, screenHeight / 2,
                  std::min(screenWidth, screenHeight) / 5};
}

// Moves the pointer around the circle, one step every 10 ms, for the given time. With
// TUVO_BENCH_STILL set it stays where it is, for the cost of the ticks without the movement.
void MovePointer(const Circle& c, double durationMs, double& angle)
{
    static const bool still = std::getenv("TUVO_BENCH_STILL") != nullptr;
    const double end = NowMs() + durationMs;
    while (NowMs() < end) {
        if (!still) {
            angle += 0.05;
        }
        ::SetCursorPos(c.cx + static_cast<int>(c.radius * std::cos(angle)),
                       c.cy + static_cast<int>(c.radius * std::sin(angle)));
        ::Sleep(10);
    }
}

// True when a layered top-level window of the process is visible: the mode's overlay.
bool OverlayShowing(DWORD pid)
{
    for (HWND w : TopLevelWindowsOf(pid)) {
        if (::IsWindowVisible(w) && (ExStyleOf(w) & WS_EX_LAYERED) != 0) {
            return true;
        }
    }
    return false;
}

bool RunMode(const ModeRun& mode, double seconds)
{
    TuvoProcess tuvo;
    if (tuvo.Panel() == nullptr) {
        std::fprintf(stderr, "bench: Tuvo did not start for %s\n", mode.name);
        return false;
    }
    const Circle circle = CircleAwayFrom(tuvo.Panel());
    double angle = 0;
    ::SetCursorPos(circle.cx + circle.radius, circle.cy);
    tuvo.Click(mode.button);
    MovePointer(circle, 1000, angle);  // the mode settles: its overlay made and shown
    std::printf("overlay %s %d\n", mode.name, OverlayShowing(tuvo.Pid()) ? 1 : 0);

    AskScript("begin", mode.name, tuvo.Pid());
    MovePointer(circle, seconds * 1000, angle);
    AskScript("end", mode.name, tuvo.Pid());

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(tuvo.ProcessHandle(), &memory, sizeof memory);
    std::printf("peak %s %llu\n", mode.name,
                static_cast<unsigned long long>(memory.PeakWorkingSetSize));
    std::fflush(stdout);
    return tuvo.Close();
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 30.0;
    const int starts = argc > 2 ? std::atoi(argv[2]) : 7;

    // The first start fills the system's caches; it is not counted.
    MeasureStart();
    for (int i = 0; i < starts; ++i) {
        std::printf("startup %.1f\n", MeasureStart());
        std::fflush(stdout);
    }
    for (const ModeRun& mode : kModes) {
        if (!RunMode(mode, seconds)) {
            return 1;
        }
    }
    return 0;
}
