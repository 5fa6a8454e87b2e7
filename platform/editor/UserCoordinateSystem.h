#pragma once

#include "ZcGePoint3d.h"
#include "ZcGeVector3d.h"

namespace platform {

// The user coordinate system of the command line: the world system moved
// to an origin and turned about Z. Points typed by the user are in it.
struct UserCoordinateSystem {
    ZcGePoint3d origin;     // in world coordinates
    double rotation = 0.0;  // radians, counter-clockwise from world X

    bool isWorld() const { return origin == ZcGePoint3d::kOrigin && rotation == 0.0; }

    ZcGePoint3d toWorld(const ZcGePoint3d& p) const { return origin + vectorToWorld(p.asVector()); }
    ZcGePoint3d fromWorld(const ZcGePoint3d& p) const
    {
        const ZcGeVector3d v = vectorFromWorld(p - origin);
        return {v.x, v.y, v.z};
    }
    ZcGeVector3d vectorToWorld(const ZcGeVector3d& v) const { return turned(v, rotation); }
    ZcGeVector3d vectorFromWorld(const ZcGeVector3d& v) const { return turned(v, -rotation); }

private:
    static ZcGeVector3d turned(const ZcGeVector3d& v, double angle)
    {
        if (angle == 0.0)
            return v;  // the world system and unturned ones, most of the time
        const double c = std::cos(angle), s = std::sin(angle);
        return {c * v.x - s * v.y, s * v.x + c * v.y, v.z};
    }
};

}  // namespace platform
