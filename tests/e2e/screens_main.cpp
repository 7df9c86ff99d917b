// Draws every mode of a given Tuvo.exe along one scripted pointer path and saves a screenshot
// after each step, so that two builds can be compared picture by picture
// (scripts/compare_screens.sh):
//
//     tuvo_screens.exe TUVO_EXE OUTPUT_FOLDER
//
// The pictures must not depend on timing. The fault hook library keeps the program's window
// timers (the panel's, which moves the trail, the lens's and the pointer highlight's) from
// starting, so only the ticks sent here move anything. At each step the pointer is placed and
// seen to stay, then the panel, the lens and the highlight (while there is one) each get one
// WM_TIMER 101, in that order, each run to completion before the next is sent; the pointer must
// still be where it was put. The picture is taken once the program has nothing left to paint
// and two screen reads 100 ms apart agree.
//
// Each mode's pictures: <mode>-00 right after the mode is chosen with the pointer at the path's
// start, then one per step (<mode>-01 to -23): seven moves, the fourth onto the panel, where
// every overlay hides, then sixteen ticks with the pointer at rest. Over a checkered backdrop and
// beside the panel they show the mode's overlay: nothing (OFF); the translucent yellow disc on
// the pointer (Pemo); the lens, with the stand-in magnifier's picture of the pointer's
// surroundings at twice the size and the backdrop showing through its black squares (Deka); the
// translucent red trail through the last 15 positions (the panel's ticks record the pointer in
// every mode, so it starts from where Deka's path ended), shrinking into the resting pointer
// until it is gone and then staying gone (Ribbon). The pointer itself is not in them.
// Translucency shows only where a compositor blends the windows: without one the X server, and
// the screen as Wine reads it, show the disc and the trail opaque.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "harness/magnifier_standin.h"
#include "harness/overlay_windows.h"
#include "harness/screen_capture.h"
#include "harness/test_window.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

// The pointer's path: the start, where each mode is chosen, then one point per step. The
// fourth move goes onto the panel (kOverPanel), where every overlay hides; after the last move
// the pointer rests there for kRestTicks more steps: long enough for the trail, which spans the
// last 15 positions, to shrink into the pointer and then stay gone.
const Point kOverPanel{-1, -1};  // stands for a point just inside the panel's corner
const Point kPath[] = {{760, 470}, {800, 500},  {880, 560},   {1000, 610},
                       kOverPanel, {1150, 590}, {1300, 520}, {1420, 460}};
const int kMoves = static_cast<int>(sizeof kPath / sizeof kPath[0]) - 1;
const int kRestTicks = 16;

struct Mode {
    const char* name;
    int radio;
};
const Mode kModes[] = {
    {"OFF", IDC_ROFF}, {"Pemo", IDC_RPEMO}, {"Deka", IDC_RDEKA}, {"Ribbon", IDC_RRIBBON}};

bool Fail(const std::string& what)
{
    std::fprintf(stderr, "screens: %s\n", what.c_str());
    return false;
}

std::string Name(const char* mode, int step)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s-%02d", mode, step);
    return name;
}

bool PointerIsAt(Point p)
{
    POINT now{};
    return ::GetCursorPos(&now) && now.x == p.x && now.y == p.y;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(child);
    return TRUE;
}

// True when no shown window of the program, nor any of their children, waits for a paint.
bool NothingLeftToPaint(DWORD pid)
{
    std::vector<HWND> windows;
    for (HWND w : TopLevelWindowsOf(pid)) {
        if (::IsWindowVisible(w)) {
            windows.push_back(w);
            ::EnumChildWindows(w, &CollectChild, reinterpret_cast<LPARAM>(&windows));
        }
    }
    for (HWND w : windows) {
        if (::GetUpdateRect(w, nullptr, FALSE)) {
            return false;
        }
    }
    return true;
}

class ScreensRun {
public:
    ScreensRun(const TuvoProcess& tuvo, std::wstring folder)
        : m_tuvo(tuvo), m_lens(FindLens(tuvo)), m_folder(std::move(folder))
    {
    }

    bool Walk(const Mode& mode)
    {
        ChooseModeAt(m_tuvo, mode.radio, kPath[0]);
        if (!PointerIsAt(kPath[0])) {
            return Fail(std::string(mode.name) + ": the pointer did not stay at the start");
        }
        if (!Save(Name(mode.name, 0))) {
            return false;
        }
        for (int step = 1; step <= kMoves + kRestTicks; ++step) {
            const Point p = kPath[step <= kMoves ? step : kMoves];
            const std::string name = Name(mode.name, step);
            if (!TickAt(p == kOverPanel ? InsidePanel() : p, name) || !Save(name)) {
                return false;
            }
        }
        return true;
    }

private:
    Point InsidePanel() const
    {
        const Rect panel = RectOf(m_tuvo.Panel());
        return Point{panel.left + 4, panel.top + 4};
    }

    // One tick of every timer the program would have running, with the pointer at p.
    bool TickAt(Point p, const std::string& step) const
    {
        if (!MovePointerTo(p)) {
            return Fail(step + ": the pointer did not stay where it was put");
        }
        for (HWND window : {m_tuvo.Panel(), m_lens, FindPointerHighlight(m_tuvo)}) {
            if (window != nullptr && !SendTick(window)) {
                return Fail(step + ": the program did not answer a tick");
            }
        }
        if (!PointerIsAt(p)) {
            return Fail(step + ": the pointer moved while the program ticked");
        }
        return true;
    }

    bool Save(const std::string& name) const
    {
        if (!WaitUntil([&] { return NothingLeftToPaint(m_tuvo.Pid()); })) {
            return Fail(name + ": the program did not finish painting");
        }
        const std::optional<ScreenCapture> shot = SettledScreen();
        if (!shot) {
            return Fail(name + ": the screen did not come to rest");
        }
        const std::wstring file =
            m_folder + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp";
        return shot->SaveBmp(file) || Fail(name + ": the picture could not be written");
    }

    const TuvoProcess& m_tuvo;
    HWND m_lens;
    std::wstring m_folder;
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tuvo_screens.exe TUVO_EXE OUTPUT_FOLDER\n");
        return 2;
    }
    ::CreateDirectoryW(argv[2], nullptr);
    TestWindow backdrop(L"Tuvo screens: backdrop", RECT{300, 150, 1800, 1000},
                        {L"Quarterly review", L"\x2022 Revenue grew in every region",
                         L"\x2022 Support tickets answered within a day",
                         L"Follow the pointer: it shows where to look."},
                        true);
    StandInFolder standIn(StandIn::Complete, argv[1]);
    if (!standIn.Ready()) {
        Fail("the program and the stand-in magnifier could not be copied");
        return 1;
    }
    TuvoStart start = standIn.Start();
    start.faults = [](FaultHookBlock& block) { block.windowTimersHeld = 1; };
    TuvoProcess tuvo(start);
    const FaultHookBlock* faults = tuvo.Faults();
    if (tuvo.Panel() == nullptr || FindLens(tuvo) == nullptr || faults == nullptr) {
        Fail("Tuvo did not start with its panel, its lens and the fault hook library");
        return 1;
    }
    // The panel's and the lens's timers, and later the highlight's: none may be running.
    if (faults->heldTimers != 2) {
        Fail("the panel's and the lens's timers were not both held");
        return 1;
    }
    ScreensRun run(tuvo, argv[2]);
    for (const Mode& mode : kModes) {
        if (!run.Walk(mode)) {
            return 1;
        }
    }
    if (faults->heldTimers != 3) {
        Fail("the pointer highlight's timer was not held");
        return 1;
    }
    DWORD exitCode = 1;
    if (!tuvo.Close(15000, &exitCode) || exitCode != 0) {
        Fail("Tuvo did not end cleanly");
        return 1;
    }
    return 0;
}
