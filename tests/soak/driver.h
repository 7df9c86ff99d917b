#pragma once
// Driving the running program faster than its 50 ms beat: ticks sent as WM_TIMER 101 to the
// window that owns them, the pointer moved along a path over the whole screen, and the hot-item
// notification of a button delivered from inside the program.
#include <windows.h>

#include "framework/geometry.h"
#include "harness/overlay_windows.h"  // SendTick

class TuvoProcess;

// True when the program's user-interface thread answers a message within a few seconds.
bool Responsive(const TuvoProcess& tuvo);

// The pointer's place at step i of a path that sweeps the whole screen, edges included, and
// rests on the panel for a few steps now and then.
Point PathPoint(int i, const Rect& screen, const Rect& panel);

Rect ScreenRect();

// Keeps the hot-item hook in the program's user-interface thread for its lifetime, so that a
// long run of notifications loads the hook library into the program once, not once each.
class HotItemSender {
public:
    explicit HotItemSender(const TuvoProcess& tuvo);
    ~HotItemSender();
    HotItemSender(const HotItemSender&) = delete;
    HotItemSender& operator=(const HotItemSender&) = delete;

    bool Hooked() const { return m_hook != nullptr; }
    // Returns once the panel has handled the notification.
    void Send(int id, DWORD flags);

private:
    HWND m_panel;
    HMODULE m_library = nullptr;
    HHOOK m_hook = nullptr;
};
