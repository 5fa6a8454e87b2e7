#pragma once

#include <string>

#include "markings/ArrowCatalogue.h"

// The description's scale: 1 at 1:1000 (index 0), 2 at 1:500 (index 1) and
// 10 with no scale chosen, times the drawing's marking scale.
double ArrowDescriptionScale(int scaleIndex, double markingScale);

// Where an arrow goes: the destination's index (which gives the layer) and
// its name as the description shows it, and the scale list's index.
struct ArrowTarget {
    int destination = 0;
    std::string destinationName;
    int scaleIndex = 0;
};

// One insertion on the command line: the road's direction by two points
// (the second asked again while it repeats the first), the arrow's tail by
// a third; the arrow turned along the road, then a
// description line and, at its end, the description with the symbol, the
// area, the length class and the destination, turned to read upright; all
// on the destination's layer and grouped when the drawing asks for it. A
// block name no arrow has is said in one line before anything is asked. A
// cancelled pick of the three points leaves the drawing as it was (the
// arrow's block is made after them); a description line not drawn leaves
// the arrow without a description.
void InsertArrow(const ArrowChoice& choice, const ArrowTarget& target);
