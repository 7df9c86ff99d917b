#pragma once
// Message maps: each window class lists the messages it handles in a static table that chains to
// its base class's table. An entry's thunk unpacks the message and calls the member handler.
#include <windows.h>
#include <commctrl.h>

class CCmdTarget;

using AfxHandlerThunk = LRESULT (*)(CCmdTarget* target, UINT message, WPARAM wParam,
                                    LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message; 0 ends the table
    UINT nCode;     // notification code, for WM_COMMAND and WM_NOTIFY
    UINT nID;       // first control id, for WM_COMMAND and WM_NOTIFY
    UINT nLastID;   // last control id
    AfxHandlerThunk pfnHandler;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null at the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The entries of every kind of control-colour request (WM_CTLCOLORMSGBOX ... WM_CTLCOLORSTATIC)
// are filed under the old combined message number.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Finds the entry that handles a message in a chain of tables, or null.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, WPARAM wParam,
                                            LPARAM lParam);

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        using ThisClass [[maybe_unused]] = theClass;                                  \
        using TheBaseClass = baseClass;                                               \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                          \
        {0, 0, 0, 0, nullptr}};                                                    \
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                               \
    }

// The body runs with `self` (the derived object), `message`, `wParam` and `lParam` in scope.
#define AFX_THUNK(...)                                                                  \
    [](CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {     \
        ThisClass* self = static_cast<ThisClass*>(target);                              \
        (void)self; (void)message; (void)wParam; (void)lParam;                          \
        __VA_ARGS__                                                                     \
    }

#define ON_WM_TIMER() \
    {WM_TIMER, 0, 0, 0, AFX_THUNK(self->OnTimer(static_cast<UINT_PTR>(wParam)); return 0;)},

#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AFX_THUNK(self->OnPaint(); return 0;)},

#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, AFX_THUNK(self->OnDestroy(); return 0;)},

#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, 0, \
     AFX_THUNK(return reinterpret_cast<LRESULT>(self->OnQueryDragIcon());)},

#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND, 0, 0, 0, \
     AFX_THUNK(self->OnSysCommand(static_cast<UINT>(wParam), lParam); return 0;)},

#define ON_WM_ERASEBKGND()                                     \
    {WM_ERASEBKGND, 0, 0, 0, AFX_THUNK(                        \
        CDC dc(reinterpret_cast<HDC>(wParam));                 \
        return static_cast<LRESULT>(self->OnEraseBkgnd(&dc));)},

#define ON_WM_CTLCOLOR()                                                             \
    {WM_CTLCOLOR, 0, 0, 0, AFX_THUNK(                                                \
        CDC dc(reinterpret_cast<HDC>(wParam));                                       \
        return reinterpret_cast<LRESULT>(self->OnCtlColor(                           \
            &dc, CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),                   \
            message - WM_CTLCOLORMSGBOX));)},

#define ON_COMMAND(id, memberFn) \
    {WM_COMMAND, 0, (id), (id), AFX_THUNK((self->*(memberFn))(); return 0;)},

#define ON_BN_CLICKED(id, memberFn) \
    {WM_COMMAND, BN_CLICKED, (id), (id), AFX_THUNK((self->*(memberFn))(); return 0;)},

#define ON_NOTIFY(code, id, memberFn)                                            \
    {WM_NOTIFY, static_cast<UINT>(code), (id), (id), AFX_THUNK(                  \
        LRESULT result = 0;                                                      \
        (self->*(memberFn))(reinterpret_cast<NMHDR*>(lParam), &result);          \
        return result;)},
