#pragma once
// Where the trail arithmetic puts the real trail window, for tests that look at it from outside.
#include <windows.h>

#include <initializer_list>

#include "framework/geometry.h"
#include "ribbon/trail_geometry.h"

// The panel's ribbon settings: line only, drawn as a curve, 5 points wide, red, 70 percent.
extern const TrailStyle kPanelStyle;

// The vertical resolution of a memory context, as the program's drawing surface reports it.
int SurfaceDpi();

// A history of positions, newest first, the oldest one repeated to fill every entry.
TrailPoints History(std::initializer_list<Point> newestFirst);

// The frame the trail arithmetic gives for this history on the window's actual size.
TrailFrame ExpectedFrame(HWND ribbon, const TrailPoints& history);

// Waits until the trail window shows with its top-left corner at origin.
bool ShownAt(HWND ribbon, Point origin, DWORD timeoutMs = 3000);

// Centred on p by the truncated halves of the window's actual size.
Point CentredOrigin(HWND ribbon, Point p);
