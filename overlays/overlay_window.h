#pragma once
// What every overlay window does on each tick: hide while the pointer is over the control panel,
// otherwise show at its new place, directly behind the companion program's visible window or as
// a top-most window.
#include "framework/geometry.h"
#include "framework/wnd.h"

// The extended styles of every overlay: layered, and transparent to the mouse so that every
// click reaches the windows beneath.
constexpr DWORD kOverlayExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT;

// Sizes a hidden overlay at set-up: to the screen origin with its new size, its place in the
// Z-order left alone, and without activating it (the dialog manager would otherwise hand the
// hidden overlay the activation of the user's window).
void SizeOverlayAtOrigin(CWnd& overlay, int cx, int cy);

// Hides the overlay; one that is hidden already is left alone.
void HideOverlay(CWnd& overlay);

// Hides the overlay when p is over the panel's window; true when p is over it.
bool HideOverPanel(CWnd& overlay, HWND hWndPanel, Point p);

// What a tick does with an overlay that is shown at its target and in its place already.
enum class WhenInPlace {
    Leave,       // nothing: no call
    PlaceAgain,  // the whole placement once more, for a window whose picture has changed
};

// Shows the overlay at target in its place in the Z-order, applying only what is not in place
// already: an overlay shown at target and in its place is not touched unless asked to be
// placed again. The overlay is not activated: it must never take the focus from the window the
// user works in, and an activated window would move to the top instead of staying behind the
// companion.
void ShowOverlayAt(CWnd& overlay, const Rect& target, WhenInPlace inPlace = WhenInPlace::Leave);

// The whole rule: hide over the panel, else show at target.
void PlaceOverlay(CWnd& overlay, HWND hWndPanel, Point p, const Rect& target,
                  WhenInPlace inPlace = WhenInPlace::Leave);
