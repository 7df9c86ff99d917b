// A hook library the end-to-end tests put into the program's user-interface thread. A version 6
// button sends BCN_HOTITEMCHANGE as the pointer enters or leaves it, but the virtual display's
// pointer does not make it do so, and a notification cannot be sent from another process: the
// hook sends it from inside, when the test sends the trigger message to the panel. Likewise a
// window's timer can only be stopped by the thread that owns it.
#include <windows.h>
#include <commctrl.h>

#include "harness/hot_item_trigger.h"
#include "overlays/overlay_timer.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK HotItemHook(int code, WPARAM wParam,
                                                               LPARAM lParam)
{
    if (code == HC_ACTION) {
        const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == HotItemTriggerMessage()) {
            const int id = static_cast<int>(sent->wParam);
            NMBCHOTITEM notification{};
            notification.hdr.hwndFrom = ::GetDlgItem(sent->hwnd, id);
            notification.hdr.idFrom = static_cast<UINT_PTR>(id);
            notification.hdr.code = BCN_HOTITEMCHANGE;
            notification.dwFlags = static_cast<DWORD>(sent->lParam);
            ::SendMessageW(sent->hwnd, WM_NOTIFY, static_cast<WPARAM>(id),
                           reinterpret_cast<LPARAM>(&notification));
        } else if (sent->message == StopPanelTimerMessage()) {
            ::ReplyMessage(::KillTimer(sent->hwnd, IDT_FOLLOW));
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
