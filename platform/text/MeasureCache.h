#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ZrxExport.h"
#include "platform/text/TextLayout.h"

namespace platform {

// Texts measured once: the lines a text breaks into and where each glyph
// goes along them, kept by the font file, the scale along the baseline
// (height and width factor), the wrapping width and the characters. The
// same board name in one drawing after another is laid out from here.
// Everything that changes a measurement is in the key (a style given
// another font resolves to another file), so nothing kept goes stale; the
// least recently used measurement goes when the cache is full.

struct MeasuredLine {
    std::u32string text;
    std::vector<PlacedGlyph> glyphs;  // spaces included
    double width = 0.0;               // to the end of the last character that is not a space
};
using MeasuredLines = std::vector<MeasuredLine>;

struct MeasureKey {
    std::string fontFile;
    double scaleX = 0.0;  // drawing units per font unit along the baseline
    double wrapWidth = 0.0;
    std::vector<std::u32string> paragraphs;
    bool operator==(const MeasureKey&) const = default;
};

// The key's lines as kept, or as measure() gives them (then kept).
MeasuredLines measureCached(const MeasureKey& key, const std::function<MeasuredLines()>& measure);

// How many measurements are kept (4,096 unless set); 0 keeps none, and
// measures every time. Fewer than are kept drops the least recently used.
ZRX_EXPORT void setTextMeasureCapacity(size_t entries);

struct TextMeasureCounts {
    uint64_t kept = 0;      // measurements found kept
    uint64_t measured = 0;  // measurements made
    size_t size = 0;        // measurements kept now
};
ZRX_EXPORT TextMeasureCounts textMeasureCounts();
// Forgets every measurement and zeroes the counts.
ZRX_EXPORT void clearTextMeasureCache();

}  // namespace platform
