#pragma once

#include <QPointF>
#include <QTransform>

#include "ZcDbExtents.h"
#include "ZcGePoint2d.h"
#include "ZcGePoint3d.h"
#include "platform/editor/UserCoordinateSystem.h"

// How the view shows the world: a plan, y up on screen, at a scale about a
// centre. Pixels are fractional, as mouse events give them.
struct ViewMapping {
    double scale = 1.0;  // pixels per drawing unit
    ZcGePoint2d centre;  // the world point in the middle of the view
    int width = 1;
    int height = 1;

    QPointF toPixel(const ZcGePoint2d& world) const;
    ZcGePoint2d toWorld(const QPointF& pixel) const;
    QTransform worldToPixel() const;

    // The same view with the scale multiplied by factor, the world point
    // under the pixel staying under it.
    ViewMapping zoomedAbout(const QPointF& pixel, double factor) const;
    // The world dragged by a move of the cursor in pixels.
    ViewMapping panned(const QPointF& pixelMove) const;
    // The extents filling the view with a margin; an empty drawing shows
    // the unit square at the origin.
    static ViewMapping fitting(const ZcDbExtents& extents, int width, int height);
};

// The scale stays within these (pixels per drawing unit): further out or in
// no drawing shows anything useful, and the mapping stays exact enough.
inline constexpr double kMinViewScale = 1e-7;
inline constexpr double kMaxViewScale = 1e7;

// A point given by a click, in the user system: the world point under the
// pixel, rounded to a decimal step a thousand times finer than a pixel. So a
// click keeps the drawing tidy, and a point clicked where it shows comes back
// as it was typed.
ZcGePoint3d clickedPoint(const ViewMapping& view, const platform::UserCoordinateSystem& ucs, const QPointF& pixel);
// The decimal step clicks are rounded to at a scale.
double clickStep(double scale);
// The pixel where a point of the user system shows.
QPointF pixelOfUserPoint(const ViewMapping& view, const platform::UserCoordinateSystem& ucs, const ZcGePoint3d& p);
