#pragma once
// CSurface: an off-screen drawing surface, a device-independent bitmap at 32 bits per pixel
// without an alpha channel, with a memory device context handed out on demand. Both the bitmap
// and the context are counted in GdiCensus like every other object of the framework.
#include <windows.h>

class CSurface {
public:
    CSurface() = default;
    ~CSurface() { Destroy(); }
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    // Makes a width x height bitmap of nBPP bits per pixel (32 for this program), replacing any
    // bitmap the surface had. On failure the surface is left empty: no bitmap, 0 x 0.
    BOOL Create(int nWidth, int nHeight, int nBPP);
    // Deletes the bitmap and any context still handed out.
    void Destroy();

    bool HasBitmap() const { return m_hBitmap != nullptr; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    // The pixels, rows top to bottom, GetWidth() 32-bit values 0x00RRGGBB each; null when empty.
    const DWORD* GetBits() const { return static_cast<const DWORD*>(m_pBits); }

    // A memory device context with the bitmap selected. Uses are counted: nested calls share
    // one context, made at the first GetDC and deleted at the last ReleaseDC. Without a bitmap
    // the context is still a valid one, so drawing into it has no effect.
    HDC GetDC();
    void ReleaseDC();

private:
    void DeleteContext();

    HBITMAP m_hBitmap = nullptr;
    void* m_pBits = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    int m_nDCUses = 0;
};

// The surface's context for one scope: GetDC on construction, ReleaseDC on destruction.
class CSurfaceDC {
public:
    explicit CSurfaceDC(CSurface& surface) : m_surface(surface), m_hDC(surface.GetDC()) {}
    ~CSurfaceDC() { m_surface.ReleaseDC(); }
    CSurfaceDC(const CSurfaceDC&) = delete;
    CSurfaceDC& operator=(const CSurfaceDC&) = delete;

    operator HDC() const { return m_hDC; }

private:
    CSurface& m_surface;
    HDC m_hDC;
};
