#pragma once
// The platform floors: what the window system alone costs for the calls one part of a tick
// makes. tuvo_floor.exe (platform_floor_win.cpp) runs one scenario of this table, a bare window
// program with no Tuvo code, on the same 50 ms window timers; the process bench runs it in
// Tuvo's place, with the same pointer driver and the same sampling, so each floor row reads
// against the modes' rows. This table is the one place a scenario is defined.
#include <windows.h>

constexpr wchar_t kFloorProgram[] = L"tuvo_floor.exe";
constexpr wchar_t kFloorPanelTitle[] = L"Tuvo platform floor";

// The window a scenario moves, as the mode that owns it makes it.
enum class FloorOverlay {
    None,       // only the panel's window and the hidden lens and trail windows
    Highlight,  // Pemo: 81 x 81, alpha, elliptic region, top-most, moved on a timer of its own
    Lens,       // Deka: 600 x 337, colour key and alpha, paints nothing, moved on the lens's timer
    Trail,      // Ribbon: 750 x 381, colour key and alpha, owned by the panel's window, moved on
                // the panel's timer
};

// How a move is asked for; every form puts the window at the same place.
enum class FloorMove {
    SetWindowPos,    // Tuvo's: only what changed, SWP_NOACTIVATE
    MoveWindow,      // MoveWindow(x, y, w, h, TRUE)
    DeferWindowPos,  // one DeferWindowPos between Begin and End
};

// How the trail's changed part reaches the window.
enum class FloorPaint {
    None,     // not repainted: the window only moves
    Stretch,  // Tuvo's: invalidated, then StretchBlt HALFTONE one to one in WM_PAINT
    Copy,     // invalidated, then BitBlt in WM_PAINT
};

struct FloorScenario {
    const char* name;   // the floor program's argument and the bench's run name
    const char* label;  // the row of the bench's table
    FloorOverlay overlay = FloorOverlay::None;
    bool lookup = false;  // FindWindowW of the companion's title on every tick
    bool reads = false;   // a Tuvo tick's further reads: the panel's rectangle and the window
                          // above the overlay (its styles and rectangle are read in every
                          // scenario: a move is asked for only when the place changed)
    bool draw = false;    // the trail: cleared and drawn with a GDI+ curve when it changed
    FloorPaint paint = FloorPaint::None;
    FloorMove move = FloorMove::SetWindowPos;
    UINT extraMoveFlags = 0;  // added to the SetWindowPos flags of a move
    bool region = true;       // the highlight's elliptic window region
    // Not the same look or place, to tell where a cost comes from:
    bool colourKey = true;    // the lens's and the trail's colour key; false: alpha only
    bool owned = true;        // the trail window owned by the panel's window
    bool onScreen = false;    // the overlay moved back inside the screen where it would cross
                              // its edge
    bool oneTimer = false;    // the lens's hidden check on the panel's timer: one timer in all
    bool restsToo = false;    // also measured with the pointer at rest
    bool variant = false;     // an alternative form: run only when TUVO_BENCH_FLOORS names it
};

// C++20 designated initialisers: the bench targets are built as C++20.
inline constexpr FloorScenario kFloorScenarios[] = {
    {.name = "timers", .label = "Platform alone: two timers, the pointer read (OFF's calls)"},
    {.name = "lookup", .label = "Platform alone: two timers and the companion looked up",
     .lookup = true},
    {.name = "move-small",
     .label = "Platform alone: two timers and the 81 × 81 highlight moved on a third",
     .overlay = FloorOverlay::Highlight},
    {.name = "move-lens", .label = "Platform alone: two timers, one moving the 600 × 337 lens",
     .overlay = FloorOverlay::Lens},
    {.name = "move-trail",
     .label = "Platform alone: two timers, one moving the 750 × 381 trail window",
     .overlay = FloorOverlay::Trail},
    {.name = "repaint-trail",
     .label = "Platform alone: two timers, one moving and repainting the trail window",
     .overlay = FloorOverlay::Trail, .paint = FloorPaint::Stretch},
    {.name = "pemo", .label = "Platform alone: all of Pemo's calls", .overlay =
     FloorOverlay::Highlight, .lookup = true, .reads = true},
    {.name = "deka", .label = "Platform alone: all of Deka's calls", .overlay = FloorOverlay::Lens,
     .lookup = true, .reads = true},
    {.name = "ribbon", .label = "Platform alone: all of Ribbon's calls, the GDI+ curve too",
     .overlay = FloorOverlay::Trail, .lookup = true, .reads = true, .draw = true,
     .paint = FloorPaint::Stretch, .restsToo = true},

    // Alternative forms of the same calls, for comparison.
    {.name = "one-timer", .label = "Variant: OFF's calls on one timer", .oneTimer = true,
     .variant = true},
    {.name = "move-small-nosendchanging",
     .label = "Variant: the highlight moved with SWP_NOSENDCHANGING too",
     .overlay = FloorOverlay::Highlight, .extraMoveFlags = SWP_NOSENDCHANGING, .variant = true},
    {.name = "move-small-nocopybits", .label = "Variant: the highlight moved with SWP_NOCOPYBITS too",
     .overlay = FloorOverlay::Highlight, .extraMoveFlags = SWP_NOCOPYBITS, .variant = true},
    {.name = "move-small-noredraw", .label = "Variant: the highlight moved with SWP_NOREDRAW too",
     .overlay = FloorOverlay::Highlight, .extraMoveFlags = SWP_NOREDRAW, .variant = true},
    {.name = "move-small-defererase",
     .label = "Variant: the highlight moved with SWP_DEFERERASE too",
     .overlay = FloorOverlay::Highlight, .extraMoveFlags = SWP_DEFERERASE, .variant = true},
    {.name = "move-small-movewindow", .label = "Variant: the highlight moved with MoveWindow",
     .overlay = FloorOverlay::Highlight, .move = FloorMove::MoveWindow, .variant = true},
    {.name = "move-small-deferwindowpos",
     .label = "Variant: the highlight moved with DeferWindowPos",
     .overlay = FloorOverlay::Highlight, .move = FloorMove::DeferWindowPos, .variant = true},
    {.name = "move-small-noregion",
     .label = "Variant: the highlight without its region (a square: not the same look)",
     .overlay = FloorOverlay::Highlight, .region = false, .variant = true},
    {.name = "move-lens-nosendchanging",
     .label = "Variant: the lens moved with SWP_NOSENDCHANGING too",
     .overlay = FloorOverlay::Lens, .extraMoveFlags = SWP_NOSENDCHANGING, .variant = true},
    {.name = "move-lens-defererase", .label = "Variant: the lens moved with SWP_DEFERERASE too",
     .overlay = FloorOverlay::Lens, .extraMoveFlags = SWP_DEFERERASE, .variant = true},
    {.name = "move-lens-noredraw", .label = "Variant: the lens moved with SWP_NOREDRAW too",
     .overlay = FloorOverlay::Lens, .extraMoveFlags = SWP_NOREDRAW, .variant = true},
    {.name = "move-trail-nokey",
     .label = "Variant: the trail window without its colour key (not the same look)",
     .overlay = FloorOverlay::Trail, .colourKey = false, .variant = true},
    {.name = "move-trail-unowned", .label = "Variant: the trail window owned by no window",
     .overlay = FloorOverlay::Trail, .owned = false, .variant = true},
    {.name = "move-trail-onscreen",
     .label = "Variant: the trail window kept inside the screen (not the same place)",
     .overlay = FloorOverlay::Trail, .onScreen = true, .variant = true},
    {.name = "move-lens-onscreen",
     .label = "Variant: the lens kept inside the screen (not the same place)",
     .overlay = FloorOverlay::Lens, .onScreen = true, .variant = true},
    {.name = "repaint-trail-bitblt",
     .label = "Variant: the trail window repainted with BitBlt",
     .overlay = FloorOverlay::Trail, .paint = FloorPaint::Copy, .variant = true},
};

inline const FloorScenario* FindFloorScenario(const char* name)
{
    for (const FloorScenario& scenario : kFloorScenarios) {
        if (lstrcmpA(scenario.name, name) == 0) {
            return &scenario;
        }
    }
    return nullptr;
}
