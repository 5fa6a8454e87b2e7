#include "platform/render/Affine2.h"

#include <cmath>

namespace platform {

Affine2 Affine2::fromMatrix(const ZcGeMatrix3d& m)
{
    return {m.entry[0][0], m.entry[0][1], m.entry[0][3], m.entry[1][0], m.entry[1][1], m.entry[1][3]};
}

Affine2 Affine2::placement(const ZcGePoint2d& origin, double rotation, double sx, double sy)
{
    const double c = std::cos(rotation), s = std::sin(rotation);
    return {c * sx, -s * sy, origin.x, s * sx, c * sy, origin.y};
}

Affine2 Affine2::operator*(const Affine2& f) const
{
    return {xx * f.xx + xy * f.yx, xx * f.xy + xy * f.yy, xx * f.x0 + xy * f.y0 + x0,
            yx * f.xx + yy * f.yx, yx * f.xy + yy * f.yy, yx * f.x0 + yy * f.y0 + y0};
}

double Affine2::lengthScale() const { return std::sqrt(std::fabs(det())); }

bool Affine2::isFinite() const
{
    return std::isfinite(xx) && std::isfinite(xy) && std::isfinite(x0) && std::isfinite(yx) &&
           std::isfinite(yy) && std::isfinite(y0);
}

}  // namespace platform
