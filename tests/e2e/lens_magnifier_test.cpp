// Mode "Deka" on its whole picture path. Wine has no Magnification API, so these tests run a
// copy of the real Tuvo.exe in a folder of its own with the tests' stand-in Magnification.dll
// beside it, where the program's ordinary search for the library finds it. The stand-in records
// every call with its arguments and paints a synthetic screen, so the tests see each call the
// lens makes, in order, and the picture it shows.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "harness/magnifier_standin.h"
#include "harness/overlay_windows.h"
#include "harness/screen_capture.h"
#include "harness/test_window.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"
#include "tests/standins/magnifier/synthetic_screen.h"

// Rectangles in failure messages as left,top-right,bottom.
void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

// 1920 x 1080 at the default 50 and 50 percent: a lens of 600 x 337 (300 and 168 pixels left
// of and above the pointer). At zoom 2 it shows 300 x 168 pixels of the screen, whose top-left
// corner lies (600 - 300) / 2 = 150 and (337 - 168) / 2 = 84 pixels inside the lens.
const int kLensWidth = 600;
const int kLensHeight = 337;
const std::vector<double> kZoomTwice{2, 0, 0, 0, 2, 0, 0, 0, 1};
const long long kControlStyle = WS_CHILD | WS_VISIBLE | 0x0002;  // 0x0002: clip around cursor

Rect LensAt(Point p) { return BoxCentredOn(p, kLensWidth, kLensHeight); }

HWND ControlOf(HWND lens) { return ::FindWindowExW(lens, nullptr, L"Magnifier", nullptr); }

std::string Lines(const std::vector<MagnifierCall>& calls, size_t from = 0)
{
    std::string text;
    for (size_t i = from; i < calls.size(); ++i) {
        text += "\n  " + calls[i].line;
    }
    return text;
}

// The index of the first call of this name at or after from; calls.size() when there is none.
size_t Find(const std::vector<MagnifierCall>& calls, const char* name, size_t from)
{
    while (from < calls.size() && calls[from].name != name) {
        ++from;
    }
    return from;
}

size_t Count(const std::vector<MagnifierCall>& calls, const char* name, size_t from = 0)
{
    size_t count = 0;
    for (size_t i = Find(calls, name, from); i < calls.size(); i = Find(calls, name, i + 1)) {
        ++count;
    }
    return count;
}

const MagnifierCall& Last(const std::vector<MagnifierCall>& calls, const char* name)
{
    static const MagnifierCall none;
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
        if (it->name == name) {
            return *it;
        }
    }
    return none;
}

Point CentreOf(const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

TEST(LensMagnifier, StartsOnceWithItsControlAndEndsOnceAfterTheControl)
{
    StandInFolder standIn;
    ASSERT_TRUE(standIn.Ready());
    TuvoProcess tuvo(standIn.Start());
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND lens = FindLens(tuvo);
    HWND control = ControlOf(lens);
    ASSERT_NE(control, nullptr) << "a \"Magnifier\" child of the lens";
    EXPECT_EQ(StyleOf(control), static_cast<DWORD>(kControlStyle));
    EXPECT_EQ(WindowText(control), L"MagnifierWindow");
    RECT client{};
    ::GetClientRect(lens, &client);  // the lens's first size, until its first active tick

    // The panel shows once its start is over: the magnifier is started, its control made and
    // its zoom set; the inactive lens sets no source.
    const std::vector<MagnifierCall> started = standIn.Calls();
    ASSERT_EQ(started.size(), 3u) << Lines(started);
    EXPECT_EQ(started[0].line, "MagInitialize result=1");
    EXPECT_EQ(started[1].name, "ControlCreated");
    EXPECT_EQ(started[1].Handle("hwnd"), control);
    EXPECT_EQ(started[1].Handle("parent"), lens);
    EXPECT_EQ(started[1].Int("style"), kControlStyle);
    EXPECT_EQ(started[1].Int("exStyle"), 0);
    EXPECT_EQ(started[1].Numbers("rect"),
              (std::vector<double>{0, 0, double(client.right), double(client.bottom)}))
        << "the lens's whole client area";
    EXPECT_EQ(started[2].name, "MagSetWindowTransform");

    // The first active tick gives the lens its size, and the control follows.
    ChooseModeAt(tuvo, IDC_RDEKA, {1200, 700});
    ASSERT_TRUE(ShowsSoonAt(lens, LensAt(Point{1200, 700})));
    EXPECT_TRUE(WaitUntil([&] { return RectOf(control) == LensAt(Point{1200, 700}); }))
        << "the control fills the lens";

    DWORD exitCode = 1234;
    ASSERT_TRUE(tuvo.Close(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    const std::vector<MagnifierCall> calls = standIn.Calls();
    EXPECT_EQ(Count(calls, "MagInitialize"), 1u) << Lines(calls);
    EXPECT_EQ(Count(calls, "MagUninitialize"), 1u) << Lines(calls);
    ASSERT_GE(calls.size(), 2u);
    // Released last, once its control is gone (the class could not be removed before).
    EXPECT_EQ(calls[calls.size() - 2].name, "ControlDestroyed") << Lines(calls, calls.size() - 4);
    EXPECT_EQ(calls[calls.size() - 2].Handle("hwnd"), control);
    EXPECT_EQ(calls.back().line, "MagUninitialize result=1") << Lines(calls, calls.size() - 4);
}

TEST(LensMagnifier, ZoomsTwiceOnEveryDekaSelectionByClickOrHotItem)
{
    StandInFolder standIn;
    ASSERT_TRUE(standIn.Ready());
    TuvoProcess tuvo(standIn.Start());
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND control = ControlOf(FindLens(tuvo));
    ASSERT_NE(control, nullptr);
    ::SetCursorPos(1200, 700);

    // Each step returns once the panel has handled it. The hot-item notification of "OFF"
    // applies the selected mode again.
    struct Step {
        const char* what;
        void (*act)(const TuvoProcess& tuvo);
        size_t transforms;  // recorded in all after the step
    };
    const Step steps[] = {
        {"the panel's start", [](const TuvoProcess&) {}, 1},
        {"Deka clicked", [](const TuvoProcess& t) { t.Click(IDC_RDEKA); }, 2},
        {"Deka clicked again", [](const TuvoProcess& t) { t.Click(IDC_RDEKA); }, 3},
        {"hot item with Deka selected",
         [](const TuvoProcess& t) { t.SendHotItemChange(IDC_ROFF, HICF_ENTERING); }, 4},
        {"Pemo clicked", [](const TuvoProcess& t) { t.Click(IDC_RPEMO); }, 4},
        {"hot item with Pemo selected",
         [](const TuvoProcess& t) { t.SendHotItemChange(IDC_ROFF, HICF_LEAVING); }, 4},
        {"Deka clicked after Pemo", [](const TuvoProcess& t) { t.Click(IDC_RDEKA); }, 5},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act(tuvo);
        const std::vector<MagnifierCall> transforms =
            CallsNamed(standIn.Calls(), "MagSetWindowTransform");
        EXPECT_EQ(transforms.size(), step.transforms) << Lines(transforms);
        for (const MagnifierCall& transform : transforms) {
            EXPECT_EQ(transform.Handle("hwnd"), control) << transform.line;
            EXPECT_EQ(transform.Numbers("matrix"), kZoomTwice) << transform.line;
        }
    }
}

// Lens 600 x 337 at zoom 2: the source is 300 x 168 with its top-left corner at
// (x - 300 + 150, y - 168 + 84) for the pointer at (x, y); near the screen's edges it reaches
// past them.
struct SourceCase {
    Point cursor;
    Rect source;
};
const SourceCase kSourceCases[] = {
    {{1001, 501}, {851, 417, 1151, 585}},
    {{0, 0}, {-150, -84, 150, 84}},
    {{1, 1}, {-149, -83, 151, 85}},
    {{1919, 1079}, {1769, 995, 2069, 1163}},
    {{0, 1079}, {-150, 995, 150, 1163}},
    {{1919, 0}, {1769, -84, 2069, 84}},
};

TEST(LensMagnifier, SetsTheSourceOnEveryActiveTickBeforeItMovesAndNoneWhileHidden)
{
    StandInFolder standIn;
    ASSERT_TRUE(standIn.Ready());
    TuvoProcess tuvo(standIn.Start());
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND lens = FindLens(tuvo);
    HWND control = ControlOf(lens);
    ASSERT_NE(control, nullptr);
    const Point overPanel = CentreOf(RectOf(tuvo.Panel()));

    // Inactive, the lens ticks and sets nothing.
    ::SetCursorPos(1001, 501);
    size_t mark = standIn.Calls().size();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(SendTick(lens));
    }
    EXPECT_EQ(Count(standIn.Calls(), "MagSetWindowSource", mark), 0u) << "inactive";

    ASSERT_TRUE(PointAndTick(lens, overPanel));
    tuvo.Click(IDC_RDEKA);
    Rect previous = RectOf(lens);  // where the hidden lens stands
    for (const SourceCase& c : kSourceCases) {
        SCOPED_TRACE(testing::Message() << "pointer at " << c.cursor.x << "," << c.cursor.y);
        // Hidden over the panel: the source and the control are left alone, so a control
        // made smaller here shows whether the next active tick puts it back.
        ASSERT_TRUE(HidesSoon(lens));
        ::SetWindowPos(control, nullptr, 0, 0, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(RectOf(control).Width(), 10);
        mark = standIn.Calls().size();
        ASSERT_TRUE(SendTick(lens));
        ASSERT_TRUE(SendTick(lens));
        std::vector<MagnifierCall> calls = standIn.Calls();
        EXPECT_EQ(Count(calls, "MagSetWindowSource", mark), 0u) << "over the panel";
        EXPECT_EQ(Count(calls, "ControlPlaced", mark), 0u) << "over the panel";

        // The first active tick: the source, then the lens moves, then the control fills it.
        ASSERT_TRUE(PointAndTick(lens, c.cursor));
        calls = standIn.Calls();
        const size_t source = Find(calls, "MagSetWindowSource", mark);
        ASSERT_LT(source, calls.size()) << Lines(calls, mark);
        EXPECT_EQ(calls[source].Handle("hwnd"), control);
        EXPECT_EQ(calls[source].RectField("source"), c.source) << calls[source].line;
        EXPECT_EQ(calls[source].Int("lensShown"), 0) << "still hidden: " << calls[source].line;
        EXPECT_EQ(calls[source].RectField("lens"), previous) << "not moved yet";
        const size_t placed = Find(calls, "ControlPlaced", source);
        ASSERT_LT(placed, calls.size()) << Lines(calls, mark);
        EXPECT_EQ(calls[placed].Numbers("rect"),
                  (std::vector<double>{0, 0, kLensWidth, kLensHeight}))
            << calls[placed].line;
        EXPECT_EQ(calls[placed].Int("lensShown"), 1) << calls[placed].line;
        EXPECT_EQ(calls[placed].RectField("lens"), LensAt(c.cursor)) << calls[placed].line;

        // Every further tick sets it again.
        for (int i = 0; i < 3; ++i) {
            const size_t before = Count(calls, "MagSetWindowSource", mark);
            ASSERT_TRUE(SendTick(lens));
            calls = standIn.Calls();
            EXPECT_GT(Count(calls, "MagSetWindowSource", mark), before);
            EXPECT_EQ(Last(calls, "MagSetWindowSource").RectField("source"), c.source);
        }
        previous = LensAt(c.cursor);
        ASSERT_TRUE(PointAndTick(lens, overPanel));
    }

    // Another mode: from the moment it is chosen no tick sets a source, wherever the pointer.
    ::SetCursorPos(1001, 501);
    tuvo.Click(IDC_ROFF);
    mark = standIn.Calls().size();
    for (Point p : {Point{1001, 501}, Point{0, 0}, Point{1500, 900}}) {
        ::SetCursorPos(p.x, p.y);
        ASSERT_TRUE(SendTick(lens));
    }
    EXPECT_TRUE(HidesSoon(lens));
    const std::vector<MagnifierCall> calls = standIn.Calls();
    EXPECT_EQ(Count(calls, "MagSetWindowSource", mark), 0u) << Lines(calls, mark);
}

namespace {

// How a screenshot of the lens compares with the synthetic screen around the pointer at p,
// enlarged twice: lens pixel (x, y) shows the screen's (p.x - 150 + x / 2, p.y - 84 + y / 2),
// and where that is black, the window beneath (of colour behind).
struct PictureCheck {
    int shown = 0;       // pixels of the picture that match
    int seeThrough = 0;  // pixels of its black squares that show the window beneath
    int wrong = 0;
    std::string firstWrong;
};

PictureCheck CheckPicture(const ScreenCapture& screen, Point p, COLORREF behind)
{
    PictureCheck check;
    const Rect lens = LensAt(p);
    // Rows 0 to 335: the 168 source rows twice; the lens's last row lies past the source.
    for (int y = 0; y < 2 * 168; ++y) {
        for (int x = 0; x < kLensWidth; ++x) {
            const Point s{p.x - 150 + x / 2, p.y - 84 + y / 2};
            const bool black = SyntheticScreen::IsBlack(s.x, s.y);
            const COLORREF expected = black ? behind : SyntheticScreen::ColourAt(s.x, s.y);
            const COLORREF seen = screen.At(Point{lens.left + x, lens.top + y});
            if (seen == expected) {
                ++(black ? check.seeThrough : check.shown);
                continue;
            }
            if (check.wrong++ == 0) {
                int sx = 0;
                int sy = 0;
                const bool decoded = SyntheticScreen::PositionOf(seen, &sx, &sy);
                check.firstWrong = "lens pixel " + std::to_string(x) + "," + std::to_string(y) +
                                   " should show " + std::to_string(s.x) + "," +
                                   std::to_string(s.y) + (black ? " (black)" : "") +
                                   "; it shows colour " + std::to_string(seen) +
                                   (decoded ? " = position " + std::to_string(sx) + "," +
                                                  std::to_string(sy)
                                            : "");
            }
        }
    }
    return check;
}

}  // namespace

TEST(LensMagnifier, ShowsThePointersSurroundingsTwiceAsLargeWithBlackSeeThrough)
{
    const COLORREF white = RGB(255, 255, 255);
    TestWindow behind(L"beneath the lens", RECT{500, 250, 1500, 850});  // white
    StandInFolder standIn;
    ASSERT_TRUE(standIn.Ready());
    TuvoProcess tuvo(standIn.Start());
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND lens = FindLens(tuvo);
    ChooseModeAt(tuvo, IDC_RDEKA, {900, 500});
    ASSERT_TRUE(ShowsSoonAt(lens, LensAt(Point{900, 500})));

    // After a move the picture is the new place's.
    const Point p{1001, 551};
    ASSERT_TRUE(PointAndTick(lens, p));
    ASSERT_TRUE(ShowsSoonAt(lens, LensAt(p)));
    PictureCheck check;
    const bool matches = WaitUntil(
        [&] {
            check = CheckPicture(ScreenCapture(), p, white);
            return check.wrong == 0;
        },
        3000);
    if (!matches) {
        ScreenCapture().SaveBmp(TestProgramFolder() + L"\\screenshots\\lens-standin-fault.bmp");
    }
    EXPECT_TRUE(matches) << check.wrong << " pixels wrong; first: " << check.firstWrong;
    EXPECT_GT(check.shown, 0);
    EXPECT_GT(check.seeThrough, 0) << "the picture's black squares show the window beneath";
}

TEST(LensMagnifier, WithoutAFunctionOrWithAFailingStartEveryModeStillWorks)
{
    struct VariantCase {
        const char* what;
        StandIn variant;
        bool controlMade;  // MagInitialize succeeds and the control class exists
    };
    const VariantCase cases[] = {
        {"MagSetWindowSource missing", StandIn::WithoutSource, true},
        {"MagInitialize failing", StandIn::FailingStart, false},
    };
    for (const VariantCase& c : cases) {
        SCOPED_TRACE(c.what);
        StandInFolder standIn(c.variant);
        ASSERT_TRUE(standIn.Ready());
        TuvoProcess tuvo(standIn.Start());
        ASSERT_NE(tuvo.Panel(), nullptr) << "the program starts";
        HWND lens = FindLens(tuvo);
        ASSERT_NE(lens, nullptr);
        EXPECT_EQ(ControlOf(lens) != nullptr, c.controlMade);

        const Point p{1200, 700};
        ChooseModeAt(tuvo, IDC_RPEMO, p);
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(FindPointerHighlight(tuvo)); }));
        tuvo.Click(IDC_RRIBBON);
        EXPECT_EQ(FindPointerHighlight(tuvo), nullptr);
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(FindRibbon(tuvo)); }));
        tuvo.Click(IDC_RDEKA);
        EXPECT_TRUE(ShowsSoonAt(lens, LensAt(p)));
        ::SetCursorPos(400, 900);
        EXPECT_TRUE(ShowsSoonAt(lens, LensAt(Point{400, 900})));
        const Point overPanel = CentreOf(RectOf(tuvo.Panel()));
        ::SetCursorPos(overPanel.x, overPanel.y);
        EXPECT_TRUE(HidesSoon(lens)) << "over the panel";
        ::SetCursorPos(p.x, p.y);
        tuvo.Click(IDC_ROFF);
        EXPECT_TRUE(HidesSoon(lens));
        EXPECT_TRUE(HidesSoon(FindRibbon(tuvo)));

        DWORD exitCode = 1234;
        ASSERT_TRUE(tuvo.Close(15000, &exitCode));
        EXPECT_EQ(exitCode, 0u);
        const std::vector<MagnifierCall> calls = standIn.Calls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front().line,
                  c.controlMade ? "MagInitialize result=1" : "MagInitialize result=0");
        EXPECT_EQ(Count(calls, "ControlCreated"), c.controlMade ? 1u : 0u);
        // A magnifier that never started is not released.
        EXPECT_EQ(Count(calls, "MagUninitialize"), c.controlMade ? 1u : 0u) << Lines(calls);
        if (c.controlMade) {
            EXPECT_EQ(calls.back().line, "MagUninitialize result=1");
        }
    }
}
