#include "overlays/overlay_window.h"

#include "overlays/overlay_titles.h"
#include "overlays/placement.h"

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
}

void PlaceOverlay(CWnd& overlay, HWND hWndPanel, Point p, const Rect& target)
{
    if (!HideOverPanel(overlay, hWndPanel, p)) {
        ShowOverlayAt(overlay, target);
    }
}
