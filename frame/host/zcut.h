#pragma once

#include "resbuf.h"

// Prints on the command line (UTF-8); returns the number of bytes printed.
int zcutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The angle of the direction from p1 to p2 in the XY plane, in radians
// 0..2pi counter-clockwise from +X.
ads_real zcutAngle(const ads_point p1, const ads_point p2);
