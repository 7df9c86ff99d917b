#include "overlays/magnification_api.h"

#include "framework/dynamic_library.h"

namespace {

struct BoundApi {
    using InitializeFn = BOOL(WINAPI*)();
    using UninitializeFn = BOOL(WINAPI*)();
    using SetWindowTransformFn = BOOL(WINAPI*)(HWND, PMAGTRANSFORM);
    using SetWindowSourceFn = BOOL(WINAPI*)(HWND, RECT);

    CDynamicLibrary library{L"Magnification.dll"};
    InitializeFn initialize = library.Bind<InitializeFn>("MagInitialize");
    UninitializeFn uninitialize = library.Bind<UninitializeFn>("MagUninitialize");
    SetWindowTransformFn setWindowTransform =
        library.Bind<SetWindowTransformFn>("MagSetWindowTransform");
    SetWindowSourceFn setWindowSource = library.Bind<SetWindowSourceFn>("MagSetWindowSource");
};

// Bound at the first use and kept for the life of the process.
const BoundApi& Api()
{
    static const BoundApi api;
    return api;
}

}  // namespace

namespace MagnificationApi {

BOOL Initialize() { return Api().initialize != nullptr && Api().initialize(); }

BOOL Uninitialize() { return Api().uninitialize != nullptr && Api().uninitialize(); }

BOOL SetWindowTransform(HWND hWndMag, MAGTRANSFORM* transform)
{
    return Api().setWindowTransform != nullptr && Api().setWindowTransform(hWndMag, transform);
}

BOOL SetWindowSource(HWND hWndMag, RECT source)
{
    return Api().setWindowSource != nullptr && Api().setWindowSource(hWndMag, source);
}

}  // namespace MagnificationApi
