#include "platform/db/entities/PlanarTransform.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
// Relative size of the matrix terms that may be left over from rounding when
// a map is built from rotations, scalings and mirrors of road geometry.
constexpr double kMatrixRoundingTol = 1e-9;
}  // namespace

PlanarTransform analysePlanar(const ZcGeMatrix3d& m)
{
    PlanarTransform t;
    const double a = m.entry[0][0], b = m.entry[0][1];
    const double c = m.entry[1][0], d = m.entry[1][1];
    const double size = std::max({std::fabs(a), std::fabs(b), std::fabs(c), std::fabs(d), std::fabs(m.entry[2][2])});
    if (!(size > 0.0))
        return t;
    const double tol = kMatrixRoundingTol * size;
    t.keepsPlane = std::fabs(m.entry[2][0]) <= tol && std::fabs(m.entry[2][1]) <= tol &&
                   std::fabs(m.entry[2][2]) > tol;
    t.heightFree = std::fabs(m.entry[0][2]) <= tol && std::fabs(m.entry[1][2]) <= tol;
    const double det2 = a * d - b * c;
    t.mirrored = det2 < 0.0;
    t.scale = std::sqrt(std::fabs(det2));
    t.rotation = std::atan2(c, a);
    if (t.scale > tol) {
        t.conformal = t.mirrored ? std::fabs(a + d) <= tol && std::fabs(b - c) <= tol
                                 : std::fabs(a - d) <= tol && std::fabs(b + c) <= tol;
    }
    return t;
}

}  // namespace platform
