#include "panel/mode_switch.h"

void ApplyModeToOverlays(int mode, ModeShares& shares)
{
    shares.ApplyPointerShare(mode == kModePemo);
    shares.ApplyLensShare(mode == kModeDeka);
    shares.ApplyRibbonShare(mode == kModeRibbon);
}
