#pragma once

// Tolerances of the geometry toolkit, in drawing units (metres) unless said.

// Two lines whose directions' cross product (unnormalised, u.x*w.y - w.x*u.y)
// is at most this count as parallel: they have no intersection point.
inline constexpr double kParallelDeterminant = 1e-9;

// A line this close to a circle's radius from its centre touches the
// circle in one point: picks and computed edges are not exact to better
// than a tenth of a millimetre.
inline constexpr double kTangentTolerance = 0.0001;

// End points of a curve this close to given points are taken as joining
// them (a tenth of a millimetre, as the drawing's own points go).
inline constexpr double kJoinTolerance = 0.0001;

// The smallest size (radius, width, length) a construction is drawn with:
// below the join tolerance a curve's ends and its centre are one point as
// the drawing's own points go (a kerb radius of 1e-300 m is no curve).
inline constexpr double kMinSize = kJoinTolerance;
