#pragma once

#include "ZcGePoint3d.h"
#include "ZcGeVector3d.h"
#include "resbuf.h"

// Between the command line's plain arrays and the geometry value types.
inline ZcGePoint3d asPnt3d(const ads_point p) { return {p[0], p[1], p[2]}; }
inline ZcGeVector3d asVec3d(const ads_point p) { return {p[0], p[1], p[2]}; }
