#include "overlays/overlay_window.h"

#include "overlays/overlay_titles.h"
#include "overlays/placement.h"

#ifdef TUVO_TEST_LEAK_PER_TICK
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/gdi.h"
#endif

void SizeOverlayAtOrigin(CWnd& overlay, int cx, int cy)
{
    overlay.SetWindowPos(&CWnd::wndTop, 0, 0, cx, cy,
                         SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

bool HideOverPanel(CWnd& overlay, HWND hWndPanel, Point p)
{
    RECT panel{};
    ::GetWindowRect(hWndPanel, &panel);
    if (!PointerOverPanel(p, Rect{panel.left, panel.top, panel.right, panel.bottom})) {
        return false;
    }
    overlay.ShowWindow(SW_HIDE);
    return true;
}

void ShowOverlayAt(CWnd& overlay, const Rect& target)
{
    // Looked up on every tick: the companion may come, hide or go at any time.
    HWND companion = ::FindWindowW(nullptr, kCompanionTitle);
    const CompanionState state = companion == nullptr          ? CompanionState::Absent
                                 : ::IsWindowVisible(companion) ? CompanionState::Visible
                                                                : CompanionState::Hidden;
    const CWnd* insertAfter = ShownPlacement(state) == OverlayPlacement::BehindCompanion
                                  ? CWnd::FromHandle(companion)
                                  : &CWnd::wndTopMost;
    overlay.SetWindowPos(insertAfter, target.left, target.top, target.Width(), target.Height(),
                         SWP_SHOWWINDOW | SWP_NOACTIVATE);
#ifdef TUVO_TEST_LEAK_PER_TICK
    // A test build that leaks on every shown tick, to prove that each leak check can fail: a
    // brush (a GDI object), a hidden window (a USER object) and a block of memory, written to
    // so that its pages become resident.
    new CBrush(RGB(1, 2, 3));
    ::CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                      nullptr);
    const size_t kLeakedBytes = 64 * 1024;
    static std::vector<void*> leakedBlocks;  // kept, so the allocation cannot be optimised away
    leakedBlocks.push_back(std::memset(std::malloc(kLeakedBytes), 0x5A, kLeakedBytes));
#endif
}

void PlaceOverlay(CWnd& overlay, HWND hWndPanel, Point p, const Rect& target)
{
    if (!HideOverPanel(overlay, hWndPanel, p)) {
        ShowOverlayAt(overlay, target);
    }
}
