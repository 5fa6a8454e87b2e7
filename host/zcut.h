#pragma once

#include "ZrxExport.h"
#include "resbuf.h"

// Prints on the command line (UTF-8); returns the number of bytes printed.
ZRX_EXPORT int zcutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The angle of the direction from p1 to p2 in the XY plane, in radians
// 0..2pi counter-clockwise from +X.
ZRX_EXPORT ads_real zcutAngle(const ads_point p1, const ads_point p2);
