// Texts in pictures: where their ink falls against what text measurement
// says, attachment and wrapping of multi-line texts, and which attributes
// and definitions show.

#include <gtest/gtest.h>

#include <numbers>

#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbBlockReference.h"
#include "ZcDbMText.h"
#include "ZcDbText.h"
#include "platform/text/TextLayout.h"
#include "tests/platform/render/RenderDrawing.h"

using namespace platform;

namespace {

// Ink may spread half a pixel past an outline by anti-aliasing, and a
// pixel is counted whole; at four pixels per unit that is under 0.4 units.
constexpr double kTextRes = 4.0;
constexpr double kInkTol = 0.4;

ZcDbText* textAt(ZcGePoint3d at, double height, const char* s)
{
    auto* t = new ZcDbText;
    t->setDatabaseDefaults();
    t->setPosition(at);
    t->setHeight(height);
    t->setTextString(s);
    return t;
}

ZcDbMText* mtextAt(ZcGePoint3d at, double height, const char* s, ZcDbMText::AttachmentPoint a, double width = 0.0)
{
    auto* m = new ZcDbMText;
    m->setDatabaseDefaults();
    m->setLocation(at);
    m->setTextHeight(height);
    m->setContents(s);
    m->setAttachment(a);
    m->setWidth(width);
    return m;
}

class PictureTextInk : public testing::TestWithParam<double> {};

// At every resolution: glyphs drawn as cairo's cached images (small) and as
// filled outlines (as tall as a large picture) ink the same box.
TEST_P(PictureTextInk, FillsTheMeasuredBoxCapitalsAsHighAsTheHeight)
{
    const double res = GetParam();
    const double tol = kInkTol * kTextRes / res;
    RenderDrawing d;
    ZcDbText* t = textAt({0, 0, 0}, 10.0, "HEH");
    TextLayout layout;
    ASSERT_EQ(layoutText(*t, layout), Zcad::eOk);
    d.append(t);
    addFrame(d, -10, -10, 60, 20);
    const ZcDbExtents ink = inkBox(d.picture(res), kWhite, -5, -5, 55, 15);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.minPoint().y, 0.0, tol) << "the capitals stand on the baseline";
    EXPECT_NEAR(ink.maxPoint().y, 10.0, tol) << "and are the text's height";
    const double measured = layout.lines.front().width;
    EXPECT_GE(ink.minPoint().x, -tol);
    EXPECT_LE(ink.maxPoint().x, measured + tol);
    // The side bearings of H and E are small: the ink spans nearly all the measured width.
    EXPECT_GT(ink.maxPoint().x - ink.minPoint().x, 0.8 * measured);
}

INSTANTIATE_TEST_SUITE_P(SmallAndHugeGlyphs, PictureTextInk, testing::Values(kTextRes, 40.0));

TEST(PictureText, MultiLineTextHangsFromItsAttachmentPoint)
{
    RenderDrawing d;
    d.append(mtextAt({0, 0, 0}, 3.0, "Tekst", ZcDbMText::kTopLeft));
    d.append(mtextAt({100, 0, 0}, 3.0, "Tekst", ZcDbMText::kBottomRight));
    d.append(mtextAt({50, 0, 0}, 3.0, "Tekst", ZcDbMText::kMiddleCenter));
    addFrame(d, -20, -20, 120, 20);
    const RasterPicture p = d.picture(kTextRes);

    const ZcDbExtents topLeft = inkBox(p, kWhite, -10, -10, 30, 10);
    ASSERT_FALSE(topLeft.isEmpty());
    EXPECT_NEAR(topLeft.maxPoint().y, 0.0, kInkTol);
    EXPECT_GT(topLeft.minPoint().x, -kInkTol);
    EXPECT_LT(topLeft.minPoint().x, 1.0);

    const ZcDbExtents bottomRight = inkBox(p, kWhite, 70, -10, 110, 10);
    ASSERT_FALSE(bottomRight.isEmpty());
    EXPECT_GT(bottomRight.minPoint().y, -kInkTol);
    EXPECT_LT(bottomRight.maxPoint().x, 100 + kInkTol);
    EXPECT_GT(bottomRight.maxPoint().x, 99.0);

    const ZcDbExtents middle = inkBox(p, kWhite, 35, -10, 65, 10);
    ASSERT_FALSE(middle.isEmpty());
    EXPECT_NEAR((middle.minPoint().x + middle.maxPoint().x) / 2.0, 50.0, 0.5);
    EXPECT_LT(middle.minPoint().y, 0.0);
    EXPECT_GT(middle.maxPoint().y, 0.0);
}

TEST(PictureText, MultiLineTextWrapsAtItsWidth)
{
    RenderDrawing d;
    d.append(mtextAt({0, 0, 0}, 2.0, "jeden dwa trzy cztery pięć sześć\\Psiedem", ZcDbMText::kTopLeft, 20.0));
    addFrame(d, -5, -30, 40, 5);
    const ZcDbExtents ink = inkBox(d.picture(kTextRes), kWhite, -2, -28, 38, 2);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.maxPoint().x, 20.0 + kInkTol);
    // At least three lines, each 5/3 heights below the one before.
    EXPECT_LT(ink.minPoint().y, -2.0 * kLineSpacing * 2.0);
}

TEST(PictureText, VisibleAttributesShowAndInvisibleOnesAndDefinitionsDoNot)
{
    RenderDrawing d;
    const ZcDbObjectId blk = d.block("Tablica");
    d.appendTo(blk, polylineThrough({{0, 0}, {4, 0}, {4, 2}, {0, 2}}, true));
    auto* def = new ZcDbAttributeDefinition;
    def->setDatabaseDefaults();
    def->setPosition({0, 30, 0});  // far from where the reference's attributes go
    def->setHeight(3.0);
    def->setTag("NUMER");
    def->setTextString("?");
    d.appendTo(blk, def);
    auto* fixed = new ZcDbAttributeDefinition;
    fixed->setDatabaseDefaults();
    fixed->setPosition({0, -10, 0});
    fixed->setHeight(3.0);
    fixed->setTag("STALA");
    fixed->setTextString("STALA");
    fixed->setConstant(true);
    d.appendTo(blk, fixed);

    const ZcDbObjectId refId = d.reference(d.db().modelSpaceId(), blk, {0, 0, 0});
    for (auto [text, y, invisible] : {std::tuple{"A-7", 10.0, false}, {"UKRYTY", 20.0, true}}) {
        ZcDbBlockReference* ref = nullptr;
        ASSERT_EQ(zcdbOpenObject(ref, refId, ZcDb::kForWrite), Zcad::eOk);
        auto* a = new ZcDbAttribute;
        a->setPropertiesFrom(ref);
        a->setPosition({0, y, 0});
        a->setHeight(3.0);
        a->setTag(invisible ? "OPIS" : "NR");
        a->setTextString(text);
        a->setInvisible(invisible);
        ref->appendAttribute(a);
        a->close();
        ref->close();
    }
    // A definition standing alone in model space shows its tag.
    auto* loose = new ZcDbAttributeDefinition;
    loose->setDatabaseDefaults();
    loose->setPosition({40, 10, 0});
    loose->setHeight(3.0);
    loose->setTag("LUZNY");
    d.append(loose);
    addFrame(d, -5, -15, 70, 40);

    const RasterPicture p = d.picture(kTextRes);
    EXPECT_FALSE(inkBox(p, kWhite, -1, 9, 30, 14).isEmpty()) << "the visible attribute";
    EXPECT_TRUE(inkBox(p, kWhite, -1, 19, 30, 24).isEmpty()) << "the invisible attribute";
    EXPECT_TRUE(inkBox(p, kWhite, -1, 29, 30, 34).isEmpty()) << "the definition inside the block";
    EXPECT_FALSE(inkBox(p, kWhite, -1, -11, 30, -6).isEmpty()) << "the constant definition";
    EXPECT_FALSE(inkBox(p, kWhite, 39, 9, 65, 14).isEmpty()) << "the loose definition's tag";
}

TEST(PictureText, TextInATurnedBlockTurnsWithIt)
{
    RenderDrawing d;
    const ZcDbObjectId blk = d.block("Napis");
    d.appendTo(blk, textAt({0, 0, 0}, 5.0, "HHHH"));
    d.reference(d.db().modelSpaceId(), blk, {50, 50, 0}, std::numbers::pi / 2);
    addFrame(d, 20, 20, 80, 100);
    const ZcDbExtents ink = inkBox(d.picture(kTextRes), kWhite, 25, 25, 75, 95);
    ASSERT_FALSE(ink.isEmpty());
    // Turned a quarter left about (50, 50): the baseline runs up along x = 50,
    // the capitals to its left.
    EXPECT_NEAR(ink.maxPoint().x, 50.0, kInkTol);
    EXPECT_NEAR(ink.minPoint().x, 45.0, kInkTol);
    EXPECT_GT(ink.minPoint().y, 50.0 - kInkTol);
    EXPECT_GT(ink.maxPoint().y, 60.0);
}

TEST(PictureText, PictureOfTextAloneIsFramedToItsInk)
{
    RenderDrawing d;
    d.append(mtextAt({10, 10, 0}, 2.0, "ŻÓŁTY ŚLAD", ZcDbMText::kMiddleLeft));
    const RasterPicture p = d.picture(kTextRes);
    const ZcDbExtents ink = inkBox(p, kWhite);
    ASSERT_FALSE(ink.isEmpty());
    // Nothing of it cut off by the picture's edges.
    int x = 0, y = 0;
    EXPECT_TRUE(p.pixelOf(ink.minPoint().x - 0.25, ink.minPoint().y - 0.25, x, y));
    EXPECT_TRUE(p.pixelOf(ink.maxPoint().x + 0.25, ink.maxPoint().y + 0.25, x, y));
}

}  // namespace
