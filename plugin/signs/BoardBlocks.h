#pragma once

#include "signs/SignBoard.h"

// The board of an E-series sign as a block named sign.blockName, in
// millimetres of the real sign: the text in the style "Tarvowy" with the
// board drawn around it. A block of that name already in the drawing is
// used as it is. Afterwards the block exists unless the drawing refused it
// (the placement then says so).

// Rounded boards 530 high, the middle of the bottom edge at the origin.
void BuildE17aBlock(D_SignBoard& sign);
void BuildE18aBlock(D_SignBoard& sign);
void BuildE21Block(D_SignBoard& sign);

// Arrow boards, the middle of the flat end at the origin.
void BuildE4Block(D_SignBoard& sign);
void BuildE5Block(D_SignBoard& sign);
