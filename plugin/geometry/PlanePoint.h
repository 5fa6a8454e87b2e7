#pragma once

#include <cmath>
#include <concepts>
#include <utility>

#include "ZcGePoint2d.h"
#include "ZcGePoint3d.h"

// The toolkit's operations exist for 3D points and for 2D points with the
// same algorithm; this is what the two kinds have in common.
template <class P>
concept PlanePoint = std::same_as<P, ZcGePoint2d> || std::same_as<P, ZcGePoint3d>;

// ZcGeVector2d for 2D points, ZcGeVector3d for 3D ones.
template <PlanePoint P>
using VectorOf = decltype(std::declval<P>() - std::declval<P>());

// The point (x, y) taking any further coordinates from base.
template <PlanePoint P>
constexpr P WithXY(P base, double x, double y)
{
    base.x = x;
    base.y = y;
    return base;
}

// |u x w|: the area of the parallelogram the two vectors span.
inline double CrossLength(const ZcGeVector2d& u, const ZcGeVector2d& w) { return std::fabs(u.crossProduct(w)); }
inline double CrossLength(const ZcGeVector3d& u, const ZcGeVector3d& w) { return u.crossProduct(w).length(); }
