#pragma once
// The stand-in's record of every call made to it and of its control's life, one line each, in
// the file "magnifier-calls.log" beside the library, so that a test which put the library in a
// folder of its own names the file. A line is the call's or event's name followed by key=value
// fields; numbers are decimal, a rectangle or matrix is its numbers joined by commas:
//   MagInitialize result=1
//   MagUninitialize result=1
//   MagSetWindowTransform hwnd=H result=1 matrix=v00,v01,v02,v10,v11,v12,v20,v21,v22
//   MagSetWindowSource hwnd=H result=1 source=l,t,r,b lensShown=1 lens=l,t,r,b
//   ControlCreated hwnd=H parent=P style=S exStyle=E rect=x,y,cx,cy
//   ControlPlaced hwnd=H rect=x,y,cx,cy lensShown=1 lens=l,t,r,b
//   ControlDestroyed hwnd=H
// "lens" is the control's parent window as the screen shows it at that moment (its window
// rectangle and visibility), which tells the order of the caller's steps.
#include <windows.h>

namespace CallLog {

// The library's module, for the file's folder; set when the library is loaded.
void SetModule(HMODULE module);
// Appends one line, formatted like printf; a line longer than 512 characters is cut.
void Write(const char* format, ...);
// Closes the file as the library is unloaded.
void Close();

// A window handle as the number a record shows.
unsigned long long HandleNumber(HWND hWnd);

// The control's parent window as the screen shows it now: "lensShown" and "lens" of a record.
struct LensState {
    int shown;
    RECT rect;
};
LensState LensOf(HWND hWnd);

}  // namespace CallLog
