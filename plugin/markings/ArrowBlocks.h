#pragma once

#include <span>
#include <string_view>

// The painted arrows' block definitions. Each is built in the drawing the
// first time it is asked for, from its outline: a closed polyline filled
// with a solid hatch, both on layer "0" and coloured by block, so that a
// reference shows the colour of its layer.

// A vertex of an outline, in metres: x along the arrow from its tail
// (x = 0) towards its tip, y across it, positive to the left; the bulge is
// that of the segment that starts at the vertex.
struct ArrowVertex {
    double x, y;
    double bulge = 0.0;
};

struct ArrowOutline {
    std::string_view name;
    std::span<const ArrowVertex> vertices;
};

// The nineteen outlines: one per single-size arrow, a long "_D" and a short
// "_K" one per two-size arrow.
std::span<const ArrowOutline> ArrowOutlines();

// The outline of that block name, or null for a name no arrow has.
const ArrowOutline* FindArrowOutline(std::string_view name);

// Makes sure the drawing has the arrow block of that name. A block of that
// name already in the drawing is kept as it is, whatever it holds. A name
// no arrow has defines nothing and gives false; true when the block is
// there afterwards. Nothing is left open.
bool GetArrowBlock(const char* name);
