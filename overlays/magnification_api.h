#pragma once
// The Magnification API, bound at run time: the program starts, and every other mode works,
// on systems without it (Wine has none). Each call reports failure when the API is absent.
#include <windows.h>
#include <magnification.h>

// The magnifier control's window class and its style that leaves the pointer out of the picture.
constexpr wchar_t kMagnifierClass[] = L"Magnifier";
constexpr DWORD kMagnifierClipAroundCursor = 0x0002;

namespace MagnificationApi {

BOOL Initialize();
BOOL Uninitialize();
BOOL SetWindowTransform(HWND hWndMag, MAGTRANSFORM* transform);
BOOL SetWindowSource(HWND hWndMag, RECT source);

}  // namespace MagnificationApi
