#include "overlays/placement.h"

bool PointerOverPanel(Point p, const Rect& panelRect)
{
    return PointInRect(panelRect, p);
}

OverlayPlacement ShownPlacement(CompanionState companion)
{
    return companion == CompanionState::Visible ? OverlayPlacement::BehindCompanion
                                                : OverlayPlacement::TopMost;
}

OverlayPlacement DecidePlacement(Point p, const Rect& panelRect, CompanionState companion)
{
    if (PointerOverPanel(p, panelRect)) {
        return OverlayPlacement::Hide;
    }
    return ShownPlacement(companion);
}

Point TopLeftCentredOn(Point p, int width, int height)
{
    return Point{p.x - width / 2, p.y - height / 2};
}
