#pragma once

#include <string>

// The dimensions of a traffic island where a road enters a roundabout, with
// the kerbs of its entry (inlet, left of the direction away from the
// roundabout) and exit (outlet, right) lanes. Lengths in drawing units
// (metres); the defaults are those a new island dialog starts with.
struct IslandParameters {
    double R = 20.0;     // radius of the roundabout's outer circle
    double S = 4.0;      // width of the island at its base, on the circle
    double L = 15.0;     // length of the island along the road's axis
    std::string A = "1:10";  // skew of the island's sides or taper, "a:b"
    double Sw = 3.75;    // width of the inlet lane
    double Su = 4.5;     // width of the outlet lane
    double Sd = 7.0;     // width of the road beyond the island
    double R1 = 0.5;     // radius of the island's corner roundings
    double R3 = 0.5;     // kept for the dialog; no construction reads it
    double Ru = 15.0;    // kerb arc from the outlet kerb to the circle
    double Rw = 12.0;    // kerb arc from the inlet kerb to the circle
    double Ru1 = 80.0;   // arcs where the outlet kerb bends into the road edge
    double Rw1 = 50.0;   // arcs where the inlet kerb bends into the road edge
    double L1 = 0.0;     // island's nose beyond a pedestrian crossing; 0: no crossing
    double L2 = 0.0;     // width of that crossing
};

enum class IslandKind { kTriangular, kParallel };

// Writes the values a change to that kind of island brings; the other
// parameters keep theirs.
void applyKindValues(IslandParameters& parameters, IslandKind kind);
