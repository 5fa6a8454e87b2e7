#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "console/Quantity.h"

// A block reference of model space as the bill of quantities sees it.
struct PlacedReference {
    std::string block;  // the block's name
    std::string layer;
    std::string handle;  // as the DXF file writes it, to name it in warnings
    double x = 0.0, y = 0.0;
    std::map<std::string, std::string> attributes;  // tag → text, the first of a repeated tag
    int group = -1;                                 // the first group that holds it; -1: none
    std::vector<std::string> clashingTags;          // tags repeated with another text
};

// What the bill needs of a block definition: its size, and for an
// information board its text and colours.
struct BlockFacts {
    // Of its entities' extents, in the block's units: millimetres of the
    // real board for sign and information boards. Zero for an empty block.
    double width = 0.0, height = 0.0;
    bool infoBoard = false;  // an anonymous block of one multi-line text on hatched boards
    std::string text;        // the information board's text, its lines joined by " / "
    std::string textColour, boardColour;
};

// What a drawing gives the bill: its references, the blocks they refer to,
// and the layers of the four destinations (designed, temporary, existing,
// removed) from its settings.
struct DrawingContents {
    std::vector<PlacedReference> references;
    std::array<std::string, 4> destinationLayers;
    std::map<std::string, BlockFacts> blocks;  // by name
};

// One cell of a table: a text, a count or a quantity.
struct ReportCell {
    enum class Kind { Text, Count, Quantity };
    Kind kind = Kind::Text;
    std::string text;
    int64_t count = 0;
    Quantity quantity;
};

// A table as the designer hands it in: a title, a header row, the rows, and
// the totals row last.
struct ReportTable {
    std::string title;
    std::string sheet;  // a worksheet's name
    std::string file;   // a file's name, without extension
    std::vector<std::string> headings;
    std::vector<std::vector<ReportCell>> rows;
    // For each row but the totals, the handle of a reference that shows
    // what it counts (a board, an arrow, a symbol); "" for none. Empty for
    // a table without pictures.
    std::vector<std::string> pictures;
};

// The four tables (vertical signs, line markings, arrows, traffic lights)
// and the warnings, each a line of text.
struct Report {
    std::vector<ReportTable> tables;
    std::vector<std::string> warnings;
};

// The bill of quantities of a drawing's contents. Sign boards, arrows and
// lights are counted by their references; a board and the description
// beside it are one sign. Figures that are not numbers are warned about and
// left out of the sums.
Report makeReport(const DrawingContents& drawing);
