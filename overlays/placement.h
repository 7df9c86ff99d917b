#pragma once
// The decision every overlay makes on every tick: hide over the control panel, otherwise show
// directly behind the companion program's window when it is visible, or top-most.

#include "framework/geometry.h"

enum class OverlayPlacement {
    Hide,            // the pointer is over the panel: hide, move nothing
    BehindCompanion, // show directly behind the companion window in the Z-order
    TopMost,         // show as a top-most window
};

// What the per-tick lookup of the companion window by its title found.
enum class CompanionState {
    Absent,
    Hidden,
    Visible,
};

// True when p is over the panel: left and top edges count as inside, right and bottom outside.
bool PointerOverPanel(Point p, const Rect& panelRect);

// Z-order of a shown overlay: behind the companion only while it is visible.
OverlayPlacement ShownPlacement(CompanionState companion);

// The whole decision. A window class that wants to skip the companion lookup on ticks over
// the panel calls PointerOverPanel first and ShownPlacement only when it is false.
OverlayPlacement DecidePlacement(Point p, const Rect& panelRect, CompanionState companion);

// Top-left corner of a width x height box centred on p, the halves truncated toward zero.
Point TopLeftCentredOn(Point p, int width, int height);
