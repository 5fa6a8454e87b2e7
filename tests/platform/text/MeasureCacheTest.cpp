// Texts are measured once per font, scale, wrapping width and characters:
// a kept measurement lays a text out exactly as a fresh one, a style given
// another font is measured again, and no more measurements are kept than
// asked.

#include <gtest/gtest.h>

#include <random>

#include "platform/text/MeasureCache.h"
#include "platform/text/TextLayout.h"
#include "tests/platform/text/TextTestSupport.h"

using namespace platform;

namespace {

constexpr const char* kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kMono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// Clears the cache before and puts the usual capacity back after.
class MeasureCache : public ::testing::Test {
protected:
    MeasureCache() { clearTextMeasureCache(); }
    ~MeasureCache() override
    {
        setTextMeasureCapacity(4096);
        clearTextMeasureCache();
    }
};

std::u32string randomWords(std::mt19937& random)
{
    static const std::u32string pieces[] = {U"Łódź", U" ", U"Gdańsk", U"i", U"WW", U"Świnoujście", U"  "};
    std::u32string text;
    const int n = std::uniform_int_distribution<int>(1, 8)(random);
    for (int i = 0; i < n; ++i)
        text += pieces[std::uniform_int_distribution<size_t>(0, std::size(pieces) - 1)(random)];
    return text;
}

void expectSameLayout(const TextLayout& a, const TextLayout& b)
{
    ASSERT_EQ(a.lines.size(), b.lines.size());
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(a.frame[i], b.frame[i]);
    for (size_t i = 0; i < a.lines.size(); ++i) {
        EXPECT_EQ(a.lines[i].text, b.lines[i].text);
        EXPECT_EQ(a.lines[i].width, b.lines[i].width);
        EXPECT_EQ(a.lines[i].baselineStart, b.lines[i].baselineStart);
        ASSERT_EQ(a.lines[i].glyphs.size(), b.lines[i].glyphs.size());
        for (size_t k = 0; k < a.lines[i].glyphs.size(); ++k)
            EXPECT_EQ(a.lines[i].glyphs[k].x, b.lines[i].glyphs[k].x);
    }
}

}  // namespace

// Over random texts, heights, wrapping and anchors, a text laid out from a
// kept measurement is the text measured afresh.
TEST_F(MeasureCache, AKeptMeasurementLaysOutAsAFreshOne)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> height(0.1, 500), wrap(0, 3000), coordinate(-1e4, 1e4);
    for (int i = 0; i < 200; ++i) {
        TextBlock block;
        block.paragraphs = {randomWords(random), randomWords(random)};
        block.fontFile = i % 2 ? kSans : kMono;
        block.height = height(random);
        block.widthFactor = i % 3 ? 1.0 : 0.8;
        block.wrapWidth = i % 4 ? 0.0 : wrap(random);
        block.anchorX = TextAnchorX(i % 3);
        block.anchor = ZcGePoint3d(coordinate(random), coordinate(random), 0);
        setTextMeasureCapacity(0);
        TextLayout fresh;
        ASSERT_EQ(layoutTextBlock(block, fresh), Zcad::eOk);
        setTextMeasureCapacity(4096);
        TextLayout first, kept;
        ASSERT_EQ(layoutTextBlock(block, first), Zcad::eOk);
        ASSERT_EQ(layoutTextBlock(block, kept), Zcad::eOk);
        expectSameLayout(fresh, first);
        expectSameLayout(fresh, kept);
    }
    const TextMeasureCounts counts = textMeasureCounts();
    EXPECT_EQ(counts.kept, 200u);
    EXPECT_EQ(counts.measured, 400u) << "uncached and first measurements";
}

// The same text in a style whose font is changed is measured with the new font.
TEST_F(MeasureCache, AStyleGivenAnotherFontIsMeasuredAgain)
{
    TestDrawing drawing;
    const ZcDbObjectId style = addTextStyle(drawing.db(), "Zmienny", "DejaVuSans.ttf");
    Opened<ZcDbMText> text(new ZcDbMText);
    text->setTextStyle(style);
    text->setContents("Iiiii Łódź");
    const double sans = widthOf(extentsOf(*text.get()));
    EXPECT_EQ(widthOf(extentsOf(*text.get())), sans);
    {
        Opened<ZcDbTextStyleTableRecord> record(style, ZcDb::kForWrite);
        record->setFileName("DejaVuSansMono.ttf");
    }
    const double mono = widthOf(extentsOf(*text.get()));
    EXPECT_NE(mono, sans);
    setTextMeasureCapacity(0);
    EXPECT_EQ(widthOf(extentsOf(*text.get())), mono) << "as measured without the cache";
}

// Filling the cache past its capacity drops the least recently used.
TEST_F(MeasureCache, KeepsNoMoreThanItsCapacity)
{
    setTextMeasureCapacity(8);
    TextBlock block;
    block.fontFile = kSans;
    const auto measure = [&](int n) {
        block.paragraphs = {U"Tekst " + std::u32string(size_t(n), U'x')};
        TextLayout layout;
        EXPECT_EQ(layoutTextBlock(block, layout), Zcad::eOk);
    };
    for (int i = 0; i < 20; ++i) {
        measure(i);
        measure(0);  // used all the time: never the least recent
    }
    EXPECT_EQ(textMeasureCounts().size, 8u);
    const uint64_t kept = textMeasureCounts().kept;
    measure(0);
    measure(19);
    EXPECT_EQ(textMeasureCounts().kept, kept + 2);
    measure(1);
    EXPECT_EQ(textMeasureCounts().kept, kept + 2) << "long dropped";
    setTextMeasureCapacity(3);
    EXPECT_EQ(textMeasureCounts().size, 3u);
}
