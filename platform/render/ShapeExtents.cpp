#include "platform/render/ShapeExtents.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
// An arc is boxed by points at most this far apart in angle (and its ends);
// the box then falls short of the true one by under 0.2 % of the radius,
// which the picture's margin takes up.
constexpr double kArcBoxStep = curve::kPi / 32.0;
}  // namespace

void ShapeExtents::addPoint(const Affine2& map, const ZcGePoint2d& p)
{
    const ZcGePoint2d w = map.apply(p);
    if (std::isfinite(w.x) && std::isfinite(w.y))
        m_extents.addPoint({w.x, w.y, 0.0});
}

void ShapeExtents::add(const Shape& shape)
{
    if (shape.kind == Shape::Kind::Text) {
        const ZcDbExtents& box = shape.glyphs.box;
        if (box.isEmpty())
            return;
        const ZcGePoint3d& lo = box.minPoint();
        const ZcGePoint3d& hi = box.maxPoint();
        for (const ZcGePoint2d& corner : {ZcGePoint2d(lo.x, lo.y), ZcGePoint2d(hi.x, lo.y), ZcGePoint2d(hi.x, hi.y),
                                          ZcGePoint2d(lo.x, hi.y)})
            addPoint(shape.map, corner);
        return;
    }
    for (const Contour& c : shape.contours) {
        for (const curve::Piece& p : c.pieces) {
            addPoint(shape.map, p.start);
            addPoint(shape.map, p.end);
            if (!p.arc || !std::isfinite(p.sweep))
                continue;
            const int steps = int(std::ceil(std::min(std::fabs(p.sweep), curve::kTwoPi) / kArcBoxStep));
            for (int k = 1; k < steps; ++k) {
                const double a = p.startAngle + p.sweep * k / steps;
                addPoint(shape.map, p.center + ZcGeVector2d(std::cos(a), std::sin(a)) * p.radius);
            }
        }
    }
}

}  // namespace platform
