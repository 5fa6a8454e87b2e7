#pragma once

#include <cmath>

#include "ZcGeMatrix3d.h"
#include "ZcGePoint2d.h"
#include "ZcGePoint3d.h"

namespace platform {

// The largest magnitude of a number in a drawing. Beyond it, sums and
// products of a drawing's numbers (lengths, areas, extents, a picture's
// framing) may overflow to infinity; no drawing comes near it.
inline constexpr double kMaxDrawingNumber = 1e100;

// A number a drawing can hold: finite and within ±kMaxDrawingNumber. The
// setters, the reader of files and the writer all ask this, so that what is
// read can be written and what is set can be computed with.
inline bool isDrawingNumber(double v) { return std::fabs(v) <= kMaxDrawingNumber; }  // false for NaN

// Setters refuse values that would put NaN, infinity or numbers beyond
// kMaxDrawingNumber into a drawing.
inline bool isFinite(double v) { return isDrawingNumber(v); }
inline bool isFinite(const ZcGePoint2d& p) { return isDrawingNumber(p.x) && isDrawingNumber(p.y); }
inline bool isFinite(const ZcGePoint3d& p)
{
    return isDrawingNumber(p.x) && isDrawingNumber(p.y) && isDrawingNumber(p.z);
}
inline bool isFinite(const ZcGeVector3d& v)
{
    return isDrawingNumber(v.x) && isDrawingNumber(v.y) && isDrawingNumber(v.z);
}
inline bool isFinite(const ZcGeMatrix3d& m)
{
    for (const auto& row : m.entry)
        for (double e : row)
            if (!isDrawingNumber(e))
                return false;
    return true;
}

}  // namespace platform
