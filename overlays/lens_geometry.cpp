#include "overlays/lens_geometry.h"

#include "overlays/placement.h"

namespace {

// Written so that NaN also falls back to 1.
float SafeZoom(float zoom)
{
    return zoom >= 1.0f ? zoom : 1.0f;
}

} // namespace

float LensZoomFactor(int requested)
{
    return SafeZoom(static_cast<float>(requested));
}

Rect LensWindowRect(Point cursor, int width, int height)
{
    const Point topLeft = TopLeftCentredOn(cursor, width, height);
    return Rect{topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
}

Rect LensSourceRect(const Rect& lensRect, float zoom)
{
    const double divisor = SafeZoom(zoom);
    const int width = lensRect.Width();
    const int height = lensRect.Height();
    // With a divisor of at least 1 the quotients fit in an int, so the casts are defined.
    const int sourceWidth = static_cast<int>(width / divisor);
    const int sourceHeight = static_cast<int>(height / divisor);
    const int left = lensRect.left + (width - sourceWidth) / 2;
    const int top = lensRect.top + (height - sourceHeight) / 2;
    return Rect{left, top, left + sourceWidth, top + sourceHeight};
}
