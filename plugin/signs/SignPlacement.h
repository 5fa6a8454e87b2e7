#pragma once

#include <string>

#include "ZcDbObjectId.h"
#include "signs/SignBoard.h"

// Places a sign's board block in model space, as the user picks, on the
// layer given: either a plain reference at one point, or a sign on a post.
// On a post the user gives two points along the road and the post's place;
// the post symbol stands across the road, a leader runs from it to where
// the board stands, square to the leader's last segment, and the
// description (symbol, destination, size, film generation) stands to the
// right of the board. With no leader point after the post, the board (and
// its description) stands at the post, its bottom edge along the road. A
// point that repeats the one before it (a double click) is asked again on
// the road and passed over on the leader.
//
// The ids placed go to result in this order: the post, the leader, the
// board, the description (a plain placement gives only the board). The
// board's id is returned, null when nothing was placed: a cancelled pick,
// or no board block in the drawing, which is said on the command line
// before anything is asked. Nothing is left open.
//
// Scales: s the sign's scale, f the symbol factor, g the description
// factor: a plain board s·f·0.002, the post s·f·0.02, a board on a post
// s·f·0.005, the description s·g·0.01.

// Rounded boards, whose origin is the middle of the bottom edge.
ZcDbObjectId PlaceSign(const D_SignBoard& sign, ZcDbObjectIdArray& result, const std::string& layer,
                       double symbolFactor, double descriptionFactor);

// Arrow boards, whose origin is the middle of the flat end; the road's
// direction is taken as picked whichever way the board points, and the
// description gives the size letter.
ZcDbObjectId PlaceArrowSign(const D_SignBoard& sign, ZcDbObjectIdArray& result, const std::string& layer,
                            double symbolFactor, double descriptionFactor);

// A red cross over the entity's extents, of two lines 0.5 wide in model
// space on the entity's layer, for a sign that is to be removed; returns
// the lines, which belong to the sign's group.
ZcDbObjectIdArray CrossOutEntity(const D_SignBoard& sign, ZcDbObjectId id);

// The first n characters of a UTF-8 text, never cutting one in two.
std::string FirstCharacters(const std::string& text, size_t n);
