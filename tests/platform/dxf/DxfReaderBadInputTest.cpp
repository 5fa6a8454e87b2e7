// Files that are cut short, misspelt, full of garbage or of links to
// nothing give one clear message (with the line) or a repaired drawing;
// never a crash, a hang or a number that is not finite in the drawing.

#include <gtest/gtest.h>

#include <random>

#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbHatch.h"
#include "ZcDbPolyline.h"
#include "ZcDbSortentsTable.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/platform/dxf/DxfSnippet.h"

using namespace platform;

namespace {

// The message a text that cannot be read gives.
std::string failureOf(const std::string& text)
{
    ZcDbDatabase db(false);
    std::string error;
    EXPECT_FALSE(readDxf(text, db, error, "plan.dxf"));
    EXPECT_EQ(openObjects(&db).size(), 0u);
    return error;
}

std::unique_ptr<ZcDbDatabase> read(const std::string& text)
{
    auto db = std::make_unique<ZcDbDatabase>(false);
    std::string error;
    EXPECT_TRUE(readDxf(text, *db, error, "plan.dxf")) << error;
    EXPECT_EQ(openObjects(db.get()).size(), 0u);
    return db;
}

template <class T>
T* at(const ZcDbDatabase& db, uint64_t handle)
{
    ZcDbObjectId id;
    db.getZcDbObjectId(id, false, ZcDbHandle(handle));
    return ZcDbObjectAccess::peekAs<T>(id);
}

// A drawing read, written and read again gives the same file: what a
// repair leaves is a drawing like any other.
void expectWholeDrawing(const ZcDbDatabase& db)
{
    std::string error;
    const std::string written = dxfToString(db, &error);
    ASSERT_EQ(error, "");
    ZcDbDatabase again(false);
    ASSERT_TRUE(readDxf(written, again, error)) << error;
    EXPECT_EQ(dxfToString(again), written);
}

const DxfSnippetPairs kLine = {{0, "LINE"}, {5, "20"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbLine"},
                               {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {11, "1.0"}, {21, "1.0"}, {31, "0.0"}};

}  // namespace

TEST(DxfReaderBadInput, MessagesNameTheFileTheLineAndWhatWasWrong)
{
    // The header takes lines 1 to 14, the section's start 15 to 18: the
    // line is 19, its handle 21, its layer 25, its start point 29.
    const std::string cut = dxfEntitiesFile(kLine);
    EXPECT_EQ(failureOf(cut.substr(0, cut.find("AcDbLine") + 9)),
              "plan.dxf: line 28: the file ends inside the ENTITIES section");
    EXPECT_EQ(failureOf(cut.substr(0, cut.find(" 10\n") + 4)),
              "plan.dxf: line 29: the file ends after group code 10, without its value");
    EXPECT_EQ(failureOf(dxfEntitiesFile({{0, "LINE"}, {10, "1,5"}})),
              "plan.dxf: line 22: group code 10 expects a number, not \"1,5\"");
    std::string misspelt = cut;
    misspelt.replace(misspelt.find(" 20\n0.0"), 3, "2O ");
    EXPECT_EQ(failureOf(misspelt), "plan.dxf: line 31: a group code was expected, not \"2O \"");
    EXPECT_EQ(failureOf(dxfEntitiesFile({{0, "LWPOLYLINE"}, {100, "AcDbPolyline"}, {70, "99999"}})),
              "plan.dxf: line 24: group code 70 holds 99999, outside -32768 to 32767");
    EXPECT_EQ(failureOf(""), "plan.dxf: line 0: no DXF sections in the file (it is empty or not DXF)");
    EXPECT_EQ(failureOf("AutoCAD Binary DXF\r\n\x1a"), "plan.dxf: line 1: a binary DXF file; only ASCII DXF is read");
}

TEST(DxfReaderBadInput, NumbersThatAreNotFiniteNeverReachTheDrawing)
{
    for (const char* bad : {"nan", "NaN", "inf", "-inf", "1e400", "-1e999"}) {
        const std::string error = failureOf(dxfEntitiesFile({{0, "CIRCLE"}, {100, "AcDbCircle"}, {10, bad}}));
        EXPECT_NE(error.find("line 24: group code 10 holds"), std::string::npos) << error;
        EXPECT_NE(error.find("not a finite number"), std::string::npos) << error;
    }
    // Kept as read or in extended data alike.
    EXPECT_NE(failureOf(dxfEntitiesFile({{0, "SPLINE"}, {100, "AcDbSpline"}, {40, "nan"}})).find("not a finite"),
              std::string::npos);
    EXPECT_NE(failureOf(dxfEntitiesFile({{0, "POINT"}, {1001, "Tarvo"}, {1040, "inf"}})).find("not a finite"),
              std::string::npos);
    EXPECT_NE(failureOf(dxfEntitiesFile({{0, "HATCH"}, {100, "AcDbHatch"}, {78, "1"}, {53, "45"}, {45, "nan"}}))
                  .find("not a finite"),
              std::string::npos);
    // Finite, but beyond what the writer writes: what is read can always be written.
    for (const char* vast : {"1e308", "-1.5e101", "1e+200"}) {
        EXPECT_EQ(failureOf(dxfEntitiesFile({{0, "CIRCLE"}, {100, "AcDbCircle"}, {10, vast}})),
                  std::string("plan.dxf: line 24: group code 10 holds \"") + vast +
                      "\", beyond the ±1e100 a drawing's numbers stay within");
    }
    EXPECT_NE(failureOf(dxfEntitiesFile({{0, "TEXT"}, {100, "AcDbText"}, {40, "1e300"}})).find("line 24"),
              std::string::npos);
}

TEST(DxfReaderBadInput, GarbageGivesAMessageNotACrash)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 50; ++round) {
        std::string garbage(size_t(1 + round * 37), '\0');
        for (char& c : garbage)
            c = char(byte(random));
        ZcDbDatabase db(false);
        std::string error;
        if (!readDxf(garbage, db, error)) {
            EXPECT_NE(error, "");
        }
    }
    // Bytes that make no character inside values become '?'.
    auto db = read(dxfEntitiesFile({{0, "TEXT"}, {5, "20"}, {100, "AcDbText"}, {10, "0"}, {20, "0"}, {40, "1"},
                                    {1, std::string("a\x01" "b\0c", 5)}}));
    EXPECT_EQ(dxfToString(*db).find(std::string("b\0c", 3)), std::string::npos);
}

TEST(DxfReaderBadInput, LinksToNothingAreDropped)
{
    const std::string text = dxfFileOf({
        {0, "SECTION"}, {2, "ENTITIES"},
        {0, "LWPOLYLINE"}, {5, "20"}, {102, "{ACAD_REACTORS"}, {330, "77"}, {330, "30"}, {102, "}"},
        {102, "{ACAD_XDICTIONARY"}, {360, "78"}, {102, "}"}, {100, "AcDbEntity"}, {8, "0"},
        {100, "AcDbPolyline"}, {90, "3"}, {70, "1"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "0"}, {10, "1"}, {20, "1"},
        {0, "HATCH"}, {5, "30"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbHatch"}, {10, "0"}, {20, "0"}, {30, "0"},
        {2, "SOLID"}, {70, "1"}, {71, "1"}, {91, "1"}, {92, "3"}, {72, "0"}, {73, "1"}, {93, "3"},
        {10, "0"}, {20, "0"}, {10, "1"}, {20, "0"}, {10, "1"}, {20, "1"}, {97, "2"}, {330, "20"}, {330, "79"},
        {75, "0"}, {76, "1"}, {98, "0"},
        {0, "ENDSEC"},
        {0, "SECTION"}, {2, "OBJECTS"},
        {0, "DICTIONARY"}, {5, "C"}, {330, "0"}, {100, "AcDbDictionary"}, {3, "ACAD_GROUP"}, {350, "D"},
        {3, "Nic"}, {350, "7A"}, {3, "Ja"}, {350, "C"},
        {0, "DICTIONARY"}, {5, "D"}, {330, "C"}, {100, "AcDbDictionary"}, {3, "*A1"}, {350, "40"},
        {0, "GROUP"}, {5, "40"}, {330, "D"}, {100, "AcDbGroup"}, {300, ""}, {70, "1"}, {71, "1"},
        {340, "20"}, {340, "7B"}, {340, "C"},
        {0, "ENDSEC"},
    });
    const auto db = read(text);
    const auto* polyline = at<ZcDbPolyline>(*db, 0x20);
    ASSERT_NE(polyline, nullptr);
    EXPECT_EQ(polyline->persistentReactors().size(), 2u);  // the hatch and the group
    EXPECT_TRUE(polyline->extensionDictionary().isNull());
    const auto* hatch = at<ZcDbHatch>(*db, 0x30);
    ASSERT_NE(hatch, nullptr);
    ASSERT_EQ(hatch->loops().size(), 1u);
    EXPECT_EQ(hatch->loops()[0].sourceIds, std::vector<ZcDbObjectId>{polyline->objectId()});
    const auto* root = at<ZcDbDictionary>(*db, 0xC);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->numEntries(), 1) << "only the group dictionary points somewhere else";
    const auto* group = at<ZcDbGroup>(*db, 0x40);
    EXPECT_EQ(group->members(), std::vector<ZcDbObjectId>{polyline->objectId()});
    expectWholeDrawing(*db);
}

TEST(DxfReaderBadInput, OwnersInACircleAreGivenToTheNamedObjectDictionary)
{
    const auto db = read(dxfFileOf({
        {0, "SECTION"}, {2, "OBJECTS"},
        {0, "DICTIONARY"}, {5, "C"}, {330, "0"}, {100, "AcDbDictionary"},
        {0, "DICTIONARY"}, {5, "D"}, {330, "E"}, {100, "AcDbDictionary"}, {3, "E"}, {350, "E"},
        {0, "DICTIONARY"}, {5, "E"}, {330, "D"}, {100, "AcDbDictionary"}, {3, "D"}, {350, "D"},
        {0, "XRECORD"}, {5, "F"}, {330, "99"}, {100, "AcDbXrecord"}, {1, "sierota"},
        {0, "ENDSEC"},
    }));
    // The circle is cut at the first of it; the other stays with the one holding it.
    EXPECT_EQ(at<ZcDbObject>(*db, 0xD)->ownerId().handle().value(), 0xCu);
    EXPECT_EQ(at<ZcDbObject>(*db, 0xE)->ownerId().handle().value(), 0xDu);
    EXPECT_EQ(at<ZcDbObject>(*db, 0xF)->ownerId().handle().value(), 0xCu);
    // Written, every one of them is there with an owner that is there.
    const std::string written = dxfToString(*db);
    for (const char* h : {"\n  5\nD\n", "\n  5\nE\n", "\n  5\nF\n"})
        EXPECT_NE(written.find(h), std::string::npos) << h;
    expectWholeDrawing(*db);
}

TEST(DxfReaderBadInput, HugeCountsAreNotBelieved)
{
    const auto db = read(dxfFileOf({
        {0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {70, "2147483647"}, {0, "ENDTAB"}, {0, "ENDSEC"},
        {0, "SECTION"}, {2, "ENTITIES"},
        {0, "LWPOLYLINE"}, {5, "20"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbPolyline"}, {90, "2147483647"},
        {70, "0"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "1"},
        {0, "HATCH"}, {5, "21"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbHatch"}, {2, "SOLID"}, {70, "1"},
        {71, "0"}, {91, "999999999"}, {92, "2"}, {72, "0"}, {73, "1"}, {93, "999999999"}, {10, "0"}, {20, "0"},
        {10, "1"}, {20, "0"}, {10, "1"}, {20, "1"}, {97, "999999999"}, {75, "0"}, {76, "1"}, {98, "0"},
        {0, "ENDSEC"},
    }));
    EXPECT_EQ(at<ZcDbPolyline>(*db, 0x20)->numVerts(), 2u);
    EXPECT_EQ(at<ZcDbHatch>(*db, 0x21)->loops().at(0).vertices.size(), 3u);
    expectWholeDrawing(*db);
}

// Pattern lines, dashes and seed points fewer than their counts say: the
// hatch is kept as read.
TEST(DxfReaderBadInput, HatchPatternCountsThatLieKeepTheHatchAsRead)
{
    const auto db = read(dxfFileOf({
        {0, "SECTION"},     {2, "ENTITIES"}, {0, "HATCH"},  {5, "22"},     {100, "AcDbEntity"}, {8, "0"},
        {100, "AcDbHatch"}, {2, "X"},        {70, "0"},     {71, "0"},     {91, "1"},           {92, "2"},
        {72, "0"},          {73, "1"},       {93, "3"},     {10, "0"},     {20, "0"},           {10, "1"},
        {20, "0"},          {10, "1"},       {20, "1"},     {97, "0"},     {75, "0"},           {76, "1"},
        {52, "0"},          {41, "1"},       {77, "0"},     {78, "32767"}, {53, "0"},           {43, "0"},
        {44, "0"},          {45, "0"},       {46, "1"},     {79, "32767"}, {49, "1"},           {98, "32767"},
        {10, "0.5"},        {20, "0.2"},     {0, "ENDSEC"},
    }));
    EXPECT_EQ(at<ZcDbHatch>(*db, 0x22), nullptr);
    EXPECT_NE(at<ZcDbEntity>(*db, 0x22), nullptr);
    expectWholeDrawing(*db);
}

TEST(DxfReaderBadInput, AHandleUsedTwiceStaysWithTheFirst)
{
    DxfSnippetPairs twice = kLine;
    twice.insert(twice.end(), kLine.begin(), kLine.end());
    const auto db = read(dxfEntitiesFile(twice));
    const auto& space = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db->modelSpaceId())->entityIds();
    ASSERT_EQ(space.size(), 2u);
    EXPECT_EQ(space[0].handle().value(), 0x20u);
    EXPECT_GE(space[1].handle().value(), 0xFFFu) << "a new handle, above the file's seed";
    expectWholeDrawing(*db);

    EXPECT_NE(failureOf(dxfEntitiesFile({{0, "LINE"}, {5, "4000000000000000"}})).find("out of range"),
              std::string::npos);
}

TEST(DxfReaderBadInput, BlocksThatHoldThemselvesAreRefused)
{
    const DxfSnippetPairs selfHolding = {
        {0, "SECTION"}, {2, "BLOCKS"},
        {0, "BLOCK"}, {5, "30"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockBegin"}, {2, "A"}, {70, "0"},
        {10, "0"}, {20, "0"}, {30, "0"},
        {0, "INSERT"}, {5, "31"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockReference"}, {2, "B"},
        {10, "0"}, {20, "0"}, {30, "0"},
        {0, "ENDBLK"}, {5, "32"},
        {0, "BLOCK"}, {5, "33"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockBegin"}, {2, "B"}, {70, "0"},
        {10, "0"}, {20, "0"}, {30, "0"},
        {0, "INSERT"}, {5, "34"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockReference"}, {2, "A"},
        {10, "0"}, {20, "0"}, {30, "0"},
        {0, "INSERT"}, {5, "35"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockReference"}, {2, "A"},
        {10, "1"}, {20, "0"}, {30, "0"},
        {0, "ENDBLK"}, {5, "36"},
        {0, "ENDSEC"}};
    const std::string error = failureOf(dxfFileOf(selfHolding));
    EXPECT_NE(error.find("holds a reference to itself"), std::string::npos) << error;

    // Deep but finite nesting that would expand beyond reason.
    DxfSnippetPairs deep = {{0, "SECTION"}, {2, "BLOCKS"}};
    for (int level = 0; level < 40; ++level) {
        deep.insert(deep.end(), {{0, "BLOCK"}, {100, "AcDbBlockBegin"}, {2, "L" + std::to_string(level)}, {70, "0"},
                                 {10, "0"}, {20, "0"}, {30, "0"}});
        for (int copy = 0; copy < 2 && level < 39; ++copy)
            deep.insert(deep.end(), {{0, "INSERT"}, {100, "AcDbBlockReference"}, {2, "L" + std::to_string(level + 1)},
                                     {10, std::to_string(copy)}, {20, "0"}, {30, "0"}});
        deep.push_back({0, "ENDBLK"});
    }
    deep.push_back({0, "ENDSEC"});
    const std::string tooDeep = failureOf(dxfFileOf(deep));
    EXPECT_NE(tooDeep.find("would expand to more than"), std::string::npos) << tooDeep;
}

TEST(DxfReaderBadInput, ExtendedDataThatBreaksItsRulesIsRefused)
{
    EXPECT_NE(failureOf(dxfEntitiesFile({{0, "POINT"}, {1000, "bez aplikacji"}})).find("before the name"),
              std::string::npos);
    EXPECT_NE(failureOf(dxfEntitiesFile({{0, "POINT"}, {1001, "A"}, {1070, "70000"}})).find("outside"),
              std::string::npos);
    EXPECT_NE(failureOf(dxfEntitiesFile({{0, "POINT"}, {1001, "A"}, {1002, "("}})).find("1002"),
              std::string::npos);
    EXPECT_NE(failureOf(dxfEntitiesFile({{0, "POINT"}, {1001, "A"}, {1004, "ABC"}})).find("odd number"),
              std::string::npos);
}

TEST(DxfReaderBadInput, ALineTooLongForAnyDxfIsRefused)
{
    const std::string longText(size_t(2) << 20, 'x');
    const std::string error = failureOf(dxfEntitiesFile({{0, "TEXT"}, {1, longText}}));
    EXPECT_NE(error.find("line 22: a line longer than"), std::string::npos) << error.substr(0, 200);
}

TEST(DxfReaderBadInput, OnlyAnEmptyDrawingIsReadInto)
{
    ZcDbDatabase full;
    std::string error;
    EXPECT_FALSE(readDxf(dxfEntitiesFile(kLine), full, error, "plan.dxf"));
    EXPECT_EQ(error, "plan.dxf: the drawing to read into is not empty");
}
