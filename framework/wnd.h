#pragma once
// CWnd: a window handle with a message map. Attached windows are subclassed so their messages
// run through the map first and fall back to the window's original procedure.
#include "framework/cmd_target.h"
#include "framework/geometry.h"

class CDC;
class CDataExchange;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)

public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // Insert-after values for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // The object attached to a handle, or a temporary wrapper for a window of nobody's (such as
    // the desktop or another program's window). Temporaries are reused and are valid only for the
    // call at hand; no allocation happens either way.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void SetWindowText(LPCWSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
    {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }

    // Moves data between the controls and the members (DoDataExchange); bSaveAndValidate TRUE
    // reads the controls.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    virtual BOOL DestroyWindow();

    // Runs the current message through the window's original procedure.
    LRESULT Default();

    // The window procedure of every attached window.
    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Default handlers, reached through message maps of derived classes.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    void OnDestroy();
    void OnSysCommand(UINT nID, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone; heap windows delete themselves here.
    virtual void PostNcDestroy() {}

    // Attaches the object to hWnd and routes the window's messages through AfxWndProc.
    void SubclassWindow(HWND hWnd);

private:
    void DetachAfterNcDestroy();

    WNDPROC m_pfnSuper = nullptr;
};
