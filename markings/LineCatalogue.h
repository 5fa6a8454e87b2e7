#pragma once

#include <string>
#include <vector>

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

// The seventeen markings in the order of the dialog's rows.
std::vector<D_Linetype> LineCatalogue();

// The double markings, drawn as two lines either side of the picked piece.
bool IsDoubleMarking(const D_Linetype& entry);
// The double markings whose two lines differ: the user picks the side that
// gets the second linetype.
bool HasPickedSide(const D_Linetype& entry);
