#include "harness/screen_capture.h"

#include <cstdio>
#include <utility>

ScreenCapture::ScreenCapture()
{
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width <= 0 || height <= 0) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as the file keeps it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        const BOOL copied =
            ::BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY | CAPTUREBLT);
        ::GdiFlush();
        if (copied) {
            m_left = left;
            m_top = top;
            m_width = width;
            m_height = height;
            m_stride = (width * 3 + 3) & ~3;
            const BYTE* first = static_cast<const BYTE*>(bits);
            m_pixels.assign(first, first + static_cast<size_t>(m_stride) * height);
        }
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

COLORREF ScreenCapture::At(Point p) const
{
    const int x = p.x - m_left;
    const int y = p.y - m_top;
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return RGB(0, 0, 0);
    }
    const BYTE* pixel = &m_pixels[static_cast<size_t>(m_height - 1 - y) * m_stride + x * 3];
    return RGB(pixel[2], pixel[1], pixel[0]);
}

bool ScreenCapture::SameAs(const ScreenCapture& other) const
{
    return m_left == other.m_left && m_top == other.m_top && m_width == other.m_width &&
           m_height == other.m_height && m_pixels == other.m_pixels;
}

std::optional<ScreenCapture> SettledScreen()
{
    ScreenCapture previous;
    for (int read = 0; read < 50; ++read) {
        ::Sleep(100);
        ScreenCapture now;
        if (now.Width() > 0 && now.SameAs(previous)) {
            return now;
        }
        previous = std::move(now);
    }
    return std::nullopt;
}

bool ScreenCapture::SaveBmp(const std::wstring& path) const
{
    if (m_width == 0) {
        return false;
    }
    const size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos) {
        ::CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = m_width;
    header.biHeight = m_height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(m_pixels.size());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;

    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                         std::fwrite(&header, sizeof header, 1, out) == 1 &&
                         std::fwrite(m_pixels.data(), 1, m_pixels.size(), out) == m_pixels.size();
    return std::fclose(out) == 0 && written;
}

std::wstring TestProgramFolder()
{
    wchar_t path[MAX_PATH * 4] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    const std::wstring text = path;
    return text.substr(0, text.rfind(L'\\'));
}
