#pragma once

#include <string>
#include <string_view>

#include "ZcCmColor.h"
#include "ZcDbBlockTable.h"

enum class SignKind {
    E17a,  // place name, white on green
    E18a,  // end of the place: E-17a's board with a red band
    E21,   // a place that is not a town: blue on white
    E4,    // direction to a place: green arrow board
    E5,    // direction to a place: white arrow board, four sizes
};

// One E-series sign as a drawing action builds and places it: what the
// board shows, its colours and sizes in millimetres of the real sign, and
// how it is placed. Filled by a sign dialog, used for one press of its draw
// button.
struct D_SignBoard {
    bool pointsLeft = false;      // arrow boards point left; the placement mirrors too
    double scale = 1.0;           // from the dialog's scale list
    bool withDescription = true;  // the description block beside the board
    bool asSign = true;           // on a post with a leader; else a plain reference
    char sizeClass = ' ';         // 'W', 'D', 'S', 'M' for E-5; a space for the others
    double stripeWidth = 25.0;    // E-5 board
    double textHeight = 132.0;    // E-5 board
    double boardHeight = 300.0;   // E-5 board
    double textMargin = 100.0;    // flat end to text, text to the root of the point
    std::string destination;      // "Projektowany", …
    std::string generation;       // "I Generacja" unless chosen
    std::string blockName;
    std::string symbol = "E-5";
    std::string text;                          // the place name
    ZcCmColor boardColour;                     // border ring and field
    ZcCmColor textColour;                      // text and stripe
    ZcDbBlockTableRecord* blockDef = nullptr;  // the board block while it is built

    // The sign's own symbol, colours and margin; E-5 starts as blue on
    // white with the size letter still to be set.
    explicit D_SignBoard(SignKind kind = SignKind::E5);

    // Sets the size letter (either case) and, for W, D, S and M, the E-5
    // board's stripe, text and board sizes; the text margin is always four
    // stripe widths.
    void SetSizeClass(char letter);

    // Keeps the text and names the board block after the symbol, the text,
    // the size letter and the direction ("E-5_Kraków_D_" points left), so
    // the same sign always finds the same block. A text the block table
    // would refuse in a name (too long, reserved characters) keeps its
    // readable part and gets a hash of the whole text instead.
    void MakeSignBlockName(const std::string& boardText);
};

// Whether the host takes the text as a symbol-table record name.
bool IsValidBlockName(const std::string& name);

// The place name as a board shows it and its block is named after it: the
// typed text without control characters (line breaks, tabs, DEL), which a
// one-line board cannot show, and without the spaces around it. Empty for a
// text with nothing to show.
std::string SignText(std::string_view typed);
