#pragma once
// RAII wrappers for the GDI+ flat interface objects that live within one drawing step: a
// graphics object on a device context and a pen. Each is counted in GdiCensus while it exists,
// so the leak checks cover them too. GDI+ itself is started once by the application.
#include <windows.h>
// The GDI+ headers need the COM base types, which a lean <windows.h> leaves out.
#include <objidl.h>

#include <gdiplus.h>

class CGdiplusGraphics {
public:
    // A graphics object drawing into hDC; empty when GDI+ could not make one.
    explicit CGdiplusGraphics(HDC hDC);
    ~CGdiplusGraphics();
    CGdiplusGraphics(const CGdiplusGraphics&) = delete;
    CGdiplusGraphics& operator=(const CGdiplusGraphics&) = delete;

    bool IsValid() const { return m_pGraphics != nullptr; }
    Gdiplus::GpGraphics* Get() const { return m_pGraphics; }

private:
    Gdiplus::GpGraphics* m_pGraphics = nullptr;
};

class CGdiplusPen {
public:
    // A solid pen of an ARGB colour (0xAARRGGBB); empty when GDI+ could not make one.
    CGdiplusPen(Gdiplus::ARGB color, Gdiplus::REAL width, Gdiplus::GpUnit unit);
    ~CGdiplusPen();
    CGdiplusPen(const CGdiplusPen&) = delete;
    CGdiplusPen& operator=(const CGdiplusPen&) = delete;

    bool IsValid() const { return m_pPen != nullptr; }
    Gdiplus::GpPen* Get() const { return m_pPen; }

private:
    Gdiplus::GpPen* m_pPen = nullptr;
};
