#pragma once

#include <cmath>

#include "ZcGeMatrix3d.h"
#include "ZcGePoint2d.h"
#include "ZcGePoint3d.h"

// Setters refuse values that would put NaN or infinity into a drawing.
inline bool isFinite(double v) { return std::isfinite(v); }
inline bool isFinite(const ZcGePoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }
inline bool isFinite(const ZcGePoint3d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
inline bool isFinite(const ZcGeVector3d& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
inline bool isFinite(const ZcGeMatrix3d& m)
{
    for (const auto& row : m.entry)
        for (double e : row)
            if (!std::isfinite(e))
                return false;
    return true;
}
