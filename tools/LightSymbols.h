#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "ZcGePoint2d.h"

// The traffic-light symbols of the light catalogue, in block units, as the
// template drawings hold them: the pole (the insertion point) at the
// origin, the side that faces the traffic towards -Y. A head lies from
// its pole towards the traffic, its top next to the pole, so that its face
// reads the right way up along the traffic: arrows on lenses point as the
// traffic they serve drives, ahead +Y, left -X.

// One outline: a polyline (bulges as in a polyline, one per vertex),
// drawn in a colour index; a filled one also gets a solid fill. A fine one
// is a detail of a lens, which a wide stroke would blot out in a small
// picture.
struct LightOutline {
    std::vector<ZcGePoint2d> points;
    std::vector<double> bulges;
    bool closed = true;
    bool filled = false;
    int colour = 7;
    bool fine = false;
};

using LightSymbol = std::vector<LightOutline>;

// A symbol of the catalogue: its template's name, the icon resource that
// shows it in the list, and what it is.
struct LightEntry {
    const char* name;
    int iconId;
    const char* what;
};

// The 30 symbols in the catalogue's order.
std::span<const LightEntry> lightCatalogue();

// The outlines of the catalogue's symbol at index, in drawing order.
LightSymbol lightSymbol(size_t index);
