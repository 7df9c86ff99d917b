#include "framework/message_map.h"

namespace {

bool Matches(const AFX_MSGMAP_ENTRY& e, UINT key, bool byControl, UINT code, UINT id)
{
    if (e.nMessage != key) {
        return false;
    }
    return !byControl || (e.nCode == code && e.nID <= id && id <= e.nLastID);
}

}  // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, WPARAM wParam,
                                            LPARAM lParam)
{
    UINT key = message;
    bool byControl = false;
    UINT code = 0;
    UINT id = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        key = WM_CTLCOLOR;
    } else if (message == WM_COMMAND) {
        byControl = true;
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header == nullptr) {
            return nullptr;
        }
        byControl = true;
        code = header->code;
        id = static_cast<UINT>(header->idFrom);
    }
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nMessage != 0; ++e) {
            if (Matches(*e, key, byControl, code, id)) {
                return e;
            }
        }
    }
    return nullptr;
}
