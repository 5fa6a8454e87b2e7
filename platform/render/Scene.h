#pragma once

#include <string>
#include <vector>

#include "ZrxExport.h"
#include "platform/render/Rgb.h"
#include "platform/render/Shape.h"

class ZcDbDatabase;

namespace platform {

// Block references nested deeper than this are not drawn: a drawing that
// nests blocks in a loop, or absurdly deep, still gives a picture.
inline constexpr int kMaxBlockDepth = 32;
// The work of a picture, in vertices drawn (an entity counts at least one;
// block contents at every level count each time they are drawn), beyond
// which the rest is left out: blocks that each insert the next many times
// multiply without bound, and a reference to a block of one large polyline
// costs that polyline's vertices each time.
inline constexpr long kMaxDrawnVertices = 4'000'000;

// The leader arrowhead's length. The drawing's dimension style carries no
// arrow size, so the metric default applies, as other programs reading the
// file take it. Its base is a third of its length (the closed filled arrow).
inline constexpr double kLeaderArrowSize = 2.5;

struct SceneSettings {
    // Palette index 7 and "by block" at the top level.
    Rgb foreground;
    // A dash pattern shorter than this (in world units) is drawn continuous:
    // finer than the picture can show.
    double minPatternLength = 0.0;
    // At most this many vertices are drawn (see kMaxDrawnVertices).
    long maxVertices = kMaxDrawnVertices;
};

// Turns a drawing's model space into shapes, bottom first, in draw order:
// resolves colours (by layer, by block, palette, true colour), linetypes
// (by layer, by block, scaled by the entity's and the drawing's scales),
// leaves out what is invisible or on layers switched off or frozen, and
// expands block references with their attributes. Objects are read without
// being opened. Says in notices what it left out and why (each reason once).
// False when the work went beyond settings.maxVertices and the rest was left out.
ZRX_EXPORT bool buildScene(const ZcDbDatabase& db, const SceneSettings& settings, ShapeSink& sink,
                           std::vector<std::string>& notices);

}  // namespace platform
