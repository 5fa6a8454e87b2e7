#pragma once

#include <string>

#include "markings/LineCatalogue.h"

// What the line-marking dialog hands to the drawing: the marking, the scale
// list's index (0 "1:1000", 1 "1:500", -1 none), the destination's index
// and its name as the list shows it.
struct LineMarkingChoice {
    D_Linetype entry;
    int scaleIndex = 0;
    int destination = 0;
    std::string destinationName;
};

// Half the distance between the two lines of a double marking: twice the
// narrow line's width.
inline constexpr double kDoubleLineOffset = 0.24;

// Asks for an edge (line, arc, circle or polyline) and two points on it and
// draws the marking along the piece of the edge between them, on the
// destination's layer, each piece with a description line and a
// description block of its length and painted area, grouped when the
// drawing asks for it. An open edge takes the points in either order; a
// closed one is followed from the first point to the second in its own
// direction. A line, arc or circle picked stays replaced by its polyline.
// An edge of another kind, of no length or on a locked layer, and two
// points at one place of an open edge, are refused with a message. Nothing
// is left open; a cancelled pick leaves no working copy behind.
void DrawLineMarking(const LineMarkingChoice& choice);

// The description's scale: 2 at "1:500", 1 at "1:1000" or with none
// chosen, times the drawing's marking scale.
double DescriptionScale(int scaleIndex, double markingScale);
