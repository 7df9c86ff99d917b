#include "panel/mode_switch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Records the shares in the order they are applied: "P+" is the pointer highlight's own share,
// "L-" the lens's share for another mode, and so on.
class RecordingShares : public ModeShares {
public:
    std::string log;

    void ApplyPointerShare(bool own) override { Note('P', own); }
    void ApplyLensShare(bool own) override { Note('L', own); }
    void ApplyRibbonShare(bool own) override { Note('R', own); }

private:
    void Note(char overlay, bool own)
    {
        log += overlay;
        log += own ? '+' : '-';
        log += ' ';
    }
};

}  // namespace

TEST(ModeSwitch, EachModeGivesEveryOverlayItsShareInFixedOrder)
{
    const struct {
        int mode;
        const char* shares;
    } cases[] = {
        {kModeOff, "P- L- R- "},
        {kModePemo, "P+ L- R- "},
        {kModeDeka, "P- L+ R- "},
        {kModeRibbon, "P- L- R+ "},
        {kModeNone, "P- L- R- "},  // no radio selected acts as Off
        {4, "P- L- R- "},
        {-7, "P- L- R- "},
    };
    for (const auto& c : cases) {
        RecordingShares shares;
        ApplyModeToOverlays(c.mode, shares);
        EXPECT_EQ(shares.log, c.shares) << "mode " << c.mode;
    }
}
