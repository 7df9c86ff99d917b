#pragma once
// The messages by which a test asks the hook library, inside the program, to do what cannot be
// done from another process.
#include <windows.h>

// Sent to the panel: have it notified of a button's hot-item change.
inline UINT HotItemTriggerMessage()
{
    return ::RegisterWindowMessageW(L"Tuvo.Test.HotItemTrigger");
}

// Sent to the panel: stop its 50 ms timer, so that only the ticks the test sends move the trail.
// The reply is nonzero when the timer was stopped.
inline UINT StopPanelTimerMessage()
{
    return ::RegisterWindowMessageW(L"Tuvo.Test.StopPanelTimer");
}
