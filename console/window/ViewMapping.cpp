#include "console/window/ViewMapping.h"

#include <algorithm>
#include <cmath>

namespace {

// The margin round the extents when zoomed to them, as a share of the view.
constexpr double kFitMargin = 0.05;

// Clicks fall on a grid this many times finer than a pixel.
constexpr double kClickStepsPerPixel = 1000.0;

// Rounded to a power of ten; below one by dividing by its exact inverse, so
// the result is the double nearest the decimal (12.5, not 12.499999...).
// Adding zero turns -0 into 0, which reads as typed.
double roundedTo(double value, double step)
{
    if (step >= 1.0)
        return std::round(value / step) * step + 0.0;
    const double inverse = std::round(1.0 / step);
    return std::round(value * inverse) / inverse + 0.0;
}

}  // namespace

QPointF ViewMapping::toPixel(const ZcGePoint2d& world) const
{
    return {width / 2.0 + (world.x - centre.x) * scale, height / 2.0 - (world.y - centre.y) * scale};
}

ZcGePoint2d ViewMapping::toWorld(const QPointF& pixel) const
{
    return {centre.x + (pixel.x() - width / 2.0) / scale, centre.y - (pixel.y() - height / 2.0) / scale};
}

QTransform ViewMapping::worldToPixel() const
{
    return {scale, 0.0, 0.0, -scale, width / 2.0 - centre.x * scale, height / 2.0 + centre.y * scale};
}

ViewMapping ViewMapping::zoomedAbout(const QPointF& pixel, double factor) const
{
    ViewMapping zoomed = *this;
    zoomed.scale = std::clamp(scale * factor, kMinViewScale, kMaxViewScale);
    const ZcGePoint2d fixed = toWorld(pixel);
    const ZcGePoint2d moved = zoomed.toWorld(pixel);
    zoomed.centre = {centre.x + fixed.x - moved.x, centre.y + fixed.y - moved.y};
    return zoomed;
}

ViewMapping ViewMapping::panned(const QPointF& pixelMove) const
{
    ViewMapping moved = *this;
    moved.centre = {centre.x - pixelMove.x() / scale, centre.y + pixelMove.y() / scale};
    return moved;
}

ViewMapping ViewMapping::fitting(const ZcDbExtents& extents, int width, int height)
{
    ViewMapping view;
    view.width = std::max(width, 1);
    view.height = std::max(height, 1);
    ZcGePoint3d low(0, 0, 0), high(1, 1, 0);
    if (!extents.isEmpty()) {
        low = extents.minPoint();
        high = extents.maxPoint();
    }
    // A single point or a straight line along an axis still gets a view.
    const double spanX = std::max(high.x - low.x, 1e-9), spanY = std::max(high.y - low.y, 1e-9);
    const double usable = 1.0 - 2.0 * kFitMargin;
    view.scale =
        std::clamp(std::min(view.width * usable / spanX, view.height * usable / spanY), kMinViewScale, kMaxViewScale);
    view.centre = {(low.x + high.x) / 2.0, (low.y + high.y) / 2.0};
    return view;
}

double clickStep(double scale) { return std::pow(10.0, std::floor(std::log10(1.0 / (scale * kClickStepsPerPixel)))); }

ZcGePoint3d clickedPoint(const ViewMapping& view, const platform::UserCoordinateSystem& ucs, const QPointF& pixel)
{
    const ZcGePoint2d world = view.toWorld(pixel);
    const ZcGePoint3d user = ucs.fromWorld({world.x, world.y, 0.0});
    const double step = clickStep(view.scale);
    return {roundedTo(user.x, step), roundedTo(user.y, step), 0.0};
}

QPointF pixelOfUserPoint(const ViewMapping& view, const platform::UserCoordinateSystem& ucs, const ZcGePoint3d& p)
{
    const ZcGePoint3d world = ucs.toWorld(p);
    return view.toPixel({world.x, world.y});
}
