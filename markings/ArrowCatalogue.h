#pragma once

#include <span>
#include <string>

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
