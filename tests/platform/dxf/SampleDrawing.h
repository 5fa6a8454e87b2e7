#pragma once

#include "ZcDbObjectId.h"
#include "tests/support/TestDrawing.h"

// A drawing that holds one of every kind of object the system writes, the
// way the system builds them, plus an erased line and an erased group
// member that a file must not show.
struct SampleDrawing {
    SampleDrawing();

    TestDrawing drawing;
    ZcDbDatabase& db() { return drawing.db(); }

    ZcDbObjectId layer;            // "Osie", colour 3
    ZcDbObjectId dashed;           // linetype "P-1A"
    ZcDbObjectId textLinetype;     // linetype with a text element
    ZcDbObjectId style;            // "Tarvowy", "Tarvowa.ttf"
    ZcDbObjectId line, circle, arc;
    ZcDbObjectId polyline;         // open, bulges and widths, plinegen
    ZcDbObjectId widePolyline;     // closed, one constant width
    ZcDbObjectId outer, inner;     // boundaries of the hatch
    ZcDbObjectId hatch;            // solid, associative, with a hole
    ZcDbObjectId mtext, text;
    ZcDbObjectId block;            // "Slupek1" with two attribute definitions
    ZcDbObjectId reference;        // of "Slupek1", two attributes, one invisible
    ZcDbObjectId visibleAttribute, invisibleAttribute;
    ZcDbObjectId leader;
    ZcDbObjectId paperText;        // a text in paper space
    ZcDbObjectId erasedLine;       // appended, then erased
    ZcDbObjectId group;            // line, circle and the erased line
    ZcDbObjectId signs;            // dictionary "S_Znaki" in the named-object dictionary
    ZcDbObjectId purpose;          // record "Przeznaczenie" with extended data of "Tarvo"
};

// Polish texts of the drawing (UTF-8).
inline constexpr const char* kSampleMText = "Długość odcinka: 12,5 m\nŁódź";
inline constexpr const char* kSampleText = "Zażółć gęślą jaźń";
inline constexpr const char* kSampleAttribute = "Żółw na drodze";
