// Linetype files: the host family's .lin syntax, loaded into a drawing.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>

#include "ZcDbLinetypeTable.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/LinetypeFile.h"
#include "platform/db/Opened.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

constexpr const char* kSample = R"(;; sample
*KRESKI,Kreski __ __ __
A,1.0,-.5
*Z_TEKSTEM,Gaz ---- GAZ ---- GAZ
A,.5,-.2,["GAZ",STANDARD,S=.1,R=90,X=-0.1,Y=-.05],-.25
*KSZTALT,With a shape
A,.25,[BOX,ltypeshp.shx,x=-.1,s=.1],-.1
*ZLE,Starts with a gap
A,-1,1
*ZLA_LICZBA
A,1,-x
)";

// A linetype file with the text, removed with its folder.
class LinetypeFile : public ::testing::Test {
protected:
    LinetypeFile() : m_dir("lin") {}
    std::string write(const std::string& text, const std::string& name = "sample.lin")
    {
        std::ofstream(m_dir.file(name), std::ios::binary) << text;
        return m_dir.file(name);
    }
    TempDir m_dir;
};

Opened<ZcDbLinetypeTableRecord> linetype(ZcDbDatabase& db, const char* name)
{
    ZcDbObjectId id;
    Opened<ZcDbLinetypeTable> table(db.linetypeTableId(), ZcDb::kForRead);
    table->getAt(name, id);
    return Opened<ZcDbLinetypeTableRecord>(id, ZcDb::kForRead);
}

}  // namespace

TEST(LinetypeText, ReadsSimpleAndTextDefinitionsAndSaysWhatIsWrongWithTheRest)
{
    const auto defs = parseLinetypeText(kSample);
    ASSERT_EQ(defs.size(), 5u);
    EXPECT_EQ(defs[0].name, "KRESKI");
    EXPECT_EQ(defs[0].description, "Kreski __ __ __");
    EXPECT_EQ(defs[0].dashes, (std::vector<double>{1.0, -0.5}));
    EXPECT_TRUE(defs[0].problem.empty());

    const LinetypeDefinition& gas = defs[1];
    ASSERT_TRUE(gas.problem.empty()) << gas.problem;
    EXPECT_EQ(gas.dashes, (std::vector<double>{0.5, -0.2, -0.25}));
    ASSERT_TRUE(gas.texts[1]) << "the text belongs to the dash before it";
    EXPECT_EQ(gas.texts[1]->text, "GAZ");
    EXPECT_EQ(gas.texts[1]->style, "STANDARD");
    EXPECT_DOUBLE_EQ(gas.texts[1]->scale, 0.1);
    EXPECT_NEAR(gas.texts[1]->rotation, std::numbers::pi / 2, 1e-12);
    EXPECT_FALSE(gas.texts[1]->absoluteRotation);
    EXPECT_DOUBLE_EQ(gas.texts[1]->offsetX, -0.1);
    EXPECT_DOUBLE_EQ(gas.texts[1]->offsetY, -0.05);

    EXPECT_NE(defs[2].problem.find(".shx"), std::string::npos) << defs[2].problem;
    EXPECT_FALSE(defs[3].problem.empty()) << "a pattern beginning with a gap";
    EXPECT_NE(defs[4].problem.find("-x"), std::string::npos) << defs[4].problem;
    EXPECT_EQ(defs[4].line, 10);
}

TEST(LinetypeText, RefusesMoreThanTwelveDashesAndPatternsWithoutLength)
{
    const auto defs = parseLinetypeText("*DLUGI\nA,1,-1,1,-1,1,-1,1,-1,1,-1,1,-1,1\n*ZERO\nA,0,-0\n*BEZ_WZORU\n");
    ASSERT_EQ(defs.size(), 3u);
    EXPECT_FALSE(defs[0].problem.empty());
    EXPECT_FALSE(defs[1].problem.empty());
    EXPECT_FALSE(defs[2].problem.empty());
}

TEST_F(LinetypeFile, LoadsTheNamedLinetypeOnly)
{
    TestDrawing drawing;
    const std::string file = write(kSample);
    EXPECT_EQ(drawing.db().loadLineTypeFile("kreski", file.c_str()), Zcad::eOk);
    {
        auto record = linetype(drawing.db(), "KRESKI");
        ASSERT_TRUE(record);
        EXPECT_EQ(record->name(), "KRESKI") << "the file's spelling";
        EXPECT_EQ(record->comments(), "Kreski __ __ __");
        EXPECT_EQ(record->numDashes(), 2);
        EXPECT_DOUBLE_EQ(record->patternLength(), 1.5);
    }
    EXPECT_FALSE(linetype(drawing.db(), "Z_TEKSTEM"));
    EXPECT_EQ(drawing.db().loadLineTypeFile("KRESKI", file.c_str()), Zcad::eDuplicateKey);
    EXPECT_EQ(drawing.db().loadLineTypeFile("BRAK", file.c_str()), Zcad::eKeyNotFound);
    EXPECT_EQ(drawing.db().loadLineTypeFile("KRESKI", m_dir.file("missing.lin").c_str()), Zcad::eFileNotFound);
    EXPECT_EQ(drawing.db().loadLineTypeFile(nullptr, file.c_str()), Zcad::eInvalidInput);
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST_F(LinetypeFile, KeepsTextElementsWithTheirStyle)
{
    TestDrawing drawing;
    ASSERT_EQ(drawing.db().loadLineTypeFile("Z_TEKSTEM", write(kSample).c_str()), Zcad::eOk);
    auto record = linetype(drawing.db(), "Z_TEKSTEM");
    ASSERT_TRUE(record);
    ASSERT_EQ(record->numDashes(), 3);
    const auto element = record->elementAt(1);
    EXPECT_TRUE(element.isText);
    EXPECT_EQ(element.text, "GAZ");
    ZcDbObjectId standard;
    Opened<ZcDbTextStyleTable>(drawing.db().textStyleTableId(), ZcDb::kForRead)->getAt("Standard", standard);
    EXPECT_EQ(element.style, standard);
    EXPECT_FALSE(record->elementAt(0).isText);
}

TEST_F(LinetypeFile, RefusesWhatItCannotDrawWithAMessage)
{
    TestDrawing drawing;
    const std::string file = write(kSample);
    testing::internal::CaptureStdout();
    EXPECT_EQ(drawing.db().loadLineTypeFile("KSZTALT", file.c_str()), Zcad::eInvalidInput);
    EXPECT_EQ(drawing.db().loadLineTypeFile("ZLA_LICZBA", file.c_str()), Zcad::eInvalidInput);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\"KSZTALT\""), std::string::npos) << out;
    EXPECT_NE(out.find("wiersz 10"), std::string::npos) << out;
    EXPECT_FALSE(linetype(drawing.db(), "KSZTALT"));

    // A text element needs its style in the drawing.
    const std::string other = write("*T\nA,1,[\"X\",BRAKSTYLU],-1\n", "other.lin");
    testing::internal::CaptureStdout();
    EXPECT_EQ(drawing.db().loadLineTypeFile("T", other.c_str()), Zcad::eKeyNotFound);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("BRAKSTYLU"), std::string::npos);
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST_F(LinetypeFile, AWildcardLoadsEveryGoodDefinition)
{
    TestDrawing drawing;
    testing::internal::CaptureStdout();
    EXPECT_EQ(drawing.db().loadLineTypeFile("*", write(kSample).c_str()), Zcad::eOk);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(linetype(drawing.db(), "KRESKI"));
    EXPECT_TRUE(linetype(drawing.db(), "Z_TEKSTEM"));
    EXPECT_FALSE(linetype(drawing.db(), "ZLE"));
}

TEST_F(LinetypeFile, LoadsWhileTheTableIsOpenForRead)
{
    // Callers look the name up and ask for the load with the table still open.
    TestDrawing drawing;
    const std::string file = write(kSample);
    {
        Opened<ZcDbLinetypeTable> table(drawing.db().linetypeTableId(), ZcDb::kForRead);
        ASSERT_EQ(drawing.db().loadLineTypeFile("KRESKI", file.c_str()), Zcad::eOk);
        EXPECT_TRUE(table->has("KRESKI"));
        EXPECT_TRUE(table->isReadEnabled());
        EXPECT_FALSE(table->isWriteEnabled());
    }
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST_F(LinetypeFile, TakesAWindowsPathAndTheAnsiCodePage)
{
    TestDrawing drawing;
    write("*PL,Linia przerywana \xB3\xB9\x6B\x61\nA,1,-1\n", "pl.lin");
    const std::string windowsPath = m_dir.path().string() + "\\pl.lin";
    ASSERT_EQ(drawing.db().loadLineTypeFile("PL", windowsPath.c_str()), Zcad::eOk);
    EXPECT_EQ(linetype(drawing.db(), "PL")->comments(), "Linia przerywana łąka");
}
