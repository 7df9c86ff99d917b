#pragma once
// Finding the program's overlay windows from outside, and waiting for a tick or two to show
// them where the rules put them.
#include <windows.h>

#include <string>

#include "framework/geometry.h"
#include "harness/tuvo_process.h"

// The pointer highlight, by its title; null while there is none.
HWND FindPointerHighlight(const TuvoProcess& tuvo);
// The lens: the program's layered dialog with neither owner nor title.
HWND FindLens(const TuvoProcess& tuvo);
// The trail window: the one layered popup the main window owns (the panel is its parent; the
// other overlays are top-level windows of their own). Null unless there is exactly one.
HWND FindRibbon(const TuvoProcess& tuvo);

// A width x height box centred on p, the halves truncated toward zero.
Rect BoxCentredOn(Point p, int width, int height);

// Waits (a few ticks at most) until the window shows with exactly this rectangle.
bool ShowsSoonAt(HWND window, const Rect& expected);
// Waits (a few ticks at most) until the window shows centred on p by the truncated halves of
// its own size.
bool ShowsCentredOn(HWND window, Point p);

// Where a window is and where the pointer is, for a failure message.
std::string PlaceOf(HWND window);

// Waits (a few ticks at most) until the window is hidden.
bool HidesSoon(HWND window);

// One tick of the window's follow timer (WM_TIMER 101), run by the time this returns; false
// when the program did not answer within a few seconds.
bool SendTick(HWND window);

// Puts the pointer at p and has the window tick until the pointer is still there after a tick:
// under Wine a late motion event of an earlier move can put the pointer back once in a while.
// False if it did not stay, or the program did not answer.
bool PointAndTick(HWND window, Point p);

// Moves the pointer to p (and sees it stay there), then chooses the mode by its radio button.
void ChooseModeAt(const TuvoProcess& tuvo, int radioId, Point p);
