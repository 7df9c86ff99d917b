#include "framework/gdiplus_objects.h"

#include "framework/gdi_census.h"

CGdiplusGraphics::CGdiplusGraphics(HDC hDC)
{
    Gdiplus::GpGraphics* graphics = nullptr;
    if (Gdiplus::DllExports::GdipCreateFromHDC(hDC, &graphics) == Gdiplus::Ok &&
        graphics != nullptr) {
        m_pGraphics = graphics;
        GdiCensus::Add();
    }
}

CGdiplusGraphics::~CGdiplusGraphics()
{
    if (m_pGraphics != nullptr) {
        Gdiplus::DllExports::GdipDeleteGraphics(m_pGraphics);
        GdiCensus::Remove();
    }
}

CGdiplusPen::CGdiplusPen(Gdiplus::ARGB color, Gdiplus::REAL width, Gdiplus::GpUnit unit)
{
    Gdiplus::GpPen* pen = nullptr;
    if (Gdiplus::DllExports::GdipCreatePen1(color, width, unit, &pen) == Gdiplus::Ok &&
        pen != nullptr) {
        m_pPen = pen;
        GdiCensus::Add();
    }
}

CGdiplusPen::~CGdiplusPen()
{
    if (m_pPen != nullptr) {
        Gdiplus::DllExports::GdipDeletePen(m_pPen);
        GdiCensus::Remove();
    }
}
