// The program's entry: everything happens in the application object.
#include "framework/app.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    return AfxWinMain(hInstance);
}
