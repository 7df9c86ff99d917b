#pragma once
// A picture of the whole virtual screen, taken through the window system (the screen's device
// context), so it shows what a user would see; it can be saved as a 24-bit BMP file.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/geometry.h"

class ScreenCapture {
public:
    // Copies the screen as it is now; Width() is 0 if that failed.
    ScreenCapture();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The colour at a screen position (virtual-screen coordinates); black outside the picture.
    COLORREF At(Point p) const;
    // True when both pictures have the same place, size and pixels.
    bool SameAs(const ScreenCapture& other) const;
    // Writes the picture as a bottom-up 24-bit BMP file, making the folder if needed.
    bool SaveBmp(const std::wstring& path) const;

private:
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;             // bytes per row, a multiple of 4
    std::vector<BYTE> m_pixels;  // blue, green, red per pixel, the bottom row first
};

// The screen once it has come to rest: a picture that agrees with one taken 100 ms before it.
// Empty when the screen kept changing for five seconds.
std::optional<ScreenCapture> SettledScreen();

// The folder of this test program, where the build keeps its outputs.
std::wstring TestProgramFolder();
