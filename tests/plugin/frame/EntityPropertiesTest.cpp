// CopyEntityProperties and NearestColorIndex.

#include <gtest/gtest.h>

#include "ZcDbLayerTable.h"
#include "ZcDbLine.h"
#include "services/DatabaseServices.h"
#include "tests/support/TestDrawing.h"
#include "zced.h"

namespace {

int32_t hostRgb(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

}  // namespace

TEST(CopyEntityProperties, CopiesLayerColourLinetypeScaleAndWeight)
{
    TestDrawing drawing;
    ASSERT_TRUE(drawing.addLayer("OZN"));
    auto* source = new ZcDbLine({0, 0, 0}, {1, 0, 0});
    ASSERT_EQ(source->setLayer("OZN"), Zcad::eOk);
    source->setColorIndex(3);
    ASSERT_EQ(source->setLinetype("Continuous"), Zcad::eOk);
    source->setLinetypeScale(2.5);
    source->setLineWeight(ZcDb::kLnWt050);
    auto* target = new ZcDbLine({0, 1, 0}, {1, 1, 0});

    CopyEntityProperties(source, target);
    EXPECT_EQ(target->layer(), "OZN");
    EXPECT_EQ(target->colorIndex(), 3);
    EXPECT_EQ(target->linetype(), "Continuous");
    EXPECT_DOUBLE_EQ(target->linetypeScale(), 2.5);
    EXPECT_EQ(target->lineWeight(), ZcDb::kLnWt050);
    source->close();
    target->close();
}

TEST(NearestColorIndex, PureRedIsIndexOne)
{
    EXPECT_EQ(NearestColorIndex(hostRgb(255, 0, 0)).colorIndex(), 1);
    EXPECT_EQ(NearestColorIndex(hostRgb(250, 6, 3)).colorIndex(), 1);
    EXPECT_EQ(NearestColorIndex(hostRgb(0, 0, 255)).colorIndex(), 5) << "blue is in the high byte";
}

TEST(NearestColorIndex, AnExactTieGivesTheLowerIndex)
{
    // Red is both 1 and 10, white both 7 and 255.
    ASSERT_EQ(zcedGetRGB(1), zcedGetRGB(10));
    EXPECT_EQ(NearestColorIndex(zcedGetRGB(10)).colorIndex(), 1);
    EXPECT_EQ(NearestColorIndex(zcedGetRGB(255)).colorIndex(), 7);
}

TEST(NearestColorIndex, EachPaletteColourGivesItsFirstIndexAndNever255)
{
    for (int index = 1; index <= 255; ++index) {
        const int32_t rgb = zcedGetRGB(index);
        const int found = NearestColorIndex(rgb).colorIndex();
        EXPECT_GE(found, 1);
        EXPECT_LE(found, 254);
        EXPECT_EQ(zcedGetRGB(found), rgb) << index;
        for (int lower = 1; lower < found; ++lower)
            EXPECT_NE(zcedGetRGB(lower), rgb) << index << " has an earlier twin " << lower;
    }
}
