#pragma once
// Live count of the GDI and GDI+ objects the program made through the framework's wrappers.
// The window system's own count is not available everywhere (it reads 0 under Wine), so leak
// checks read this one instead: any framework window answers QueryMessage() with Live().
#include <windows.h>

namespace GdiCensus {

void Add();
void Remove();
long Live();

// The registered window message that asks a window of the program for Live().
UINT QueryMessage();

}  // namespace GdiCensus
