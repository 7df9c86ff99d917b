#pragma once
// How a mode reaches the three overlays. The panel applies a mode by giving each overlay its
// share, always in the order pointer highlight, lens, ribbon window: the share for its own mode
// when the mode is that overlay's, the share for any other mode otherwise.

// The radio group's selection; -1 when no radio is selected, which acts as Off.
enum PanelMode : int {
    kModeNone = -1,
    kModeOff = 0,
    kModePemo = 1,    // pointer highlight
    kModeDeka = 2,    // magnifier lens
    kModeRibbon = 3,  // trail
};

class ModeShares {
public:
    // `own` is true when the mode being applied is that overlay's mode.
    virtual void ApplyPointerShare(bool own) = 0;
    virtual void ApplyLensShare(bool own) = 0;
    virtual void ApplyRibbonShare(bool own) = 0;

protected:
    ~ModeShares() = default;
};

void ApplyModeToOverlays(int mode, ModeShares& shares);
