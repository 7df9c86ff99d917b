// Process-level figures of the real Tuvo.exe, run by scripts/bench.sh under Wine: start-up time
// to a visible panel, and one long run per mode, during which the script reads the CPU time of
// Tuvo, the Wine server and the X server from the Linux side (Wine reports no CPU times of
// another process). The same pointer driver also runs once with no Tuvo at all, for each
// pointer state: what the driver alone costs both servers is the baseline of every mode.
// Lines on standard output, one figure each (a run is a mode and a pointer state):
//   startup <ms>                                 one measured start
//   sample <begin|end> <mode> <pointer> <pid>    the script reads the processes now and answers
//                                                on stdin; mode "none" and pid 0: no Tuvo
//   overlay <mode> <pointer> <0|1>               whether a layered window of Tuvo was showing
//   peak <mode> <pointer> <bytes>                peak working set (GetProcessMemoryInfo)
// Usage: tuvo_process_bench [seconds per run] [measured starts]. TUVO_BENCH_PROGRAM names another
// Tuvo.exe to measure (a Windows path), for a before-and-after comparison.
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
    int button;   // 0: no Tuvo, the driver alone
    bool moving;  // false: the pointer rests (the driver still puts it every 10 ms)
};

// The runs without Tuvo come first, one per pointer state: every later run is read against the
// one with its pointer state.
const ModeRun kModes[] = {
    {"none", 0, true},
    {"none", 0, false},
    {"OFF", IDC_ROFF, true},
    {"Pemo", IDC_RPEMO, true},
    {"Deka", IDC_RDEKA, true},
    {"Ribbon", IDC_RRIBBON, true},
    {"Ribbon", IDC_RRIBBON, false},
};

const char* PointerState(const ModeRun& mode) { return mode.moving ? "moving" : "still"; }

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
void AskScript(const char* what, const ModeRun& mode, DWORD pid)
{
    std::printf("sample %s %s %s %lu\n", what, mode.name, PointerState(mode),
                static_cast<unsigned long>(pid));
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

TuvoStart StartOfProgramUnderTest()
{
    TuvoStart start;
    if (const wchar_t* program = _wgetenv(L"TUVO_BENCH_PROGRAM")) {
        start.programPath = program;
    }
    return start;
}

// CreateProcess to a visible panel, in milliseconds, polled every millisecond; -1 on failure.
double MeasureStart()
{
    TuvoStart start = StartOfProgramUnderTest();
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

Circle CircleAwayFrom(const Rect& p)
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const bool panelOnLeft = (p.left + p.right) / 2 < screenWidth / 2;
    return Circle{panelOnLeft ? screenWidth * 3 / 4 : screenWidth / 4, screenHeight / 2,
                  std::min(screenWidth, screenHeight) / 5};
}

// Moves the pointer around the circle, one step every 10 ms, for the given time; a pointer
// that rests is put at the same place as often, so the driver does the same work.
void MovePointer(const Circle& c, double durationMs, double& angle, bool moving)
{
    const double end = NowMs() + durationMs;
    while (NowMs() < end) {
        if (moving) {
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

// The driver alone, on the circle of a panel at the screen's top-left corner.
bool RunWithoutTuvo(const ModeRun& mode, double seconds)
{
    const Circle circle = CircleAwayFrom(Rect{0, 0, 0, 0});
    double angle = 0;
    ::SetCursorPos(circle.cx + circle.radius, circle.cy);
    MovePointer(circle, 1000, angle, mode.moving);
    AskScript("begin", mode, 0);
    MovePointer(circle, seconds * 1000, angle, mode.moving);
    AskScript("end", mode, 0);
    return true;
}

bool RunMode(const ModeRun& mode, double seconds)
{
    if (mode.button == 0) {
        return RunWithoutTuvo(mode, seconds);
    }
    TuvoProcess tuvo(StartOfProgramUnderTest());
    if (tuvo.Panel() == nullptr) {
        std::fprintf(stderr, "bench: Tuvo did not start for %s\n", mode.name);
        return false;
    }
    const Circle circle = CircleAwayFrom(RectOf(tuvo.Panel()));
    double angle = 0;
    ::SetCursorPos(circle.cx + circle.radius, circle.cy);
    tuvo.Click(mode.button);
    MovePointer(circle, 1000, angle, mode.moving);  // the mode settles: its overlay shown
    std::printf("overlay %s %s %d\n", mode.name, PointerState(mode),
                OverlayShowing(tuvo.Pid()) ? 1 : 0);

    AskScript("begin", mode, tuvo.Pid());
    MovePointer(circle, seconds * 1000, angle, mode.moving);
    AskScript("end", mode, tuvo.Pid());

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(tuvo.ProcessHandle(), &memory, sizeof memory);
    std::printf("peak %s %s %llu\n", mode.name, PointerState(mode),
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
    if (starts > 0) {
        MeasureStart();
    }
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
