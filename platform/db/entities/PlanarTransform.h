#pragma once

#include "ZcGeMatrix3d.h"

namespace platform {

// How an affine map acts on figures drawn in planes parallel to XY (arcs,
// circles, polylines, hatches): whether they stay such figures, and how
// their sizes and turning sense change.
struct PlanarTransform {
    bool keepsPlane = false;  // planes parallel to XY go to planes parallel to XY
    bool heightFree = false;  // where a point lands in plan does not depend on its height
    bool conformal = false;   // in the plane: a rotation with one scale, perhaps mirrored
    bool mirrored = false;    // the turning sense in the plane is reversed
    double scale = 1.0;       // length factor in the plane (of a conformal map)
    double rotation = 0.0;    // angle of the image of the X axis
};

PlanarTransform analysePlanar(const ZcGeMatrix3d& m);

}  // namespace platform
