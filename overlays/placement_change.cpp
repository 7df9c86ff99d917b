#include "overlays/placement_change.h"

namespace {

bool InZOrderPlace(const OverlayNow& now, OverlayPlacement wanted)
{
    switch (wanted) {
    case OverlayPlacement::TopMost:
        return now.topMost && now.above == WindowAbove::None;
    case OverlayPlacement::BehindCompanion:
        return now.above == WindowAbove::Companion && now.topMost == now.companionTopMost;
    case OverlayPlacement::Hide:
        break;
    }
    return false;
}

}  // namespace

PlacementChange ChangeToPlace(const OverlayNow& now, const Rect& target, OverlayPlacement wanted)
{
    PlacementChange change;
    change.move = now.rect.left != target.left || now.rect.top != target.top;
    change.resize = now.rect.Width() != target.Width() || now.rect.Height() != target.Height();
    change.restack = !InZOrderPlace(now, wanted);
    change.show = !now.visible;
    return change;
}
