#pragma once

#include <cstdint>
#include <span>
#include <string>

// One symbol of a catalogue: the block's name (also its template's file
// name and the list's caption), a description, and its icon's resource id.
struct D_RoadSign {
    std::string name;
    std::string description;
    int32_t icon = 0;
};

// The traffic-light symbols in list order: list item i shows image i.
std::span<const D_RoadSign> TrafficLightCatalogue();
