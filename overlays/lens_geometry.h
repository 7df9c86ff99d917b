#pragma once
// Geometry of the magnifier lens: where the lens window goes and which part of the screen
// it shows enlarged.

#include "framework/geometry.h"

// The zoom the lens stores and applies for a requested factor. The source size is divided by
// the zoom, so a factor below 1 (zero would divide by zero, a negative one would give a
// negative size) is taken as 1: the lens then shows the screen unenlarged.
float LensZoomFactor(int requested);

// The lens window, width x height, centred on the cursor (halves truncated toward zero).
Rect LensWindowRect(Point cursor, int width, int height);

// The screen area the magnifier shows in lensRect at the given zoom: the lens's shape shrunk by
// the zoom (double-precision division, truncated toward zero) around the same centre, to within
// the truncated halving. A zoom below 1, or not a number, counts as 1, as in LensZoomFactor.
Rect LensSourceRect(const Rect& lensRect, float zoom);
