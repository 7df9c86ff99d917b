#pragma once
// The stand-in's "Magnifier" control: a child window that paints its client area with the
// source rectangle of the synthetic screen, scaled by its transform, as the platform's control
// paints the real screen. It repaints when the window system asks it to (as the platform's
// does, the caller invalidates it after a new source), never on its own.
#include <windows.h>

namespace MagnifierControl {

// Registers the process-global class "Magnifier" of this library; false if that failed.
bool Register(HMODULE module);
// Unregisters it; false while a control of the class still exists.
bool Unregister(HMODULE module);

// True when hWnd is a control of this class in this process.
bool IsControl(HWND hWnd);
// What the control shows: a 3 x 3 matrix, row by row, and a source rectangle in screen
// coordinates. Only for a window IsControl accepts.
void SetTransform(HWND hWnd, const float matrix[3][3]);
void SetSource(HWND hWnd, const RECT& source);

}  // namespace MagnifierControl
