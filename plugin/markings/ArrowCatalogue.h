#pragma once

#include <span>
#include <string>

#include "resource.h"

// The arrows the arrow dialog offers, in its order: the direction arrows
// P-8A to P-8I, the lane-change arrows P-9A and P-9B and the warning arrow
// P-6A. The painted areas are the catalogue's, as printed in the
// description; a two-size arrow has both, a long and a short one.
struct ArrowRow {
    const char* symbol;
    unsigned description;   // string-table id
    const char* longArea;   // the only size's area for a single-size arrow
    const char* shortArea;  // "" for a single-size arrow
    unsigned icon;
};

// The rows in the dialog's order, which the bill of quantities keeps too.
inline constexpr ArrowRow kArrowRows[] = {
    {"P-8A", IDS_ARROW_AHEAD, "1.59 m2", "1.21 m2", IDI_ARROW_P8A},
    {"P-8B", IDS_ARROW_LEFT, "1.94 m2", "1.49 m2", IDI_ARROW_P8B},
    {"P-8C", IDS_ARROW_TURN_BACK, "2.87 m2", "", IDI_ARROW_P8C},
    {"P-8D", IDS_ARROW_RIGHT, "1.94 m2", "1.49 m2", IDI_ARROW_P8D},
    {"P-8E", IDS_ARROW_AHEAD_LEFT, "2.72 m2", "2.19 m2", IDI_ARROW_P8E},
    {"P-8F", IDS_ARROW_AHEAD_RIGHT, "2.72 m2", "2.19 m2", IDI_ARROW_P8F},
    {"P-8G", IDS_ARROW_LEFT_RIGHT, "3.07 m2", "2.47 m2", IDI_ARROW_P8G},
    {"P-8H", IDS_ARROW_AHEAD_LEFT_RIGHT, "3.85 m2", "3.16 m2", IDI_ARROW_P8H},
    {"P-8I", IDS_ARROW_AHEAD_TURN_BACK, "3.75 m2", "", IDI_ARROW_P8I},
    {"P-9A", IDS_ARROW_GUIDE_LEFT, "4.15 m2", "", IDI_ARROW_P9A},
    {"P-9B", IDS_ARROW_GUIDE_RIGHT, "4.15 m2", "", IDI_ARROW_P9B},
    {"P-6A", IDS_ARROW_WARNING, "1.568 m2", "", IDI_ARROW_P6A},
};

std::span<const ArrowRow> ArrowCatalogue();

// The length classes of the length list, in its order.
enum ArrowLength { kArrowLong = 0, kArrowShort = 1 };

// What one insertion puts in the drawing and its description.
struct ArrowChoice {
    std::string symbol;     // "P-8A"
    std::string blockName;  // "P-8A_K"
    std::string area;       // "1.21 m2"
    std::string length;     // "Krótka"; "" for a single-size arrow
};

// The block and the description of a row's arrow for a length list index
// (-1 when the list has none): a two-size arrow gets "_D" or "_K" and its
// area and length class; with no length chosen it keeps the bare symbol,
// which names no block.
ArrowChoice ChooseArrow(const std::string& symbol, const std::string& longArea, const std::string& shortArea,
                        int lengthIndex);
