#pragma once
// The message by which a test asks the hot-item hook, inside the program, to notify the panel.
#include <windows.h>

inline UINT HotItemTriggerMessage()
{
    return ::RegisterWindowMessageW(L"Tuvo.Test.HotItemTrigger");
}
