#pragma once

#include <string>
#include <vector>

#include "resource.h"

// One line marking of the catalogue: what is drawn, how wide, and what its
// description reports per running metre.
struct D_Linetype {
    std::string symbol;                         // "P-1A"; tested by name when drawing
    std::string description;                    // the Polish name from the string table
    double areaPerMetre = 1.0;                  // painted m2 per running metre
    std::string linetype = "Continuous";        // of the drawn line
    std::string secondLinetype = "Continuous";  // the picked side of P-3A and P-3B
    int iconId = 0;                             // 32x32 icon of the dialog's list
    double width = 0.0;                         // constant width of the drawn line(s)
    double secondWidth = 0.0;                   // the second line's; drawing uses width
};

// The catalogue's rows, in the order of the dialog's list; the bill of
// quantities sorts its marking rows by it too.
struct LineRow {
    const char* symbol;
    unsigned descriptionId;
    double areaPerMetre;
    const char* linetype;
    const char* secondLinetype;
    int iconId;
    double width;
    double secondWidth;
};

// The icon ids are not in symbol order: P-4 has 8024, P-7C 8040, P-7D 8039.
inline constexpr LineRow kLineRows[] = {
    {"P-1A", IDS_LINE_DASHED_LONG, 0.04, "P-1A", "Continuous", 8025, 0.12, 0},
    {"P-1B", IDS_LINE_DASHED_SHORT, 0.04, "P-1B", "Continuous", 8026, 0.12, 0},
    {"P-1C", IDS_LINE_DASHED_DIVIDING, 0.12, "P-1C", "Continuous", 8027, 0.24, 0},
    {"P-1D", IDS_LINE_DASHED_GUIDE_NARROW, 0.06, "P-1D", "Continuous", 8028, 0.12, 0},
    {"P-1E", IDS_LINE_DASHED_GUIDE_WIDE, 0.12, "P-1E", "Continuous", 8029, 0.24, 0},
    {"P-2A", IDS_LINE_SOLID_NARROW, 0.12, "Continuous", "Continuous", 8030, 0.12, 0},
    {"P-2B", IDS_LINE_SOLID_WIDE, 0.24, "Continuous", "Continuous", 8031, 0.24, 0},
    {"P-3A", IDS_LINE_ONE_WAY_LONG, 0.2, "Continuous", "P-6", 8032, 0.12, 0.12},
    {"P-3B", IDS_LINE_ONE_WAY_SHORT, 0.18, "Continuous", "P-1D", 8033, 0.12, 0.12},
    {"P-4", IDS_LINE_DOUBLE_SOLID, 0.24, "Continuous", "Continuous", 8024, 0.12, 0.12},
    {"P-5", IDS_LINE_DOUBLE_DASHED, 0.32, "P-6", "P-6", 8034, 0.12, 0.12},
    {"P-6", IDS_LINE_WARNING, 0.08, "P-6", "Continuous", 8035, 0.12, 0},
    {"P-7A", IDS_LINE_EDGE_DASHED_WIDE, 0.12, "P-7A", "Continuous", 8036, 0.24, 0},
    {"P-7B", IDS_LINE_EDGE_SOLID_WIDE, 0.24, "P-7B", "Continuous", 8037, 0.24, 0},
    {"P-7C", IDS_LINE_EDGE_DASHED_NARROW, 0.06, "P-7C", "Continuous", 8040, 0.12, 0},
    {"P-7D", IDS_LINE_EDGE_SOLID_NARROW, 0.12, "P-7D", "Continuous", 8039, 0.12, 0},
    {"P-19", IDS_LINE_PARKING_LANE, 0.12, "P-19", "Continuous", 8041, 0.24, 0},
};

// The seventeen markings in the order of the dialog's rows.
std::vector<D_Linetype> LineCatalogue();

// The double markings, drawn as two lines either side of the picked piece.
bool IsDoubleMarking(const D_Linetype& entry);
// The double markings whose two lines differ: the user picks the side that
// gets the second linetype.
bool HasPickedSide(const D_Linetype& entry);
