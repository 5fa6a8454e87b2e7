#pragma once

#include <string>

#include "signs/SignBoard.h"

// What a sign dialog hands over when its draw button is pressed: the
// list indexes as selected (-1 for none) and the texts shown.
struct SignChoice {
    SignKind kind = SignKind::E17a;
    std::string text;
    int direction = 0;  // 0 "W prawo", 1 "W lewo"
    int scale = 0;      // 0 "1:1000", 1 "1:500", 2 "1:1"
    int size = 0;       // 0 "Wielkie" … 3 "Małe"
    int destination = 0;
    std::string destinationName;
    std::string generationName;
    bool asSign = true;
    bool withDescription = true;
};

// How each sign differs: its command, its dialog's title, the lists its
// dialog shows, and how its board is built and placed.
struct SignTraits {
    SignKind kind;
    const char* command;
    const char* title;
    bool hasDirection;  // E-4 and E-5 point left or right
    bool hasSize;       // E-5 comes in four sizes
};

const SignTraits& TraitsOf(SignKind kind);

// The sign's scale and symbol factor for a scale list index.
struct SignScale {
    double scale;
    double symbolFactor;
};
SignScale ScaleOfIndex(int scaleIndex, double symbolScale);

// The size letter of an E-5 size list index: W, D, S, M; S with none.
char SizeLetterOf(int sizeIndex);

// Builds the sign's board block and places it as the user picks, on the
// destination's layer; a removed sign is crossed out, and the drawing's
// settings may ask for the placed objects to be grouped. The board shows
// SignText of the typed text; a text with nothing to show draws nothing.
void DrawSign(const SignChoice& choice);
