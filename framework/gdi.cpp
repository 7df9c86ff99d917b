#include "framework/gdi.h"

#include "framework/gdi_census.h"

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    DeleteObject();
    m_hObject = hObject;
    if (m_hObject == nullptr) {
        return FALSE;
    }
    GdiCensus::Add();
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ handle = m_hObject;
    if (handle != nullptr) {
        GdiCensus::Remove();
    }
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr) {
        return FALSE;
    }
    const BOOL deleted = ::DeleteObject(Detach());
    return deleted;
}

BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
           const DWORD* lpStyle)
{
    Attach(::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush,
                          static_cast<DWORD>(nStyleCount), lpStyle));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(*this, *pRgn1, *pRgn2, nCombineMode);
}

CPaintDC::CPaintDC(HWND hWnd) : m_hWndPaint(hWnd) { m_hDC = ::BeginPaint(hWnd, &m_ps); }

CPaintDC::~CPaintDC() { ::EndPaint(m_hWndPaint, &m_ps); }
