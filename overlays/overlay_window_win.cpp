#include "overlays/overlay_window.h"

#include "overlays/overlay_titles.h"
#include "overlays/placement.h"
#include "overlays/placement_change.h"

namespace {

bool IsShown(HWND hWnd) { return (::GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }
bool IsTopMost(HWND hWnd) { return (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The overlay as the window system holds it: shown or not, where, and what is directly above.
OverlayNow ReadOverlay(HWND overlay, HWND companion)
{
    OverlayNow now;
    now.visible = IsShown(overlay);
    RECT rect{};
    ::GetWindowRect(overlay, &rect);
    now.rect = Rect{rect.left, rect.top, rect.right, rect.bottom};
    now.topMost = IsTopMost(overlay);
    HWND above = ::GetWindow(overlay, GW_HWNDPREV);
    now.above = above == nullptr        ? WindowAbove::None
                : above == companion    ? WindowAbove::Companion
                                        : WindowAbove::Other;
    if (now.above == WindowAbove::Companion) {
        now.companionTopMost = IsTopMost(companion);
    }
    return now;
}

// The SetWindowPos flags that leave alone what is in place.
UINT KeepFlags(const PlacementChange& change)
{
    UINT flags = 0;
    if (!change.move) {
        flags |= SWP_NOMOVE;
    }
    if (!change.resize) {
        flags |= SWP_NOSIZE;
    }
    if (!change.restack) {
        flags |= SWP_NOZORDER | SWP_NOOWNERZORDER;
    }
    if (change.show) {
        flags |= SWP_SHOWWINDOW;
    }
    return flags;
}

}  // namespace

void SizeOverlayAtOrigin(CWnd& overlay, int cx, int cy)
{
    overlay.SetWindowPos(&CWnd::wndTop, 0, 0, cx, cy,
                         SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

void HideOverlay(CWnd& overlay)
{
    if (IsShown(overlay.m_hWnd)) {
        overlay.ShowWindow(SW_HIDE);
    }
}

bool HideOverPanel(CWnd& overlay, HWND hWndPanel, Point p)
{
    RECT panel{};
    ::GetWindowRect(hWndPanel, &panel);
    if (!PointerOverPanel(p, Rect{panel.left, panel.top, panel.right, panel.bottom})) {
        return false;
    }
    HideOverlay(overlay);
    return true;
}

void ShowOverlayAt(CWnd& overlay, const Rect& target, WhenInPlace inPlace)
{
    // Looked up on every tick: the companion may come, hide or go at any time.
    HWND companion = ::FindWindowW(nullptr, kCompanionTitle);
    const CompanionState state = companion == nullptr          ? CompanionState::Absent
                                 : ::IsWindowVisible(companion) ? CompanionState::Visible
                                                                : CompanionState::Hidden;
    const OverlayPlacement wanted = ShownPlacement(state);
    // Placing a window again costs both servers a round even where nothing changes: only what
    // is not in place is applied. The Z-order is read on every tick, so a window that came
    // above the overlay or between it and the companion has it placed again at once.
    PlacementChange change = ChangeToPlace(ReadOverlay(overlay.m_hWnd, companion), target, wanted);
    if (!change.Any() && inPlace == WhenInPlace::PlaceAgain) {
        change = PlacementChange{true, true, true, true};  // all of it, as a first placement would
    }
    if (change.Any()) {
        const CWnd* insertAfter = wanted == OverlayPlacement::BehindCompanion
                                      ? CWnd::FromHandle(companion)
                                      : &CWnd::wndTopMost;
        overlay.SetWindowPos(insertAfter, target.left, target.top, target.Width(),
                             target.Height(), KeepFlags(change) | SWP_NOACTIVATE);
    }
}

void PlaceOverlay(CWnd& overlay, HWND hWndPanel, Point p, const Rect& target, WhenInPlace inPlace)
{
    if (!HideOverPanel(overlay, hWndPanel, p)) {
        ShowOverlayAt(overlay, target, inPlace);
    }
}
