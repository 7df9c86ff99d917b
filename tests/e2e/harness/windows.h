#pragma once
// Looking at another process's windows from the outside, as the window system shows them.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/geometry.h"

// Polls pred every few milliseconds until it holds or the deadline passes.
bool WaitUntil(const std::function<bool()>& pred, DWORD timeoutMs = 10000);

// Top-level windows of a process, in Z-order from the top.
std::vector<HWND> TopLevelWindowsOf(DWORD pid);

// The first top-level window of pid with this exact title (and class, when given), or null.
HWND FindTopLevelWindow(DWORD pid, const std::wstring& title, const wchar_t* className = nullptr);

std::wstring WindowText(HWND hWnd);
std::wstring ClassNameOf(HWND hWnd);
RECT WindowRect(HWND hWnd);
DWORD ExStyleOf(HWND hWnd);
DWORD StyleOf(HWND hWnd);

Rect RectOf(HWND hWnd);
bool IsTopMost(HWND hWnd);

struct LayeredAttributes {
    bool ok = false;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};
LayeredAttributes LayeredAttributesOf(HWND hWnd);

// Every process of the session and every visible top-level window on the desktop, to see
// whether anything new appeared after a step.
struct SessionSnapshot {
    std::vector<DWORD> processes;
    std::vector<HWND> visibleWindows;
};
SessionSnapshot TakeSessionSnapshot();
// What appeared since `before`, one line each: a process by its id and file name, a window by its
// title, class and process.
std::vector<std::string> AppearedSince(const SessionSnapshot& before);

// A left click where the pointer is, as the mouse would make it: it goes to whatever window the
// window system finds under the pointer.
void ClickAtPointer();

// Moves the pointer to p and waits until it has stayed there for two beats; false if it never
// does. Under Wine every program with a window under the pointer hears of a move as pointer
// motion and reports it back; a report that comes late puts the pointer back where it was, so
// the move is repeated until it holds. And a program that has not yet looked at its desktop (no
// window made, no desktop window asked for) has no pointer of its own: its moves are lost, so
// the desktop is asked for first.
bool MovePointerTo(Point p);

// True when hWnd is neither the foreground window nor its thread's active or focus window.
bool IsNotActive(HWND hWnd);

// A message box of pid: its caption, its text and whether it shows an icon.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    bool showsIcon = false;
};

// Waits for a message box with this caption that belongs to pid (not excluding).
MessageBoxSeen WaitForMessageBox(DWORD pid, const std::wstring& caption, HWND excluding = nullptr,
                                 DWORD timeoutMs = 10000);
// Presses the box's OK button.
void PressOk(HWND box);
