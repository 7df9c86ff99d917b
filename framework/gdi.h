#pragma once
// GDI wrappers. Objects (brush, pen, region) own their handle and delete it on destruction;
// device contexts wrap a handle they do not own, except the paint context, which ends painting.
#include <windows.h>

class CGdiObject {
public:
    CGdiObject() = default;
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of a handle (null is allowed and owns nothing).
    BOOL Attach(HGDIOBJ hObject);
    // Gives up ownership, for instance to a window that takes the region over.
    HGDIOBJ Detach();
    BOOL DeleteObject();
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    // A geometric (or cosmetic) pen through ExtCreatePen. A pen that cannot be made leaves the
    // object empty; drawing code checks GetSafeHandle() instead of catching an error.
    CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
         const DWORD* lpStyle = nullptr);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CRgn : public CGdiObject {
public:
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};

class CDC {
public:
    CDC() = default;
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    int FillRect(const RECT* lpRect, HBRUSH hBrush) { return ::FillRect(m_hDC, lpRect, hBrush); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }
    int SetStretchBltMode(int nMode) { return ::SetStretchBltMode(m_hDC, nMode); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
};

// BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hWnd);
    ~CPaintDC();

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWndPaint;
};
