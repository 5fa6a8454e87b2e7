#include "platform/text/TextLayout.h"

#include <algorithm>
#include <cmath>

#include "ZcDbDatabase.h"
#include "ZcDbMText.h"
#include "ZcDbText.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/ObjectAccess.h"
#include "platform/text/FontFace.h"
#include "platform/text/FontFiles.h"
#include "platform/text/MeasureCache.h"
#include "platform/text/TextContents.h"

namespace platform {

namespace {

// A line exactly as wide as the wrapping width still fits, whatever the
// rounding of the advances that add up to it.
constexpr double kWrapSlack = 1e-9;
// Two points of an aligned or fit text closer than this give no direction.
constexpr double kDegenerateSpan = 1e-12;

constexpr char32_t kSpace = U' ';

// Glyphs of a run of characters from x onwards; returns where the run ends.
double place(const FontFace& font, std::u32string_view run, double x, double scaleX, MeasuredLine& line)
{
    for (const char32_t c : run) {
        const FontFace::Glyph& g = font.glyph(c);
        const double advance = g.advance * scaleX;
        line.glyphs.push_back({c, g.index, x, advance});
        line.text += c;
        x += advance;
        if (c != kSpace)
            line.width = x;
    }
    return x;
}

// A paragraph's lines: broken between words where the next word would go
// beyond the wrapping width; a word wider than the width has a line to itself.
MeasuredLines breakParagraph(const FontFace& font, const std::u32string& paragraph, double scaleX, double wrapWidth)
{
    MeasuredLines lines(1);
    double x = 0.0;
    size_t i = 0;
    while (i < paragraph.size()) {
        size_t spacesEnd = i;
        while (spacesEnd < paragraph.size() && paragraph[spacesEnd] == kSpace)
            ++spacesEnd;
        size_t wordEnd = spacesEnd;
        while (wordEnd < paragraph.size() && paragraph[wordEnd] != kSpace)
            ++wordEnd;
        const std::u32string_view spaces(paragraph.data() + i, spacesEnd - i);
        const std::u32string_view word(paragraph.data() + spacesEnd, wordEnd - spacesEnd);

        if (wrapWidth > 0.0 && !word.empty() && !lines.back().glyphs.empty()) {
            double wordWidth = 0.0;
            for (const char32_t c : spaces)
                wordWidth += font.glyph(c).advance * scaleX;
            double ink = 0.0;
            for (const char32_t c : word)
                ink += font.glyph(c).advance * scaleX;
            if (x + wordWidth + ink > wrapWidth * (1.0 + kWrapSlack)) {
                lines.emplace_back();
                x = place(font, word, 0.0, scaleX, lines.back());
                i = wordEnd;
                continue;
            }
        }
        x = place(font, spaces, x, scaleX, lines.back());
        x = place(font, word, x, scaleX, lines.back());
        i = wordEnd;
    }
    return lines;
}

// The font name of a text style, and its width factor; a text without a
// style uses its drawing's current one.
std::pair<std::string, double> styleFont(ZcDbObjectId style, const ZcDbDatabase* db)
{
    if (style.isNull() && db)
        style = db->textstyle();
    const auto* record = ZcDbObjectAccess::peekAs<ZcDbTextStyleTableRecord>(style);
    if (!record)
        return {"txt", 1.0};
    return {record->fileName(), record->xScale()};
}

const ZcDbDatabase* drawingOf(const ZcDbEntity& entity)
{
    if (ZcDbDatabase* db = entity.database())
        return db;
    return zcdbHostApplicationServices()->workingDatabase();
}

}  // namespace

Zcad::ErrorStatus layoutTextBlock(const TextBlock& block, TextLayout& layout)
{
    layout = TextLayout{};
    if (!(block.height > 0.0) || !(block.widthFactor > 0.0) || !std::isfinite(block.height) ||
        !std::isfinite(block.widthFactor) || !std::isfinite(block.wrapWidth) || !std::isfinite(block.rotation))
        return Zcad::eInvalidInput;
    if (std::all_of(block.paragraphs.begin(), block.paragraphs.end(), [](const auto& p) { return p.empty(); }))
        return Zcad::eInvalidExtents;
    const FontFace* font = FontFace::load(block.fontFile);
    if (!font)
        return Zcad::eFontNotFound;

    const double h = block.height;
    const double scale = h / font->capHeight();  // drawing units per font unit
    const double scaleX = scale * block.widthFactor;
    MeasuredLines lines = measureCached({font->path(), scaleX, block.wrapWidth, block.paragraphs}, [&] {
        MeasuredLines measured;
        for (const std::u32string& paragraph : block.paragraphs)
            for (MeasuredLine& line : breakParagraph(*font, paragraph, scaleX, block.wrapWidth))
                measured.push_back(std::move(line));
        return measured;
    });

    double widest = 0.0;
    for (const MeasuredLine& line : lines)
        widest = std::max(widest, line.width);
    const double pitch = kLineSpacing * h;
    const double descent = font->descent() * scale;
    const double boxHeight = h + double(lines.size() - 1) * pitch + descent;

    double top = 0.0;  // of the box, above the anchor
    switch (block.anchorY) {
    case TextAnchorY::Top: top = 0.0; break;
    case TextAnchorY::Middle: top = boxHeight / 2.0; break;
    case TextAnchorY::Bottom: top = boxHeight; break;
    case TextAnchorY::Baseline: top = h; break;
    case TextAnchorY::CapMiddle: top = h / 2.0; break;
    }
    double left = 0.0;  // of the box, right of the anchor
    switch (block.anchorX) {
    case TextAnchorX::Left: left = 0.0; break;
    case TextAnchorX::Center: left = -widest / 2.0; break;
    case TextAnchorX::Right: left = -widest; break;
    }

    layout.fontFile = font->path();
    layout.height = h;
    layout.emSize = scale * font->unitsPerEm();
    layout.widthFactor = block.widthFactor;
    layout.direction = ZcGeVector3d(std::cos(block.rotation), std::sin(block.rotation), 0.0);
    layout.up = ZcGeVector3d(-std::sin(block.rotation), std::cos(block.rotation), 0.0);
    const auto at = [&](double x, double y) { return block.anchor + layout.direction * x + layout.up * y; };

    for (size_t i = 0; i < lines.size(); ++i) {
        MeasuredLine& m = lines[i];
        double start = 0.0;
        switch (block.anchorX) {
        case TextAnchorX::Left: start = 0.0; break;
        case TextAnchorX::Center: start = -m.width / 2.0; break;
        case TextAnchorX::Right: start = -m.width; break;
        }
        LaidOutLine line;
        line.text = std::move(m.text);
        line.glyphs = std::move(m.glyphs);
        line.width = m.width;
        line.baselineStart = at(start, top - h - double(i) * pitch);
        layout.lines.push_back(std::move(line));
    }
    const double bottom = top - boxHeight;
    layout.frame = {at(left, bottom), at(left + widest, bottom), at(left + widest, top), at(left, top)};
    return Zcad::eOk;
}

Zcad::ErrorStatus layoutMText(const ZcDbMText& text, TextLayout& layout)
{
    const auto [fontName, xScale] = styleFont(text.textStyle(), drawingOf(text));
    TextBlock block;
    block.paragraphs = mtextParagraphs(text.contents());
    block.fontFile = resolveFontFile(fontName).path;
    block.height = text.textHeight();
    block.widthFactor = xScale > 0.0 ? xScale : 1.0;
    block.wrapWidth = text.width();
    const int a = int(text.attachment()) - 1;  // 0..8: rows top, middle, bottom; columns left, centre, right
    block.anchorX = a % 3 == 0 ? TextAnchorX::Left : a % 3 == 1 ? TextAnchorX::Center : TextAnchorX::Right;
    block.anchorY = a / 3 == 0 ? TextAnchorY::Top : a / 3 == 1 ? TextAnchorY::Middle : TextAnchorY::Bottom;
    block.anchor = text.location();
    block.rotation = text.rotation();
    return layoutTextBlock(block, layout);
}

Zcad::ErrorStatus layoutText(const ZcDbText& text, TextLayout& layout)
{
    TextBlock block;
    block.paragraphs = {singleLineCharacters(text.textString())};
    block.fontFile = resolveFontFile(styleFont(text.textStyle(), drawingOf(text)).first).path;
    block.height = text.height();
    block.widthFactor = text.widthFactor();
    block.rotation = text.rotation();
    block.anchor = text.alignmentPoint();

    const ZcDbText::TextHorzMode horz = text.horizontalMode();
    const ZcDbText::TextVertMode vert = text.verticalMode();
    if (horz == ZcDbText::kTextAlign || horz == ZcDbText::kTextFit) {
        // Spans the two points: the natural width sets how much the text is
        // scaled (aligned: the whole text; fit: its width only).
        const ZcGeVector3d span = text.alignmentPoint() - text.position();
        const double length = std::hypot(span.x, span.y);
        TextLayout natural;
        block.anchor = text.position();
        block.anchorY = TextAnchorY::Baseline;
        if (length > kDegenerateSpan && layoutTextBlock(block, natural) == Zcad::eOk && natural.lines[0].width > 0.0) {
            const double ratio = length / natural.lines[0].width;
            if (horz == ZcDbText::kTextAlign)
                block.height *= ratio;
            else
                block.widthFactor *= ratio;
            block.rotation = std::atan2(span.y, span.x);
        }
        return layoutTextBlock(block, layout);
    }
    if (horz == ZcDbText::kTextLeft && vert == ZcDbText::kTextBase) {
        block.anchor = text.position();
        block.anchorY = TextAnchorY::Baseline;
        return layoutTextBlock(block, layout);
    }
    block.anchorX = horz == ZcDbText::kTextLeft ? TextAnchorX::Left
                    : horz == ZcDbText::kTextRight ? TextAnchorX::Right
                                                    : TextAnchorX::Center;
    if (horz == ZcDbText::kTextMid)
        block.anchorY = TextAnchorY::CapMiddle;
    else
        block.anchorY = vert == ZcDbText::kTextBottom    ? TextAnchorY::Bottom
                        : vert == ZcDbText::kTextVertMid ? TextAnchorY::CapMiddle
                        : vert == ZcDbText::kTextTop     ? TextAnchorY::Top
                                                         : TextAnchorY::Baseline;
    return layoutTextBlock(block, layout);
}

}  // namespace platform
