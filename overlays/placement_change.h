#pragma once
// Which parts of a tick's placement are not yet in place. Under Wine every window call also
// costs the Wine server and the X server, so a tick asks the window system only for what would
// change: a shown overlay already at its rectangle and in its place in the Z-order is left
// alone, and a hidden one is not hidden again.

#include "framework/geometry.h"
#include "overlays/placement.h"

// What directly precedes the overlay in the Z-order (hidden windows included).
enum class WindowAbove {
    None,       // nothing: the overlay is the first window of the screen
    Companion,  // the companion program's window
    Other,      // any other window
};

// The overlay as the window system holds it now, read before the tick places it.
struct OverlayNow {
    bool visible = false;
    Rect rect;
    bool topMost = false;           // the overlay's own top-most state
    WindowAbove above = WindowAbove::Other;
    bool companionTopMost = false;  // read only when the companion is directly above
};

// The parts of a show-and-place that still have to be applied; none: make no call.
struct PlacementChange {
    bool move = false;     // the top-left corner differs
    bool resize = false;   // the size differs
    bool restack = false;  // not where the Z-order rule puts it
    bool show = false;     // hidden

    bool Any() const { return move || resize || restack || show; }
};

// Compares the overlay with where the rule wants it: at target, shown, and either top-most
// with nothing above it or directly behind the companion (TopMost or BehindCompanion). The
// Z-order counts as in place only when placing it again could not change it: a top-most
// overlay first on the screen, or an overlay directly behind the companion with the same
// top-most state as the companion. Anything else, an unknown window above it included, is
// placed again.
PlacementChange ChangeToPlace(const OverlayNow& now, const Rect& target, OverlayPlacement wanted);
