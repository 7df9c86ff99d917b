#pragma once
// The program's overlays as rows of one table: which mode owns each, how it is found from
// outside, which window's WM_TIMER 101 is its tick, and the rule by which it may be on screen.
// The soak drives and checks every overlay through this table alone.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/geometry.h"

class TuvoProcess;

enum class Presence {
    ExistsOnlyInItsMode,   // made when its mode is chosen, destroyed when another is
    VisibleOnlyInItsMode,  // lives as long as the panel, hidden outside its mode
};

struct OverlayRow {
    const char* name;
    int modeRadio;  // the radio button of the mode that owns it
    Presence presence;
    HWND (*find)(const TuvoProcess& tuvo);
    HWND (*tickWindow)(const TuvoProcess& tuvo);  // null while there is nothing to tick
};

const std::vector<OverlayRow>& Overlays();

// The mode radios, in template order.
const std::vector<int>& ModeRadios();
std::string ModeName(int modeRadio);

// What is wrong with the overlay in the given mode, a tick or two after the pointer came to rest
// at p; empty when nothing is. An overlay of another mode must be gone or hidden; its own mode's
// must be shown, except over the panel, where it must be hidden.
std::string OverlayFault(const OverlayRow& row, const TuvoProcess& tuvo, int modeRadio, Point p);

// The faults of every overlay, one line each.
std::string OverlayFaults(const TuvoProcess& tuvo, int modeRadio, Point p);
