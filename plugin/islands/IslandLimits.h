#pragma once

#include <string>

#include "ZcGePoint3d.h"
#include "islands/IslandParameters.h"

// The limits an island's input must keep for the construction to give a
// sound island: outside them it draws nothing and says which parameter is
// at fault.

enum class IslandLimit {
    None,
    NoSkew,          // A has no ":" or begins with it: nothing drawn, nothing said
    SamePoints,      // the direction point is the first point: no axis
    NotPositive,     // the parameter must be a number of at least kMinSize
    Negative,        // the parameter must be a number, 0 or more
    NotANumber,      // the parameter must be a number
    TooLarge,        // the parameter is longer than kLargestIslandLength
    SkewAngle,       // A gives no angle strictly between 0 and 90 degrees
    IslandLength,    // L reaches the apex of the triangular island's sides
    CornerRounding,  // R1 does not fit on the island's base and sides
    Crossing,        // the crossing (L1, L2) does not fit on the straight sides
    KerbCircle,      // the kerb moved out by Rw (Ru) does not cut its circle twice
    KerbInsideRoad,  // the kerb (Sw, Su) does not come out to the road's edge (Sd)
    KerbBreak,       // the arcs of radius Rw1 (Ru1) do not fit on the kerb
    KerbEntryArc,    // the arc of radius Rw (Ru) from the circle runs past the kerb's bend
    KerbArcs,        // the arcs of radius Rw and Rw1 (Ru, Ru1) each fit on the kerb, not both
    OutOfRange,      // the island's numbers overflow
};

// No road's island has a length beyond this (10,000 km in metres); it also
// keeps the construction's products and intersections far from overflow.
inline constexpr double kLargestIslandLength = 1e7;

struct IslandFault {
    IslandLimit limit = IslandLimit::None;
    const char* parameter = "";  // the parameter's name as the dialog shows it
    const char* second = "";     // with two values in conflict, the other one

    explicit operator bool() const { return limit != IslandLimit::None; }
};

// One line for the command line ("\n" first) naming the parameter and
// saying that nothing was drawn; empty for None and NoSkew.
std::string IslandFaultMessage(const IslandFault& fault);

// The fault of a kerb whose arc from the circle (radius entryName) and
// bend into the road's edge (breakName) do not both fit, named so that
// changing it can help: the entry arc's radius when that arc alone runs
// past the kerb's corner, the bend's when the bend alone does not fit,
// else the pair.
IslandFault KerbArcsFault(bool entryAloneTooBig, bool breakAloneTooBig, const char* entryName, const char* breakName);

// What both kinds of island check before computing a point: P1 and P2
// apart in plan, every length a number of the right sign and at most
// kLargestIslandLength long, the skew angle alpha (radians, from A)
// strictly between 0 and 90 degrees.
IslandFault CheckCommonLimits(const IslandParameters& parameters, ZcGePoint3d p1, ZcGePoint3d p2, double alpha);
