#pragma once

#include <string>
#include <string_view>

#include "ZcCmColor.h"
#include "ZcDbObjectId.h"

// The information board: free text in the road-lettering style, wrapped at
// the board's width, on a rounded board of two colours, built as a new
// anonymous block.

// What the board dialog hands to the builder.
struct InfoBoardArgs {
    std::string text;  // as typed: each line break starts a new line
    int textHeight = 102;
    int width = 900;
    int height = 500;  // the dialog's hidden height; the board takes its height from the text
    ZcCmColor boardColour;
    ZcCmColor textColour;
};

// The board around the text, in the block's units.
inline constexpr double kInfoBoardCornerRadius = 30.0;
inline constexpr double kInfoBoardBorderWidth = 5.0;
inline constexpr double kInfoBoardStripeWidth = 20.0;
inline constexpr double kInfoBoardMargin = 50.0;  // from the text's extents to the board's edge
// The border ring, the stripe and the field: three outlines, three fills.
inline constexpr int kInfoBoardLayers = 3;
// The wrapping width of a board too narrow for its margins: each word on a
// line of its own.
inline constexpr double kNarrowestInfoWrap = 1.0;
// The tallest text the board takes: as tall as the widest board.
inline constexpr int kLargestInfoTextHeight = 2000;

// The narrowest board whose outlines keep clear of themselves: each of the
// three outlines is inset as far as its corner radius shrinks, so each
// needs twice the outer corner radius across.
inline constexpr int kSmallestInfoBoardWidth = int(2.0 * kInfoBoardCornerRadius);

// The multi-line text contents that show the typed text as it was typed:
// a line break becomes a paragraph break, a backslash and the braces are
// escaped so that they show instead of starting codes. The "%%" codes stay,
// as a CAD user types them for the degree and diameter signs. The sign
// boards' place names are escaped alike.
std::string InfoBoardContents(std::string_view typed);

// A new anonymous block: the text (bottom centre at the block's origin,
// style "Tarvowy", the text colour, wrapped to keep kInfoBoardMargin from
// the board's sides) on top of a rounded board as wide as the width,
// reaching kInfoBoardMargin above and below the text; a word too long to
// wrap widens the wrapping to its width and the board to keep
// kInfoBoardMargin beside it. The block is
// closed; its id is returned, null when it could not be built whole
// (nothing is left then). A width below kSmallestInfoBoardWidth and a text
// height outside 1 to kLargestInfoTextHeight are the caller's to refuse.
ZcDbObjectId BuildInfoBoard(const InfoBoardArgs& args);
