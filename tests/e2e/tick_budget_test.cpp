// What one 50 ms beat costs the program, measured inside this process, which hosts the real main
// window, panel and overlays. Each round sends WM_TIMER 101 to every window whose timer runs in
// the mode and lets every window of the program repaint what the tick invalidated; thousands of
// rounds move the pointer around, over the panel, and past a companion window that is absent,
// hidden and visible in turn. The rounds must allocate nothing, keep no GDI object, device
// context or GDI+ object beyond the round that made it, and leave the process's kernel handles
// and windows as they were. Each mode prints one "tick-budget" line with its figures.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "app/tuvo_dlg.h"
#include "harness/step_meter.h"
#include "harness/test_window.h"
#include "harness/windows.h"
#include "overlays/overlay_timer.h"
#include "overlays/overlay_titles.h"
#include "res/resource.h"

namespace {

constexpr int kRounds = 3000;
// The first rounds are counted for allocations and objects, but the kernel handles and windows
// are compared from here on: the window system may open its own the first time a window shows.
constexpr int kSettlingRounds = 100;

// The windows whose 50 ms timer runs.
enum class Beat { Panel, Lens, Highlight };

struct ModeBeats {
    const char* name;
    int button;
    std::vector<Beat> beats;    // every window whose timer runs in the mode
    bool drawsWithTemporaries;  // its tick may make objects, provided it releases them again
};

const ModeBeats kModes[] = {
    {"OFF", IDC_ROFF, {Beat::Panel, Beat::Lens}, false},
    {"Pemo", IDC_RPEMO, {Beat::Panel, Beat::Lens, Beat::Highlight}, false},
    {"Deka", IDC_RDEKA, {Beat::Panel, Beat::Lens}, false},
    {"Ribbon", IDC_RRIBBON, {Beat::Panel, Beat::Lens}, true},
};

void PrintTo(const ModeBeats& mode, std::ostream* os) { *os << mode.name; }

std::vector<HWND> WindowsOfThisThread()
{
    std::vector<HWND> windows;
    for (HWND w : TopLevelWindowsOf(::GetCurrentProcessId())) {
        if (::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId()) {
            windows.push_back(w);
        }
    }
    return windows;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

// Top-level windows of this thread and all their descendants.
long WindowCount()
{
    long count = 0;
    for (HWND w : WindowsOfThisThread()) {
        ++count;
        ::EnumChildWindows(w, &CountWindow, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

// The lens: a layered dialog without owner and without title.
HWND FindLens()
{
    for (HWND w : WindowsOfThisThread()) {
        if (ClassNameOf(w) == L"#32770" && WindowText(w).empty() &&
            ::GetWindow(w, GW_OWNER) == nullptr && (ExStyleOf(w) & WS_EX_LAYERED) != 0) {
            return w;
        }
    }
    return nullptr;
}

bool AnyOverlayShowing()
{
    for (HWND w : WindowsOfThisThread()) {
        if (::IsWindowVisible(w) && (ExStyleOf(w) & WS_EX_LAYERED) != 0) {
            return true;
        }
    }
    return false;
}

// The pointer's place in a round: a circle on the side of the screen away from the panel, and
// every sixteenth round over the panel's centre.
Point PointerAt(int round, const Rect& panel)
{
    if (round % 16 == 15) {
        return Point{(panel.left + panel.right) / 2, (panel.top + panel.bottom) / 2};
    }
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const bool panelOnLeft = (panel.left + panel.right) / 2 < screenWidth / 2;
    const double angle = round * 0.2;
    return Point{(panelOnLeft ? screenWidth * 3 / 4 : screenWidth / 4) +
                     static_cast<int>(200 * std::cos(angle)),
                 ::GetSystemMetrics(SM_CYSCREEN) / 2 + static_cast<int>(200 * std::sin(angle))};
}

class TickBudget : public ::testing::TestWithParam<ModeBeats> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(StepMeter::Install()) << "the allocator's imports were not found";
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);
        ASSERT_TRUE(m_main.Create(CTuvoDlg::IDD, nullptr));
        m_panel = ::FindWindowExW(m_main.m_hWnd, nullptr, L"#32770", nullptr);
        ASSERT_NE(m_panel, nullptr);
    }

    void TearDown() override
    {
        if (m_main.m_hWnd != nullptr) {
            m_main.DestroyWindow();
        }
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
    }

    HWND BeatWindow(Beat beat) const
    {
        switch (beat) {
        case Beat::Panel:
            return m_panel;
        case Beat::Lens:
            return FindLens();
        case Beat::Highlight:
            return FindTopLevelWindow(::GetCurrentProcessId(), kPointerHighlightTitle);
        }
        return nullptr;
    }

    CTuvoDlg m_main;
    HWND m_panel = nullptr;
    ULONG_PTR m_gdiplusToken = 0;
};

TEST_P(TickBudget, RoundsAllocateNothingAndKeepNoObjectOrHandle)
{
    const ModeBeats& mode = GetParam();
    // The companion window, under another title while it counts as absent.
    TestWindow companion(L"not the companion", RECT{100, 700, 400, 900}, false);
    ::SendMessageW(::GetDlgItem(m_panel, mode.button), BM_CLICK, 0, 0);

    std::vector<HWND> beats;
    for (Beat beat : mode.beats) {
        beats.push_back(BeatWindow(beat));
        ASSERT_NE(beats.back(), nullptr) << "a window whose timer runs in " << mode.name;
    }
    const std::vector<HWND> painted = WindowsOfThisThread();
    const Rect panel = RectOf(m_panel);

    StepCounts total;
    long roundsLeavingObjects = 0;
    long handlesBefore = 0;
    long windowsBefore = 0;
    for (int round = 0; round < kRounds; ++round) {
        if (round == kSettlingRounds) {
            handlesBefore = StepMeter::KernelHandles();
            windowsBefore = WindowCount();
        }
        if (round == kRounds / 3) {
            ::SetWindowTextW(companion.Handle(), kCompanionTitle);  // present, hidden
        } else if (round == kRounds / 2) {
            companion.Show();
        }
        const Point p = PointerAt(round, panel);
        ::SetCursorPos(p.x, p.y);

        StepMeter::Start();
        for (HWND w : beats) {
            ::SendMessageW(w, WM_TIMER, IDT_FOLLOW, 0);
        }
        for (HWND w : painted) {
            ::UpdateWindow(w);
        }
        const StepCounts step = StepMeter::Stop();

        total.allocations += step.allocations;
        total.objectsMade += step.objectsMade;
        total.objectsReleased += step.objectsReleased;
        if (step.objectsMade != step.objectsReleased) {
            ++roundsLeavingObjects;
        }
    }
    const long handleChange = StepMeter::KernelHandles() - handlesBefore;
    const long windowChange = WindowCount() - windowsBefore;

    std::printf("tick-budget %s rounds=%d allocations=%ld objects-made=%ld "
                "rounds-leaving-objects=%ld kernel-handles=%+ld windows=%+ld\n",
                mode.name, kRounds, total.allocations, total.objectsMade, roundsLeavingObjects,
                handleChange, windowChange);
    EXPECT_EQ(total.allocations, 0);
    EXPECT_EQ(roundsLeavingObjects, 0);
    if (!mode.drawsWithTemporaries) {
        EXPECT_EQ(total.objectsMade, 0);
    }
    EXPECT_NE(handlesBefore, -1) << "the handle list could not be read";
    EXPECT_EQ(handleChange, 0);
    EXPECT_EQ(windowChange, 0);
    // The last round had the pointer away from the panel: the rounds themselves show the overlay.
    EXPECT_EQ(AnyOverlayShowing(), mode.button != IDC_ROFF);
}

INSTANTIATE_TEST_SUITE_P(EveryMode, TickBudget, ::testing::ValuesIn(kModes),
                         [](const ::testing::TestParamInfo<ModeBeats>& info) {
                             return std::string(info.param.name);
                         });

HWND PlainWindow()
{
    return ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, nullptr);
}

// The meter itself: a step that allocates and keeps a brush is seen on both counts, and so are
// a kernel handle and a window left open.
TEST(StepMeter, SeesWhatAStepLeavesBehind)
{
    ASSERT_TRUE(StepMeter::Install());
    // The thread's first window brings the window system's own handles and windows with it.
    HWND settled = PlainWindow();

    StepMeter::Start();
    int* number = new int(7);
    CBrush* brush = new CBrush(RGB(1, 2, 3));
    const StepCounts made = StepMeter::Stop();
    StepMeter::Start();
    delete brush;
    delete number;
    const StepCounts released = StepMeter::Stop();
    EXPECT_EQ(made.allocations, 2);
    EXPECT_EQ(made.objectsMade, 1);
    EXPECT_EQ(made.objectsReleased, 0);
    EXPECT_EQ(released.allocations, 0);
    EXPECT_EQ(released.objectsReleased, 1);

    const long handles = StepMeter::KernelHandles();
    HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(StepMeter::KernelHandles(), handles + 1);
    ::CloseHandle(event);
    EXPECT_EQ(StepMeter::KernelHandles(), handles);

    const long windows = WindowCount();
    HWND window = PlainWindow();
    EXPECT_EQ(WindowCount(), windows + 1);
    ::DestroyWindow(window);
    EXPECT_EQ(WindowCount(), windows);
    ::DestroyWindow(settled);
}

}  // namespace
