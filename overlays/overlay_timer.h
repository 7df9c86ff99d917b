#pragma once
// The 50 ms beat that moves every overlay: a window timer on the overlay's own window (or, for
// the ribbon, on the panel's). Identifiers are per window, so the timers never collide.

constexpr unsigned IDT_FOLLOW = 101;
constexpr unsigned kFollowPeriodMs = 50;
