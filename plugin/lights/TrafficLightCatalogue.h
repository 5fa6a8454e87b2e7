#pragma once

#include <array>
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

struct TrafficLightRow {
    const char* name;
    int32_t icon;
};

// The symbols in list order, which the bill of quantities keeps too.
// "s_c4" and "s_c5" are variants of one symbol and share its icon.
inline constexpr TrafficLightRow kTrafficLightRows[] = {
    {"s_a1", 8049}, {"s_b1", 8050}, {"s_c1", 8051}, {"s_c2", 8080}, {"s_c3", 8053}, {"s_c4", 8054},
    {"s_c5", 8054}, {"s_c6", 8055}, {"s_c7", 8056}, {"s_c8", 8057}, {"s_d1", 8059}, {"s_d2", 8060},
    {"s_d3", 8061}, {"s_e1", 8062}, {"s_f1", 8063}, {"s_g1", 8064}, {"s_g2", 8065}, {"s_g3", 8066},
    {"s_g4", 8067}, {"s_g5", 8068}, {"s_g6", 8069}, {"s_h1", 8070}, {"s_i1", 8071}, {"s_j1", 8072},
    {"s_k1", 8073}, {"s_l1", 8074}, {"s_m1", 8075}, {"s_n1", 8076}, {"s_o1", 8077}, {"s_p1", 8078},
};

// The traffic-light symbols in list order: list item i shows image i.
std::span<const D_RoadSign> TrafficLightCatalogue();
