#pragma once

#include <string>

// The blocks the drawing commands insert beside what they draw: a sign
// post, and the descriptions of a vertical sign and of a marking, whose
// attributes carry the quantities. Each is built the first time a drawing
// needs it; a block of that name already in the drawing is used as it is,
// whatever it holds. Each getter gives the block's name, or "" when the
// drawing could not take it; nothing is left open.

inline constexpr const char* kPostBlock = "Slupek1";
inline constexpr const char* kVerticalDescBlock = "S_Znaki_OpisPionowe";
inline constexpr const char* kHorizontalDescBlock = "S_Znaki_OpisPoz";

// The plan symbol of a post with its board: a circle and a filled bar,
// coloured by block so that a reference shows its layer's colour.
std::string GetPostBlock();

// A vertical sign's description: "Symbol" and "Przeznaczenie" on one row
// (visible), "Wielkość" and "Odblaskowość" below (invisible); text height 150.
std::string GetVerticalDescBlock();

// A marking's description, one row each: "Symbol" and "Powierzchnia"
// (visible), "Długość", "Przeznaczenie", "Powierzchnia_na_mb" (invisible);
// text height 1.
std::string GetHorizontalDescBlock();
