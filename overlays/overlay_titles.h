#pragma once
// Window titles by which Tuvo and its companion program find each other's windows.

// The companion program's window: every overlay sits directly behind it while it is visible.
constexpr wchar_t kCompanionTitle[] = L"_QUILLBARROW_ZORBLIN";

// The pointer highlight's window, so that other programs can find it.
constexpr wchar_t kPointerHighlightTitle[] = L"_QUILLBARROW_GLIMVANE";
