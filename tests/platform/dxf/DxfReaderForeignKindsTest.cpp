// What other programs write is modelled where the model can carry it: the
// common codes wherever they stand, references of Z scale 0 and of one
// row and column, points, ellipses and splines; small files made like
// LibreCAD's come through whole, drawn with nothing left out.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/platform/dxf/DxfSnippet.h"
#include "tests/platform/dxf/Json.h"
#include "tests/platform/render/RenderDrawing.h"
#include "tests/support/ExternalTool.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

// The common codes as LibreCAD writes them, after the kind's own marker.
const DxfSnippetPairs kCommonAfterMarker = {{8, "Kreski"}, {62, "1"}, {370, "50"}, {6, "Continuous"}};

struct KindCase {
    const char* kind;
    const char* modelledAs;
    DxfSnippetPairs own;  // the kind's part, its marker first
};

DxfSnippetPairs entityWithCommonAfterMarker(const KindCase& c, const std::string& handle)
{
    DxfSnippetPairs e = {{0, c.kind}, {5, handle}, {100, "AcDbEntity"}, c.own.front()};
    e.insert(e.end(), kCommonAfterMarker.begin(), kCommonAfterMarker.end());
    e.insert(e.end(), c.own.begin() + 1, c.own.end());
    return e;
}

// A block "Blok" of one line, for references.
const DxfSnippetPairs kBlocks = {
    // BLOCK, the line, ENDBLK
    {0, "SECTION"},
    {2, "BLOCKS"},
    {0, "BLOCK"},
    {5, "20"},
    {100, "AcDbEntity"},
    {8, "0"},
    {100, "AcDbBlockBegin"},
    {2, "Blok"},
    {70, "0"},
    {10, "0"},
    {20, "0"},
    {30, "0"},
    {3, "Blok"},
    {0, "LINE"},
    {5, "21"},
    {100, "AcDbEntity"},
    {100, "AcDbLine"},
    {8, "0"},
    {10, "0"},
    {20, "0"},
    {30, "0"},
    {11, "10"},
    {21, "0"},
    {31, "0"},
    {0, "ENDBLK"},
    {5, "22"},
    {100, "AcDbEntity"},
    {8, "0"},
    {100, "AcDbBlockEnd"},
    {0, "ENDSEC"}};

std::string fileWith(const DxfSnippetPairs& entities, const DxfSnippetPairs& objects = {})
{
    DxfSnippetPairs sections = kBlocks;
    sections.push_back({0, "SECTION"});
    sections.push_back({2, "ENTITIES"});
    sections.insert(sections.end(), entities.begin(), entities.end());
    sections.push_back({0, "ENDSEC"});
    if (!objects.empty()) {
        sections.push_back({0, "SECTION"});
        sections.push_back({2, "OBJECTS"});
        sections.insert(sections.end(), objects.begin(), objects.end());
        sections.push_back({0, "ENDSEC"});
    }
    return dxfFileOf(sections);
}

void save(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// What ezdxf finds different between an original and the copy this project wrote.
std::vector<std::string> ezdxfDifferences(const std::string& original, const std::string& copy)
{
    const auto [output, status] =
        runCommand(std::string(kSystemPython) + " " + shellQuoted(testScript("ezdxf_compare.py")) + " --entities " +
                   shellQuoted(original) + " " + shellQuoted(copy) + " 2>&1");
    if (status != 0)
        return {output};
    std::vector<std::string> out;
    const Json differences = Json::parse(output);  // kept: the loop runs over its array
    for (const Json& d : differences.array())
        out.push_back(d.string());
    return out;
}

// A reference as LibreCAD writes one: Z scale 0, one column and row, spacing 0.
const DxfSnippetPairs kLibreCadReference = {{100, "AcDbBlockReference"},
                                            {2, "Blok"},
                                            {10, "1"},
                                            {20, "1"},
                                            {30, "0"},
                                            {41, "1"},
                                            {42, "1"},
                                            {43, "0"},
                                            {50, "0"},
                                            {70, "1"},
                                            {71, "1"},
                                            {44, "0"},
                                            {45, "0"}};

const KindCase kKinds[] = {
    {"LINE", "ZcDbLine", {{100, "AcDbLine"}, {10, "1"}, {20, "2"}, {30, "0"}, {11, "3"}, {21, "4"}, {31, "0"}}},
    {"CIRCLE", "ZcDbCircle", {{100, "AcDbCircle"}, {10, "5"}, {20, "5"}, {30, "0"}, {40, "2"}}},
    {"ARC",
     "ZcDbArc",
     {{100, "AcDbCircle"}, {10, "5"}, {20, "5"}, {30, "0"}, {40, "3"}, {100, "AcDbArc"}, {50, "15"}, {51, "110"}}},
    {"LWPOLYLINE",
     "ZcDbPolyline",
     {{100, "AcDbPolyline"},
      {90, "3"},
      {70, "0"},
      {10, "0"},
      {20, "0"},
      {10, "5"},
      {20, "0"},
      {42, "0.5"},
      {10, "5"},
      {20, "5"}}},
    {"TEXT",
     "ZcDbText",
     {{100, "AcDbText"}, {10, "1"}, {20, "1"}, {30, "0"}, {40, "2.5"}, {1, "Tekst"}, {100, "AcDbText"}}},
    {"MTEXT",
     "ZcDbMText",
     {{100, "AcDbMText"},
      {10, "0"},
      {20, "0"},
      {30, "0"},
      {40, "2"},
      {41, "20"},
      {71, "1"},
      {72, "5"},
      {1, "Opis"},
      {7, "Standard"},
      {210, "0"},
      {220, "0"},
      {230, "1"},
      {50, "0"},
      {73, "1"},
      {44, "1"}}},
    {"INSERT", "ZcDbBlockReference", kLibreCadReference},
    {"HATCH", "ZcDbHatch", {{100, "AcDbHatch"}, {10, "0"}, {20, "0"}, {30, "0"}, {210, "0"}, {220, "0"}, {230, "1"},
                            {2, "SOLID"},       {70, "1"}, {71, "0"}, {91, "1"}, {92, "1"},  {93, "3"},  {72, "1"},
                            {10, "0"},          {20, "0"}, {11, "5"}, {21, "0"}, {72, "1"},  {10, "5"},  {20, "0"},
                            {11, "5"},          {21, "5"}, {72, "1"}, {10, "5"}, {20, "5"},  {11, "0"},  {21, "0"},
                            {97, "0"},          {75, "0"}, {76, "1"}, {98, "0"}}},
    {"POINT", "ZcDbPoint", {{100, "AcDbPoint"}, {10, "11"}, {20, "0"}, {30, "0"}}},
    {"ELLIPSE",
     "ZcDbEllipse",
     {{100, "AcDbEllipse"},
      {10, "0.999988"},
      {20, "-1.5"},
      {30, "0"},
      {11, "1.53080849893e-016"},
      {21, "2.5"},
      {31, "0"},
      {40, "0.499994"},
      {41, "5.35589008918"},
      {42, "0.927295218002"}}},
    {"SPLINE",
     "ZcDbSpline",
     {{100, "AcDbSpline"}, {210, "0"}, {220, "0"},     {230, "1"},     {70, "8"},    {71, "2"}, {72, "6"},
      {73, "3"},           {74, "0"},  {42, "1e-007"}, {43, "1e-007"}, {40, "0"},    {40, "0"}, {40, "0"},
      {40, "1"},           {40, "1"},  {40, "1"},      {10, "7.18"},   {20, "-3.2"}, {30, "0"}, {10, "7.15"},
      {20, "-3.33"},       {30, "0"},  {10, "7.1"},    {20, "-3.4"},   {30, "0"}}},
};

class CommonCodesAfterTheMarker : public ::testing::TestWithParam<KindCase> {};

}  // namespace

TEST_P(CommonCodesAfterTheMarker, BelongToTheEntityWhichIsModelledAndComesBackTheSame)
{
    const KindCase& c = GetParam();
    const std::string text = fileWith(entityWithCommonAfterMarker(c, "A0"));
    ZcDbDatabase db(false);
    std::string error;
    ASSERT_TRUE(readDxf(text, db, error)) << error;
    const std::vector<const ZcDbEntity*> entities = modelSpace(db);
    ASSERT_EQ(entities.size(), 1u);
    const ZcDbEntity* e = entities.front();
    EXPECT_STREQ(e->isA()->name(), c.modelledAs);
    EXPECT_EQ(e->layer(), "Kreski");
    EXPECT_EQ(e->colorIndex(), 1);
    EXPECT_EQ(e->lineWeight(), ZcDb::LineWeight(50));

    if (const std::string missing = ezdxfMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    TempDir folder(std::string("common-after-marker-") + c.kind);
    const std::string original = folder.file("original.dxf"), copy = folder.file("copy.dxf");
    save(original, text);
    ASSERT_TRUE(writeDxfFile(db, copy, error)) << error;
    for (const std::string& d : ezdxfDifferences(original, copy))
        ADD_FAILURE() << d;
}

INSTANTIATE_TEST_SUITE_P(ModelledKinds, CommonCodesAfterTheMarker, ::testing::ValuesIn(kKinds),
                         [](const auto& named) { return std::string(named.param.kind); });

TEST(ForeignReference, ZScaleZeroOfOneRowAndColumnIsAPlainReferenceAndDrawn)
{
    DxfSnippetPairs reference = {{0, "INSERT"}, {5, "A0"}, {100, "AcDbEntity"}, {8, "0"}};
    reference.insert(reference.end(), kLibreCadReference.begin(), kLibreCadReference.end());
    const std::string text = fileWith(reference);
    ZcDbDatabase db(false);
    std::string error;
    ASSERT_TRUE(readDxf(text, db, error)) << error;
    const std::vector<const ZcDbEntity*> entities = modelSpace(db);
    ASSERT_EQ(entities.size(), 1u);
    const auto* ref = ZcDbBlockReference::cast(entities.front());
    ASSERT_NE(ref, nullptr) << entities.front()->isA()->name();
    EXPECT_EQ(ref->scaleFactors().sz, 1.0);
    PictureSettings settings;
    settings.resolution = 10.0;
    std::vector<std::string> notices;
    const std::optional<RasterPicture> picture = rasterPicture(db, settings, error, &notices);
    ASSERT_TRUE(picture) << error;
    EXPECT_TRUE(showsInk(*picture, 6.0, 1.0, kBlack, kWhite)) << "the block's line, moved by (1, 1)";
    EXPECT_TRUE(notices.empty()) << notices.front();
}

// Found in LibreCAD's library: a viewport scale its writer never set.
TEST(ForeignHeader, AVastNumberInAVariableNoDrawingUsesIsKeptAsGiven)
{
    const std::string text = dxfSnippet({{0, "SECTION"},
                                         {2, "HEADER"},
                                         {9, "$ACADVER"},
                                         {1, "AC1021"},
                                         {9, "$PSVPSCALE"},
                                         {40, "8.4400765088e+162"},
                                         {0, "ENDSEC"},
                                         {0, "SECTION"},
                                         {2, "ENTITIES"},
                                         {0, "ENDSEC"},
                                         {0, "EOF"}});
    ZcDbDatabase db(false);
    std::string error;
    ASSERT_TRUE(readDxf(text, db, error)) << error;
    const std::string written = dxfToString(db, &error);
    ASSERT_EQ(error, "");
    EXPECT_NE(written.find("$PSVPSCALE\n 40\n8.4400765088e+162\n"), std::string::npos);
    // A drawing's own numbers stay refused beyond the range.
    ZcDbDatabase other(false);
    EXPECT_FALSE(
        readDxf(dxfEntitiesFile({{0, "CIRCLE"}, {100, "AcDbCircle"}, {10, "8.4400765088e+162"}}), other, error));
}

namespace {

// Small drawings made the way LibreCAD's library and patterns are: an old
// pattern file without markers, and a part of its library with the common
// codes after the markers, every kind a base map brings, and an image.
struct CorpusCase {
    const char* name;
    bool old;  // no version in the header, no markers, no handles
    DxfSnippetPairs entities;
    DxfSnippetPairs objects;
    std::vector<ZcGePoint2d> inked;  // points on what the drawing shows
};

std::string oldFileWith(const DxfSnippetPairs& entities)
{
    DxfSnippetPairs all = {{0, "SECTION"}, {2, "ENTITIES"}};
    all.insert(all.end(), entities.begin(), entities.end());
    all.push_back({0, "ENDSEC"});
    all.push_back({0, "EOF"});
    return dxfSnippet(all);
}

const CorpusCase kCorpusLike[] = {
    {"OldPattern",
     true,
     {{0, "LINE"},   {8, "default"}, {6, "CONTINUOUS"}, {10, "19.948"}, {20, "50"},  {11, "4.793"}, {21, "76.25"},
      {39, "0"},     {62, "7"},      {0, "POINT"},      {8, "default"}, {10, "11"},  {20, "0"},     {62, "7"},
      {0, "CIRCLE"}, {8, "default"}, {10, "3"},         {20, "3"},      {40, "1.5"}, {62, "3"}},
     {},
     {{11, 0}, {4.5, 3}, {12.3705, 63.125}}},
    {"LibraryPart",
     false,
     {{0, "LINE"},
      {5, "40"},
      {100, "AcDbEntity"},
      {100, "AcDbLine"},
      {8, "0"},
      {62, "256"},
      {370, "-1"},
      {6, "ByLayer"},
      {10, "0"},
      {20, "0"},
      {30, "0"},
      {11, "20"},
      {21, "10"},
      {31, "0"},
      {0, "POINT"},
      {5, "41"},
      {100, "AcDbEntity"},
      {100, "AcDbPoint"},
      {8, "0"},
      {62, "256"},
      {370, "-1"},
      {6, "ByLayer"},
      {10, "11"},
      {20, "0"},
      {30, "0"},
      {0, "ELLIPSE"},
      {5, "42"},
      {100, "AcDbEntity"},
      {8, "0"},
      {6, "CONTINUOUS"},
      {62, "7"},
      {370, "50"},
      {100, "AcDbEllipse"},
      {10, "5"},
      {20, "5"},
      {30, "0"},
      {11, "4"},
      {21, "0"},
      {31, "0"},
      {40, "0.5"},
      {41, "0"},
      {42, "6.28318530718"},
      {0, "ELLIPSE"},
      {5, "43"},
      {100, "AcDbEntity"},
      {8, "0"},
      {100, "AcDbEllipse"},
      {10, "15"},
      {20, "5"},
      {30, "0"},
      {11, "0"},
      {21, "3"},
      {31, "0"},
      {210, "0"},
      {220, "0"},
      {230, "-1"},
      {40, "0.3"},
      {41, "5.3"},
      {42, "0.9"},
      {0, "SPLINE"},
      {5, "44"},
      {100, "AcDbEntity"},
      {8, "0"},
      {100, "AcDbSpline"},
      {210, "0"},
      {220, "0"},
      {230, "1"},
      {70, "8"},
      {71, "3"},
      {72, "8"},
      {73, "4"},
      {74, "0"},
      {42, "1e-007"},
      {43, "1e-007"},
      {40, "0"},
      {40, "0"},
      {40, "0"},
      {40, "0"},
      {40, "1"},
      {40, "1"},
      {40, "1"},
      {40, "1"},
      {10, "0"},
      {20, "10"},
      {30, "0"},
      {10, "5"},
      {20, "15"},
      {30, "0"},
      {10, "10"},
      {20, "5"},
      {30, "0"},
      {10, "15"},
      {20, "10"},
      {30, "0"},
      {0, "INSERT"},
      {5, "45"},
      {100, "AcDbEntity"},
      {100, "AcDbBlockReference"},
      {8, "0"},
      {2, "Blok"},
      {10, "0"},
      {20, "-5"},
      {30, "0"},
      {41, "1"},
      {42, "1"},
      {43, "0"},
      {50, "0"},
      {70, "1"},
      {71, "1"},
      {44, "0"},
      {45, "0"},
      {0, "IMAGE"},
      {5, "46"},
      {100, "AcDbEntity"},
      {8, "0"},
      {100, "AcDbRasterImage"},
      {90, "0"},
      {10, "20"},
      {20, "0"},
      {30, "0"},
      {11, "0.1"},
      {21, "0"},
      {31, "0"},
      {12, "0"},
      {22, "0.1"},
      {32, "0"},
      {13, "88"},
      {23, "80"},
      {340, "50"},
      {70, "1"},
      {280, "0"},
      {281, "50"},
      {282, "50"},
      {283, "0"}},
     {{0, "DICTIONARY"},
      {5, "C"},
      {330, "0"},
      {100, "AcDbDictionary"},
      {281, "1"},
      {3, "ACAD_IMAGE_DICT"},
      {350, "51"},
      {0, "DICTIONARY"},
      {5, "51"},
      {330, "C"},
      {100, "AcDbDictionary"},
      {281, "1"},
      {3, "plan"},
      {350, "50"},
      {0, "IMAGEDEF"},
      {5, "50"},
      {330, "51"},
      {100, "AcDbRasterImageDef"},
      {90, "0"},
      {1, "plan.png"},
      {10, "88"},
      {20, "80"},
      {11, "0.1"},
      {21, "0.1"},
      {280, "1"},
      {281, "0"}},
     // The line, the point, both ends of the whole ellipse's major axis, the
     // spline's ends, the block's line at Z scale 0, the image's frame.
     {{10, 5}, {11, 0}, {9, 5}, {1, 5}, {0, 10}, {15, 10}, {5, -5}, {20, 4}}},
    // A dot of a power symbol: a solid hatch bounded by one elliptic edge.
    {"EllipticHatch",
     false,
     {{0, "HATCH"},
      {5, "46"},
      {100, "AcDbEntity"},
      {8, "0"},
      {6, "CONTINUOUS"},
      {62, "7"},
      {370, "70"},
      {100, "AcDbHatch"},
      {10, "0"},
      {20, "0"},
      {30, "0"},
      {210, "0"},
      {220, "0"},
      {230, "1"},
      {2, "SOLID"},
      {70, "1"},
      {71, "0"},
      {91, "1"},
      {92, "0"},
      {93, "1"},
      {72, "3"},
      {10, "0"},
      {20, "0"},
      {11, "-0"},
      {21, "0.917614599156"},
      {40, "0.942638558442"},
      {50, "0"},
      {51, "360"},
      {73, "1"},
      {97, "0"},
      {75, "0"},
      {76, "1"},
      {98, "0"}},
     {},
     {{0, 0}, {0.5, 0.5}, {0, -0.85}}},
    // A triangle's edges in no order, one backwards, hatched like ANSI31 as
    // LibreCAD writes it (the angle in radians; the lines say what is drawn).
    {"PatternedTriangle",
     false,
     {{0, "HATCH"},
      {5, "47"},
      {100, "AcDbEntity"},
      {8, "hatch"},
      {62, "256"},
      {100, "AcDbHatch"},
      {10, "0.0"},
      {20, "0.0"},
      {30, "0.0"},
      {210, "0.0"},
      {220, "0.0"},
      {230, "1.0"},
      {2, "ansi31"},
      {70, "0"},
      {71, "0"},
      {91, "1"},
      {92, "1"},
      {93, "3"},
      {72, "1"},
      {10, "5"},
      {20, "0"},
      {11, "0"},
      {21, "8.660254037844386"},
      {72, "1"},
      {10, "5"},
      {20, "0"},
      {11, "10"},
      {21, "8.660254037844386"},
      {72, "1"},
      {10, "0"},
      {20, "8.660254037844386"},
      {11, "10"},
      {21, "8.660254037844386"},
      {97, "0"},
      {75, "0"},
      {76, "1"},
      {52, "4.7123889803846897"},
      {41, "0.5"},
      {77, "0"},
      {78, "1"},
      {53, "45.0"},
      {43, "0.0"},
      {44, "0.0"},
      {45, "-0.0883883476483184"},
      {46, "0.0883883476483185"},
      {79, "0"},
      {98, "0"}},
     {},
     {{5, 3}, {3, 6}, {7, 6}}},
    // A half disc whose arc comes before its chord, backwards: dashed
    // horizontal lines and a crossing family, with the seed point a program picked.
    {"DashedHalfDisc",
     false,
     {{0, "HATCH"}, {5, "48"},    {100, "AcDbEntity"}, {8, "0"},     {100, "AcDbHatch"}, {10, "0"},  {20, "0"},
      {30, "0"},    {210, "0"},   {220, "0"},          {230, "1"},   {2, "KRATKA"},      {70, "0"},  {71, "0"},
      {91, "1"},    {92, "0"},    {93, "2"},           {72, "2"},    {10, "5"},          {20, "0"},  {40, "5"},
      {50, "0"},    {51, "180"},  {73, "1"},           {72, "1"},    {10, "10"},         {20, "0"},  {11, "0"},
      {21, "0"},    {97, "0"},    {75, "0"},           {76, "2"},    {52, "0"},          {41, "1"},  {77, "0"},
      {78, "2"},    {53, "0"},    {43, "0"},           {44, "0"},    {45, "0.5"},        {46, "1"},  {79, "2"},
      {49, "1.5"},  {49, "-0.5"}, {53, "90"},          {43, "0.25"}, {44, "0"},          {45, "-2"}, {46, "0"},
      {79, "0"},    {98, "1"},    {10, "5"},           {20, "2"}},
     {},
     {{1.5, 1}, {4.25, 3}, {2.25, 2.5}}},
};

class CorpusLike : public ::testing::TestWithParam<CorpusCase> {};

}  // namespace

TEST_P(CorpusLike, EverythingIsModelledDrawnAndComesBackWhole)
{
    const CorpusCase& c = GetParam();
    const std::string text = c.old ? oldFileWith(c.entities) : fileWith(c.entities, c.objects);
    ZcDbDatabase db(false);
    std::string error;
    ASSERT_TRUE(readDxf(text, db, error)) << error;
    for (const ZcDbEntity* e : modelSpace(db)) {
        if (const auto* raw = ZcDbRawEntity::cast(e)) {
            EXPECT_EQ(raw->kind(), "IMAGE") << "kept as read";
        }
    }

    PictureSettings settings;
    settings.resolution = 10.0;
    std::vector<std::string> notices;
    const std::optional<RasterPicture> picture = rasterPicture(db, settings, error, &notices);
    ASSERT_TRUE(picture) << error;
    for (const std::string& n : notices)
        EXPECT_EQ(n.find("not drawn"), std::string::npos) << n;
    for (const ZcGePoint2d& p : c.inked)
        EXPECT_FALSE(blankAround(*picture, p.x, p.y, kWhite)) << "nothing drawn at " << p.x << "," << p.y;

    // Written, read and written again: the same bytes; ezdxf sees the same entities.
    const std::string written = dxfToString(db, &error);
    ASSERT_EQ(error, "");
    ZcDbDatabase again(false);
    ASSERT_TRUE(readDxf(written, again, error)) << error;
    EXPECT_EQ(dxfToString(again), written);
    if (const std::string missing = ezdxfMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    TempDir folder(std::string("corpus-like-") + c.name);
    const std::string original = folder.file("original.dxf"), copy = folder.file("copy.dxf");
    save(original, text);
    save(copy, written);
    for (const std::string& diff : ezdxfDifferences(original, copy))
        ADD_FAILURE() << diff;
}

INSTANTIATE_TEST_SUITE_P(Made, CorpusLike, ::testing::ValuesIn(kCorpusLike),
                         [](const auto& named) { return std::string(named.param.name); });
