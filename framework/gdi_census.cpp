#include "framework/gdi_census.h"

namespace GdiCensus {
namespace {
long g_live = 0;  // touched on the user-interface thread only
}  // namespace

void Add() { ++g_live; }
void Remove() { --g_live; }
long Live() { return g_live; }

UINT QueryMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"Tuvo.GdiCensus.Live");
    return message;
}

}  // namespace GdiCensus
