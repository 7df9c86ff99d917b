// What the built-in settings look like on the screen of the real program: the panel's grey face
// with black group captions, and the pointer highlight's yellow disc, centred on the pointer
// while it moves. (The trail's look is checked with the trail, in ribbon_test.cpp.)
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "harness/overlay_windows.h"
#include "harness/screen_capture.h"
#include "harness/test_window.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "overlays/overlay_timer.h"
#include "res/resource.h"

namespace {

const COLORREF kPanelGrey = RGB(200, 200, 200);

Rect ScreenRectOf(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

// The panel's client area in screen coordinates: its face, inside the sunken edge.
Rect ClientOnScreen(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    POINT corner{0, 0};
    ::ClientToScreen(window, &corner);
    return Rect{corner.x, corner.y, corner.x + client.right, corner.y + client.bottom};
}

std::vector<Rect> ChildRects(HWND parent)
{
    std::vector<Rect> rects;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        rects.push_back(ScreenRectOf(WindowRect(child)));
    }
    return rects;
}

bool InAny(const std::vector<Rect>& rects, Point p)
{
    for (const Rect& r : rects) {
        if (PointInRect(r, p)) {
            return true;
        }
    }
    return false;
}

bool IsDark(COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; }

const int kDiameter = 81;  // the default size

struct Caption {
    long letterPixels = 0;  // dark pixels in the caption's place
    long notBlack = 0;      // ... of them not black
    long neither = 0;       // pixels in the box the letters span that are neither black nor grey
};

// The caption on the top edge of a group box: its letters are the dark pixels in the left half
// of the box's top strip.
Caption CaptionOf(const ScreenCapture& shot, const Rect& group)
{
    const Rect strip{group.left + 4, group.top, group.left + group.Width() / 2, group.top + 16};
    Rect letters{strip.right, strip.bottom, strip.left, strip.top};
    Caption caption;
    for (int y = strip.top; y < strip.bottom; ++y) {
        for (int x = strip.left; x < strip.right; ++x) {
            const COLORREF c = shot.At(Point{x, y});
            if (IsDark(c)) {
                ++caption.letterPixels;
                caption.notBlack += c == RGB(0, 0, 0) ? 0 : 1;
                letters = Rect{std::min(letters.left, x), std::min(letters.top, y),
                               std::max(letters.right, x + 1), std::max(letters.bottom, y + 1)};
            }
        }
    }
    for (int y = letters.top; y < letters.bottom; ++y) {
        for (int x = letters.left; x < letters.right; ++x) {
            const COLORREF c = shot.At(Point{x, y});
            caption.neither += c == RGB(0, 0, 0) || c == kPanelGrey ? 0 : 1;
        }
    }
    return caption;
}

}  // namespace

TEST(Look, ThePanelIsGreyWithBlackGroupCaptions)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    ASSERT_TRUE(MovePointerTo(Point{1500, 900}));  // away from the panel: nothing is hot
    const Rect face = ClientOnScreen(tuvo.Panel());
    const std::vector<Rect> controls = ChildRects(tuvo.Panel());

    // Every pixel of the face that no control covers is the panel's grey. Each group's caption
    // sits on its top edge: black letters on the panel's grey, so within the box its letters
    // span every pixel is one or the other.
    const Rect groups[] = {RectOf(::GetDlgItem(tuvo.Panel(), IDC_GROUP_ACTION)),
                           RectOf(::GetDlgItem(tuvo.Panel(), IDC_GROUP_PROPERTY))};
    std::unique_ptr<ScreenCapture> shot;
    long facePixels = 0;
    long notGrey = 0;
    long letterPixels[2] = {};
    long notBlack[2] = {};
    long neither[2] = {};
    WaitUntil(
        [&] {
            shot = std::make_unique<ScreenCapture>();
            facePixels = notGrey = 0;
            for (int y = face.top; y < face.bottom; ++y) {
                for (int x = face.left; x < face.right; ++x) {
                    if (!InAny(controls, Point{x, y})) {
                        ++facePixels;
                        notGrey += shot->At(Point{x, y}) == kPanelGrey ? 0 : 1;
                    }
                }
            }
            bool captions = true;
            for (int g = 0; g < 2; ++g) {
                const Caption caption = CaptionOf(*shot, groups[g]);
                letterPixels[g] = caption.letterPixels;
                notBlack[g] = caption.notBlack;
                neither[g] = caption.neither;
                captions = captions && caption.letterPixels > 20;
            }
            return notGrey == 0 && captions && notBlack[0] + notBlack[1] == 0 &&
                   neither[0] + neither[1] == 0;
        },
        3000);
    EXPECT_TRUE(shot->SaveBmp(TestProgramFolder() + L"\\screenshots\\panel.bmp"));
    EXPECT_GT(facePixels, 1000) << "the face between and around the groups";
    EXPECT_EQ(notGrey, 0) << "pixels of the face that are not the panel's grey";
    for (int g = 0; g < 2; ++g) {
        SCOPED_TRACE(g == 0 ? "Action" : "Propaty");
        EXPECT_GT(letterPixels[g], 20) << "a caption is drawn";
        EXPECT_EQ(notBlack[g], 0) << "letter pixels that are not black";
        EXPECT_EQ(neither[g], 0) << "pixels of the caption that are neither black nor grey";
    }
}

TEST(Look, TheHighlightIsAYellowDiscOverWhatIsBeneath)
{
    // A white window beneath: a translucent yellow disc over white keeps full red and green,
    // and lets through at most half of the white's blue.
    TestWindow backdrop(L"Tuvo test: backdrop", RECT{800, 400, 1200, 800});
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    const Point centre{1000, 600};
    ChooseModeAt(tuvo, IDC_RPEMO, centre);
    HWND highlight = FindPointerHighlight(tuvo);
    ASSERT_TRUE(ShowsSoonAt(highlight, BoxCentredOn(centre, kDiameter, kDiameter)));

    const int inside = kDiameter / 2 - 8;  // well within the disc's edge
    const std::vector<Point> disc = {centre,
                                     {centre.x - inside, centre.y},
                                     {centre.x + inside, centre.y},
                                     {centre.x, centre.y - inside},
                                     {centre.x, centre.y + inside}};
    // Just outside the disc, in the corners of its box: the white beneath.
    const int corner = kDiameter / 2 - 3;
    const std::vector<Point> outside = {{centre.x - corner, centre.y - corner},
                                        {centre.x + corner, centre.y + corner}};
    std::unique_ptr<ScreenCapture> shot;
    bool yellow = false;
    bool white = false;
    WaitUntil(
        [&] {
            shot = std::make_unique<ScreenCapture>();
            yellow = white = true;
            for (Point p : disc) {
                const COLORREF c = shot->At(p);
                yellow = yellow && GetRValue(c) == 255 && GetGValue(c) == 255 &&
                         GetBValue(c) <= 128;
            }
            for (Point p : outside) {
                white = white && shot->At(p) == RGB(255, 255, 255);
            }
            return yellow && white;
        },
        3000);
    EXPECT_TRUE(shot->SaveBmp(TestProgramFolder() + L"\\screenshots\\highlight.bmp"));
    EXPECT_TRUE(yellow) << "the disc is yellow";
    EXPECT_TRUE(white) << "the corners of its box are not part of it";
}

TEST(Look, TheHighlightStaysCentredOnThePointerWhileItMoves)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    std::vector<Point> path = {{600, 500}};
    ChooseModeAt(tuvo, IDC_RPEMO, path.back());
    HWND highlight = FindPointerHighlight(tuvo);
    ASSERT_TRUE(ShowsSoonAt(highlight, BoxCentredOn(path.back(), kDiameter, kDiameter)));

    // A tick right after each move. A highlight that led the pointer would sit ahead of it, in
    // the direction of the move, off every place the pointer went through. (The tick may still
    // see an earlier place: under Wine a late report of an earlier move can put the pointer
    // back for a moment.)
    for (int step = 1; step <= 6; ++step) {
        path.push_back(Point{600 + 120 * step, 500 + 40 * step});
        ::SetCursorPos(path.back().x, path.back().y);
        ::SendMessageW(highlight, WM_TIMER, IDT_FOLLOW, 0);
        const Rect at = RectOf(highlight);
        bool onThePath = false;
        for (Point p : path) {
            onThePath = onThePath || at == BoxCentredOn(p, kDiameter, kDiameter);
        }
        EXPECT_TRUE(onThePath) << "step " << step << ": centred on " << at.left + kDiameter / 2
                               << "," << at.top + kDiameter / 2;
    }
}
