// Process-level figures of the real Tuvo.exe, run by scripts/bench.sh under Wine: start-up time
// to a visible panel, and one long run per mode, during which the script reads the CPU time of
// Tuvo, the Wine server and the X server from the Linux side (Wine reports no CPU times of
// another process). The same pointer driver also runs once with no Tuvo at all, for each
// pointer state: what the driver alone costs both servers is the baseline of every mode. Then
// the platform floors run in Tuvo's place, each a bare window program that makes only the
// platform calls of one part of a tick (bench/floor_scenarios.h), measured the same way.
// Lines on standard output, one figure each (a run is a mode or a floor, and a pointer state):
//   startup <ms>                                 one measured start
//   label <run> <text>                           a floor's row in the table
//   sample <begin|end> <run> <pointer> <pid> <image>
//                                                the script reads the processes now and answers
//                                                on stdin; run "none", pid 0 and image "-": no
//                                                program, the driver alone
//   overlay <run> <pointer> <0|1>                1: the run's overlay showed as it should at the
//                                                end (OverlayAsExpected)
//   peak <mode> <pointer> <bytes>                Tuvo's peak working set (GetProcessMemoryInfo)
// Usage: tuvo_process_bench [seconds per run] [measured starts]. TUVO_BENCH_PROGRAM names another
// Tuvo.exe to measure (a Windows path), for a before-and-after comparison. TUVO_BENCH_FLOORS
// chooses the floors: unset, every one but the variants; "all"; "none"; or names.
// TUVO_BENCH_MODES=none leaves out Tuvo's own runs.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "bench/floor_scenarios.h"
#include "harness/screen_capture.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

struct ModeRun {
    const char* name;
    int button;   // 0: no Tuvo, the driver alone (or a floor in its place)
    bool moving;  // false: the pointer rests (the driver still puts it every 10 ms)
    FloorOverlay overlay = FloorOverlay::None;  // the window the run shows
    const FloorScenario* floor = nullptr;       // run in Tuvo's place
};

// The runs without Tuvo come first, one per pointer state: every later run is read against the
// one with its pointer state.
const ModeRun kModes[] = {
    {"none", 0, true},
    {"none", 0, false},
    {"OFF", IDC_ROFF, true},
    {"Pemo", IDC_RPEMO, true, FloorOverlay::Highlight},
    {"Deka", IDC_RDEKA, true, FloorOverlay::Lens},
    {"Ribbon", IDC_RRIBBON, true, FloorOverlay::Trail},
    {"Ribbon", IDC_RRIBBON, false, FloorOverlay::Trail},
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

std::string Narrow(const std::wstring& text)
{
    std::string narrow(text.size() * 4, '\0');
    narrow.resize(::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                        narrow.data(), static_cast<int>(narrow.size()), nullptr,
                                        nullptr));
    return narrow;
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

// Hands a line to the script and waits for its answer, so that it reads the process now. The
// script finds the process by its image name, the Linux side's name of it.
void AskScript(const char* what, const ModeRun& mode, DWORD pid, const std::wstring& image)
{
    std::printf("sample %s %s %s %lu %s\n", what, mode.name, PointerState(mode),
                static_cast<unsigned long>(pid), image.empty() ? "-" : Narrow(image).c_str());
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
    start.programPath = TuvoProcess::DefaultProgramPath();
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

// A visible layered top-level window of the process: the mode's overlay; null for none.
HWND ShownOverlay(DWORD pid)
{
    for (HWND w : TopLevelWindowsOf(pid)) {
        if (::IsWindowVisible(w) && (ExStyleOf(w) & WS_EX_LAYERED) != 0) {
            return w;
        }
    }
    return nullptr;
}

bool IsYellow(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 60; }

// The run's overlay as the screen shows it at a pointer that has come to rest: shown around the
// pointer, centred for the highlight and the lens, and the highlight a yellow disc (the corner
// of its square not yellow). None shown in OFF. Every form of the calls that the floors compare
// must pass, or its figures are not those of the same result. The trail's picture is not
// checked here: Wine's screen read leaves out what GDI+ drew into a colour-keyed window (an X
// screenshot shows it), and the lens paints nothing without a magnifier.
bool OverlayAsExpected(DWORD pid, FloorOverlay overlay)
{
    const HWND shown = ShownOverlay(pid);
    if (overlay == FloorOverlay::None || shown == nullptr) {
        return (overlay == FloorOverlay::None) == (shown == nullptr);
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const Point p{cursor.x, cursor.y};
    const Rect r = RectOf(shown);
    const bool centred = r.left + r.Width() / 2 == p.x && r.top + r.Height() / 2 == p.y;
    switch (overlay) {
    case FloorOverlay::Highlight: {
        const ScreenCapture screen;
        return centred && IsYellow(screen.At(p)) && !IsYellow(screen.At(Point{r.left, r.top}));
    }
    case FloorOverlay::Lens:
        return centred;
    case FloorOverlay::Trail:
        return PointInRect(r, p);
    case FloorOverlay::None:
        break;
    }
    return false;
}

// The measured part of a run, the same for Tuvo and a floor: the pointer goes round the circle
// for a second while the program settles, then for the run's time between the script's two
// samples; then it rests for a few ticks and the overlay is checked. pid 0: no program, the
// driver alone.
void MeasureRun(const ModeRun& mode, const Circle& circle, DWORD pid, const std::wstring& image,
                double seconds)
{
    double angle = 0;
    ::SetCursorPos(circle.cx + circle.radius, circle.cy);
    MovePointer(circle, 1000, angle, mode.moving);
    AskScript("begin", mode, pid, image);
    MovePointer(circle, seconds * 1000, angle, mode.moving);
    AskScript("end", mode, pid, image);
    if (pid != 0) {
        MovePointer(circle, 250, angle, false);
        std::printf("overlay %s %s %d\n", mode.name, PointerState(mode),
                    OverlayAsExpected(pid, mode.overlay) ? 1 : 0);
    }
}

// A panel at the screen's top-left corner: where Tuvo's opens, and the floors' panel window.
Circle CircleAwayFromTopLeft() { return CircleAwayFrom(Rect{0, 0, 0, 0}); }

bool RunTuvo(const ModeRun& mode, double seconds)
{
    const TuvoStart start = StartOfProgramUnderTest();
    TuvoProcess tuvo(start);
    if (tuvo.Panel() == nullptr) {
        std::fprintf(stderr, "bench: Tuvo did not start for %s\n", mode.name);
        return false;
    }
    const Circle circle = CircleAwayFrom(RectOf(tuvo.Panel()));
    ::SetCursorPos(circle.cx + circle.radius, circle.cy);
    tuvo.Click(mode.button);  // the mode settles in MeasureRun's first second: its overlay shown
    MeasureRun(mode, circle, tuvo.Pid(), FileNameOf(start.programPath), seconds);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(tuvo.ProcessHandle(), &memory, sizeof memory);
    std::printf("peak %s %s %llu\n", mode.name, PointerState(mode),
                static_cast<unsigned long long>(memory.PeakWorkingSetSize));
    std::fflush(stdout);
    return tuvo.Close();
}

// A floor in Tuvo's place, started beside this program and closed through its panel window.
bool RunFloor(const ModeRun& mode, double seconds)
{
    const std::wstring program = TuvoProcess::DefaultProgramPath();
    TuvoStart start;
    start.programPath = program.substr(0, program.rfind(L'\\') + 1) + kFloorProgram;
    start.arguments.assign(mode.name, mode.name + std::strlen(mode.name));
    start.waitForMainWindow = false;
    TuvoProcess floor(start);  // the harness starts any program
    HWND panel = nullptr;
    if (!floor.Started() || !PollEveryMs([&] {
            panel = FindTopLevelWindow(floor.Pid(), kFloorPanelTitle);
            return panel != nullptr && ::IsWindowVisible(panel);
        })) {
        std::fprintf(stderr, "bench: the floor %s did not start\n", mode.name);
        return false;
    }
    MeasureRun(mode, CircleAwayFromTopLeft(), floor.Pid(), kFloorProgram, seconds);
    ::PostMessageW(panel, WM_CLOSE, 0, 0);
    return floor.WaitForExit(15000);
}

bool RunMode(const ModeRun& mode, double seconds)
{
    if (mode.floor != nullptr) {
        return RunFloor(mode, seconds);
    }
    if (mode.button == 0) {
        MeasureRun(mode, CircleAwayFromTopLeft(), 0, L"", seconds);
        return true;
    }
    return RunTuvo(mode, seconds);
}

// The floors TUVO_BENCH_FLOORS asks for: unset, every one but the variants; else the named
// ones in their order, "all" for every one, "none" for none. False for a name not in the table.
bool ChosenFloors(std::vector<const FloorScenario*>& chosen)
{
    const char* names = std::getenv("TUVO_BENCH_FLOORS");
    std::istringstream words(names != nullptr ? names : "");
    for (std::string name; words >> name;) {
        if (name == "all") {
            for (const FloorScenario& scenario : kFloorScenarios) {
                chosen.push_back(&scenario);
            }
        } else if (const FloorScenario* scenario = FindFloorScenario(name.c_str())) {
            chosen.push_back(scenario);
        } else if (name != "none") {
            std::fprintf(stderr, "bench: TUVO_BENCH_FLOORS: no floor %s\n", name.c_str());
            return false;
        }
    }
    if (names == nullptr) {
        for (const FloorScenario& scenario : kFloorScenarios) {
            if (!scenario.variant) {
                chosen.push_back(&scenario);
            }
        }
    }
    return true;
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
    std::vector<const FloorScenario*> floors;
    if (!ChosenFloors(floors)) {
        return 1;
    }
    // TUVO_BENCH_MODES=none: the floors alone, against the driver's own runs.
    const char* modes = std::getenv("TUVO_BENCH_MODES");
    const bool tuvoToo = modes == nullptr || std::string(modes) != "none";
    std::vector<ModeRun> runs;
    for (const ModeRun& mode : kModes) {
        if (tuvoToo || mode.button == 0) {
            runs.push_back(mode);
        }
    }
    for (const FloorScenario* floor : floors) {
        std::printf("label %s %s\n", floor->name, floor->label);
        runs.push_back(ModeRun{floor->name, 0, true, floor->overlay, floor});
        if (floor->restsToo) {
            runs.push_back(ModeRun{floor->name, 0, false, floor->overlay, floor});
        }
    }
    std::fflush(stdout);
    for (const ModeRun& mode : runs) {
        if (!RunMode(mode, seconds)) {
            return 1;
        }
    }
    return 0;
}
