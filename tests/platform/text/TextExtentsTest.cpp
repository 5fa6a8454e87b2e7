// Text extents: the laid-out box of texts, attributes and multi-line texts.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ZcDbAttribute.h"
#include "ZcDbText.h"
#include "tests/platform/text/TextTestSupport.h"

using namespace platform;

namespace {

// A multi-line text in the test drawing's DejaVu Sans style, not in the drawing.
class MTextExtents : public ::testing::Test {
protected:
    MTextExtents() { m_style = addTextStyle(m_drawing.db(), "Pomiar", "DejaVuSans.ttf"); }

    Opened<ZcDbMText> mtext(const char* contents, double height = 10.0, double width = 0.0,
                            ZcDbMText::AttachmentPoint a = ZcDbMText::kTopLeft, ZcGePoint3d at = {100, 50, 0})
    {
        auto* t = new ZcDbMText;
        t->setTextStyle(m_style);
        t->setContents(contents);
        t->setTextHeight(height);
        t->setWidth(width);
        t->setAttachment(a);
        t->setLocation(at);
        return Opened<ZcDbMText>(t);
    }

    TestDrawing m_drawing;
    ZcDbObjectId m_style;
};

constexpr double kTol = 1e-9;

}  // namespace

TEST_F(MTextExtents, TheTextHeightIsTheHeightOfCapitals)
{
    const auto h = mtext("H");
    const ZcDbExtents e = extentsOf(*h.get());
    // One capital H: as wide as its advance in capital heights, and from its
    // top down to the descenders' depth below the baseline.
    EXPECT_NEAR(widthOf(e), 10.0 * kAdvanceH / kCapHeight, kTol);
    EXPECT_NEAR(heightOf(e), 10.0 * (1.0 + kDescent / kCapHeight), kTol);
    EXPECT_NEAR(e.maxPoint().y, 50.0, kTol) << "top left: the capitals' top at the location";
    EXPECT_NEAR(e.minPoint().x, 100.0, kTol);
}

TEST_F(MTextExtents, TheWidthGrowsWithTheTextAndScalesWithTheHeight)
{
    const double shortText = widthOf(extentsOf(*mtext("Kraków").get()));
    const double longText = widthOf(extentsOf(*mtext("Kraków Główny").get()));
    const double taller = widthOf(extentsOf(*mtext("Kraków", 25.0).get()));
    EXPECT_GT(longText, shortText);
    EXPECT_NEAR(taller / shortText, 2.5, 1e-12);
    EXPECT_NEAR(widthOf(extentsOf(*mtext("Kraków  ").get())), shortText, kTol) << "trailing spaces are not ink";
}

TEST_F(MTextExtents, WrappingAtTheWidthGivesMoreLinesAndATallerBox)
{
    const char* text = "Aleja Jana Pawła II";
    const ZcDbExtents one = extentsOf(*mtext(text).get());
    const double full = widthOf(one);
    const double pitch = 10.0 * 5.0 / 3.0;

    const ZcDbExtents unwrapped = extentsOf(*mtext(text, 10.0, full).get());
    EXPECT_NEAR(heightOf(unwrapped), heightOf(one), kTol) << "a width the text fits in wraps nothing";

    const ZcDbExtents two = extentsOf(*mtext(text, 10.0, full * 0.8).get());
    EXPECT_NEAR(heightOf(two), heightOf(one) + pitch, kTol);
    EXPECT_LE(widthOf(two), full * 0.8);

    // Narrower than any word: each word on a line of its own.
    const ZcDbExtents words = extentsOf(*mtext(text, 10.0, 1.0).get());
    EXPECT_NEAR(heightOf(words), heightOf(one) + 3 * pitch, kTol);
    EXPECT_GT(widthOf(words), 1.0) << "a word wider than the width overflows it";

    const ZcDbExtents breaks = extentsOf(*mtext("Aleja\\PJana\\P\\PPawła").get());
    EXPECT_NEAR(heightOf(breaks), heightOf(one) + 3 * pitch, kTol) << "\\P breaks lines, an empty one too";
}

TEST_F(MTextExtents, TheAttachmentPointPlacesTheBox)
{
    const ZcGePoint3d at(100, 50, 0);
    const ZcDbExtents tl = extentsOf(*mtext("Tarvo\\PTarvo", 10, 0, ZcDbMText::kTopLeft, at).get());
    const ZcDbExtents mc = extentsOf(*mtext("Tarvo\\PTarvo", 10, 0, ZcDbMText::kMiddleCenter, at).get());
    const ZcDbExtents br = extentsOf(*mtext("Tarvo\\PTarvo", 10, 0, ZcDbMText::kBottomRight, at).get());
    const ZcDbExtents bc = extentsOf(*mtext("Tarvo\\PTarvo", 10, 0, ZcDbMText::kBottomCenter, at).get());
    for (const ZcDbExtents* e : {&mc, &br, &bc}) {
        EXPECT_NEAR(widthOf(*e), widthOf(tl), kTol) << "the same box, moved";
        EXPECT_NEAR(heightOf(*e), heightOf(tl), kTol);
    }
    EXPECT_NEAR(tl.minPoint().x, at.x, kTol);
    EXPECT_NEAR(tl.maxPoint().y, at.y, kTol);
    EXPECT_NEAR((mc.minPoint().x + mc.maxPoint().x) / 2, at.x, kTol);
    EXPECT_NEAR((mc.minPoint().y + mc.maxPoint().y) / 2, at.y, kTol);
    EXPECT_NEAR(br.maxPoint().x, at.x, kTol);
    EXPECT_NEAR(br.minPoint().y, at.y, kTol);
    EXPECT_NEAR((bc.minPoint().x + bc.maxPoint().x) / 2, at.x, kTol);
    EXPECT_NEAR(bc.minPoint().y, at.y, kTol);
}

TEST_F(MTextExtents, RotationTurnsTheBoxAboutTheLocation)
{
    auto straight = mtext("Kraków", 10, 0, ZcDbMText::kBottomLeft, {0, 0, 0});
    auto turned = mtext("Kraków", 10, 0, ZcDbMText::kBottomLeft, {0, 0, 0});
    turned->setRotation(std::numbers::pi / 2);
    const ZcDbExtents s = extentsOf(*straight.get());
    const ZcDbExtents t = extentsOf(*turned.get());
    EXPECT_NEAR(heightOf(t), widthOf(s), kTol);
    EXPECT_NEAR(widthOf(t), heightOf(s), kTol);
    EXPECT_NEAR(t.maxPoint().x, 0.0, kTol) << "a quarter turn puts the text left of its location";
    EXPECT_NEAR(t.minPoint().y, 0.0, kTol);
}

TEST_F(MTextExtents, NothingToShowHasNoExtents)
{
    Zcad::ErrorStatus es = Zcad::eOk;
    extentsOf(*mtext("").get(), &es);
    EXPECT_EQ(es, Zcad::eInvalidExtents);
    extentsOf(*mtext("{\\L}").get(), &es);
    EXPECT_EQ(es, Zcad::eInvalidExtents) << "codes alone show nothing";
}

TEST_F(MTextExtents, SingleLineTextsAreJustifiedByTheirPoints)
{
    auto* left = new ZcDbText;
    Opened<ZcDbText> t(left);
    t->setTextStyle(m_style);
    t->setTextString("H");
    t->setHeight(10.0);
    t->setPosition({5, 5, 0});
    ZcDbExtents e = extentsOf(*t.get());
    EXPECT_NEAR(e.minPoint().x, 5.0, kTol);
    EXPECT_NEAR(e.maxPoint().y, 15.0, kTol) << "capitals rise a text height above the baseline";
    EXPECT_NEAR(e.minPoint().y, 5.0 - 10.0 * kDescent / kCapHeight, kTol);

    // Right and top: the alignment point is the box's top right corner.
    t->setHorizontalMode(ZcDbText::kTextRight);
    t->setVerticalMode(ZcDbText::kTextTop);
    t->setAlignmentPoint({50, 40, 0});
    e = extentsOf(*t.get());
    EXPECT_NEAR(e.maxPoint().x, 50.0, kTol);
    EXPECT_NEAR(e.maxPoint().y, 40.0, kTol);

    // Aligned: from the position to the alignment point, height following the width.
    t->setHorizontalMode(ZcDbText::kTextAlign);
    t->setVerticalMode(ZcDbText::kTextBase);
    t->setPosition({0, 0, 0});
    t->setAlignmentPoint({0, 30, 0});
    e = extentsOf(*t.get());
    const double scale = 30.0 / (10.0 * kAdvanceH / kCapHeight);
    EXPECT_NEAR(heightOf(e), 30.0, kTol) << "a vertical text: its width is the box's height";
    EXPECT_NEAR(widthOf(e), 10.0 * scale * (1.0 + kDescent / kCapHeight), kTol);

    // Fit: the same span, the height kept.
    t->setHorizontalMode(ZcDbText::kTextFit);
    e = extentsOf(*t.get());
    EXPECT_NEAR(heightOf(e), 30.0, kTol);
    EXPECT_NEAR(widthOf(e), 10.0 * (1.0 + kDescent / kCapHeight), kTol);
}

TEST_F(MTextExtents, AttributesHaveTheirTextsBox)
{
    Opened<ZcDbAttribute> a(new ZcDbAttribute);
    a->setTextStyle(m_style);
    a->setTag("NAZWA");
    a->setTextString("HH");
    a->setHeight(2.0);
    a->setWidthFactor(0.5);
    const ZcDbExtents e = extentsOf(*a.get());
    EXPECT_NEAR(widthOf(e), 2.0 * 2 * kAdvanceH / kCapHeight * 0.5, kTol) << "the width factor narrows the letters";
}
