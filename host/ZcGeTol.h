#pragma once

// Tolerance for the equality tests of points and vectors: far below any
// drawing dimension (metres), far above double rounding of road coordinates.
inline constexpr double kZcGeEqualPoint = 1e-10;
