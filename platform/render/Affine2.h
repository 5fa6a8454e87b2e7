#pragma once

#include "ZcGeMatrix3d.h"
#include "ZcGePoint2d.h"
#include "ZrxExport.h"

namespace platform {

// A map of the plane: x' = xx*x + xy*y + x0, y' = yx*x + yy*y + y0. Blocks
// take their content into the world by such maps, and the picture takes the
// world onto the page by one.
struct ZRX_EXPORT Affine2 {
    double xx = 1.0, xy = 0.0, x0 = 0.0;
    double yx = 0.0, yy = 1.0, y0 = 0.0;

    // The plan part of a 3D transform (what it does to points at height 0).
    static Affine2 fromMatrix(const ZcGeMatrix3d& m);
    static Affine2 translation(double dx, double dy) { return {1.0, 0.0, dx, 0.0, 1.0, dy}; }
    // Rotation by an angle, then scaling by sx along X and sy along Y, then a move to origin.
    static Affine2 placement(const ZcGePoint2d& origin, double rotation, double sx, double sy);

    ZcGePoint2d apply(const ZcGePoint2d& p) const { return {xx * p.x + xy * p.y + x0, yx * p.x + yy * p.y + y0}; }
    ZcGeVector2d apply(const ZcGeVector2d& v) const { return {xx * v.x + xy * v.y, yx * v.x + yy * v.y}; }
    // This map applied after another.
    Affine2 operator*(const Affine2& first) const;
    double det() const { return xx * yy - xy * yx; }
    // The factor by which lengths grow on average (root of the area factor).
    double lengthScale() const;
    bool isFinite() const;
};

}  // namespace platform
