#include "framework/wnd.h"

#include <array>
#include <utility>
#include <vector>

#include "framework/app.h"
#include "framework/data_exchange.h"
#include "framework/gdi.h"
#include "framework/gdi_census.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// Windows attached to objects: a handful at any time, all on the user-interface thread.
std::vector<std::pair<HWND, CWnd*>>& PermanentMap()
{
    static std::vector<std::pair<HWND, CWnd*>> map;
    return map;
}

// Reused wrappers for handles that belong to no object.
constexpr size_t kTemporaryCount = 16;
struct TemporaryPool {
    std::array<CWnd, kTemporaryCount> slots;
    size_t next = 0;
};

TemporaryPool& Temporaries()
{
    static TemporaryPool pool;
    return pool;
}

// The message being handled, for Default(); saved and restored around nested messages.
thread_local MSG t_currentMessage{};

}  // namespace

CWnd::~CWnd()
{
    // Only an attached (subclassed) object owns its window; temporaries and the insert-after
    // values own nothing.
    if (m_hWnd != nullptr && m_pfnSuper != nullptr) {
        CWnd::DestroyWindow();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    for (const auto& entry : PermanentMap()) {
        if (entry.first == hWnd) {
            return entry.second;
        }
    }
    return nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr) {
        return nullptr;
    }
    if (CWnd* permanent = FromHandlePermanent(hWnd)) {
        return permanent;
    }
    TemporaryPool& pool = Temporaries();
    for (CWnd& slot : pool.slots) {
        if (slot.m_hWnd == hWnd) {
            return &slot;
        }
    }
    CWnd& slot = pool.slots[pool.next];
    pool.next = (pool.next + 1) % kTemporaryCount;
    slot.m_hWnd = hWnd;
    return &slot;
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    HWND after = pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr;
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    const LONG_PTR changed = (style & ~static_cast<LONG_PTR>(dwRemove)) | dwAdd;
    if (changed == style) {
        return FALSE;
    }
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, changed);
    if (nFlags != 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    // A heap window may delete itself while this call runs: nothing here touches the object
    // after the system call.
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_currentMessage.message, t_currentMessage.wParam,
                         t_currentMessage.lParam);
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == GdiCensus::QueryMessage()) {
        return GdiCensus::Live();
    }
    if (const AFX_MSGMAP_ENTRY* entry =
            AfxFindMessageEntry(GetMessageMap(), message, wParam, lParam)) {
        return entry->pfnHandler(this, message, wParam, lParam);
    }
    // Commands no window handles go to the application object, as menus and buttons expect.
    LRESULT result = 0;
    if (message == WM_COMMAND && AfxGetApp() != nullptr &&
        AfxGetApp()->RouteCommand(wParam, lParam, &result)) {
        return result;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

void CWnd::SubclassWindow(HWND hWnd)
{
    m_hWnd = hWnd;
    PermanentMap().emplace_back(hWnd, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
}

void CWnd::DetachAfterNcDestroy()
{
    auto& map = PermanentMap();
    for (auto it = map.begin(); it != map.end(); ++it) {
        if (it->second == this) {
            map.erase(it);
            break;
        }
    }
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
    }
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (wnd == nullptr) {
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
    const MSG saved = t_currentMessage;
    t_currentMessage = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    if (message == WM_NCDESTROY) {
        result = wnd->DefWindowProc(message, wParam, lParam);
        wnd->DetachAfterNcDestroy();
        wnd->PostNcDestroy();  // may delete the object
    } else {
        result = wnd->WindowProc(message, wParam, lParam);
    }
    t_currentMessage = saved;
    return result;
}
