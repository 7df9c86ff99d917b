#include "framework/surface.h"

#include "framework/gdi_census.h"

BOOL CSurface::Create(int nWidth, int nHeight, int nBPP)
{
    Destroy();
    if (nWidth <= 0 || nHeight <= 0) {
        return FALSE;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;  // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(nBPP);
    info.bmiHeader.biCompression = BI_RGB;  // the fourth byte is padding, not alpha
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        return FALSE;
    }
    GdiCensus::Add();
    m_hBitmap = bitmap;
    m_pBits = bits;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    return TRUE;
}

void CSurface::Destroy()
{
    DeleteContext();
    if (m_hBitmap != nullptr) {
        ::DeleteObject(m_hBitmap);
        GdiCensus::Remove();
    }
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_nWidth = 0;
    m_nHeight = 0;
}

HDC CSurface::GetDC()
{
    if (m_nDCUses == 0) {
        m_hDC = ::CreateCompatibleDC(nullptr);
        if (m_hDC == nullptr) {
            return nullptr;
        }
        GdiCensus::Add();
        if (m_hBitmap != nullptr) {
            m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
        }
    }
    ++m_nDCUses;
    return m_hDC;
}

void CSurface::ReleaseDC()
{
    if (m_nDCUses == 0) {
        return;  // nothing handed out (or the context could not be made)
    }
    if (--m_nDCUses == 0) {
        DeleteContext();
    }
}

void CSurface::DeleteContext()
{
    if (m_hDC != nullptr) {
        if (m_hOldBitmap != nullptr) {
            ::SelectObject(m_hDC, m_hOldBitmap);
        }
        ::DeleteDC(m_hDC);
        GdiCensus::Remove();
    }
    m_hDC = nullptr;
    m_hOldBitmap = nullptr;
    m_nDCUses = 0;
}
