// Linetypes brought into the drawing on demand from the system's linetype file.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "ZcDbLinetypeTable.h"
#include "services/Linetype.h"
#include "services/RegistryKey.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDrawing.h"
#include "tests/support/TestPaths.h"
#include "tests/support/TestRegistry.h"

using namespace platform;

namespace {

// Where Tarvo.lin is before it is installed.
std::string sourceResources() { return std::string(testSourceDir()) + "/resources"; }

std::string lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

int linetypeCount(ZcDbDatabase& db)
{
    Opened<ZcDbLinetypeTable> table(db.linetypeTableId(), ZcDb::kForRead);
    return int(table->recordIds().size());
}

// The share of a line a linetype paints: its dashes over its whole length;
// a linetype without dashes is continuous.
double paintedShare(ZcDbDatabase& db, const char* name)
{
    Opened<ZcDbLinetypeTable> table(db.linetypeTableId(), ZcDb::kForRead);
    ZcDbLinetypeTableRecord* record = nullptr;
    if (table->getAt(name, record, ZcDb::kForRead) != Zcad::eOk)
        return NAN;
    double painted = 0.0;
    for (int i = 0; i < record->numDashes(); ++i)
        painted += std::max(0.0, record->dashLengthAt(i));
    const double share = record->numDashes() == 0 ? 1.0 : painted / record->patternLength();
    record->close();
    return share;
}

// A single marking of the line-marking catalogue: its linetype, the width
// it is drawn with and the painted area per running metre.
struct CatalogueLine {
    const char* linetype;
    double width;
    double areaPerMetre;
};

constexpr CatalogueLine kSingleLines[] = {
    {"P-1A", 0.12, 0.04}, {"P-1B", 0.12, 0.04}, {"P-1C", 0.24, 0.12}, {"P-1D", 0.12, 0.06},
    {"P-1E", 0.24, 0.12}, {"P-6", 0.12, 0.08},  {"P-7A", 0.24, 0.12}, {"P-7B", 0.24, 0.24},
    {"P-7C", 0.12, 0.06}, {"P-7D", 0.12, 0.12}, {"P-19", 0.24, 0.12},
};

// Areas of the catalogue are given to the hundredth of a square metre.
constexpr double kAreaTolerance = 1e-9;

}  // namespace

TEST(EnsureLinetype, ALinetypeAlreadyThereTouchesNeitherRegistryNorFile)
{
    TestDrawing drawing;
    TestRegistry registry;  // empty: a read would fail with message boxes
    {
        Opened<ZcDbLinetypeTable> table(drawing.db().linetypeTableId(), ZcDb::kForWrite);
        auto* own = new ZcDbLinetypeTableRecord;
        own->setName("P-1A");
        table->add(own);
        own->close();
    }
    EXPECT_EQ(EnsureLinetype("p-1a"), Zcad::eOk);
    EXPECT_EQ(EnsureLinetype("Continuous"), Zcad::eOk);
    EXPECT_TRUE(registry.boxes().empty());
    EXPECT_EQ(paintedShare(drawing.db(), "P-1A"), 1.0) << "the drawing's own definition stays";
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(EnsureLinetype, ANameTheFileLacksLoadsNothingAndReportsNothing)
{
    TestDrawing drawing;
    TestRegistry registry(TestRegistry::installedAt(sourceResources()));
    const int before = linetypeCount(drawing.db());
    testing::internal::CaptureStdout();
    EXPECT_EQ(EnsureLinetype("P-99"), Zcad::eOk);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(linetypeCount(drawing.db()), before);
    EXPECT_TRUE(registry.boxes().empty());
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(EnsureLinetype, EveryLinetypeOfTheCatalogueLoadsAndPaintsItsArea)
{
    TestDrawing drawing;
    TestRegistry registry(TestRegistry::installedAt(sourceResources()));
    for (const CatalogueLine& line : kSingleLines) {
        SCOPED_TRACE(line.linetype);
        EXPECT_EQ(EnsureLinetype(line.linetype), Zcad::eOk);
        EXPECT_NEAR(paintedShare(drawing.db(), line.linetype) * line.width, line.areaPerMetre, kAreaTolerance);
        Opened<ZcDbLinetypeTable> table(drawing.db().linetypeTableId(), ZcDb::kForRead);
        ZcDbObjectId id;
        ASSERT_EQ(table->getAt(line.linetype, id), Zcad::eOk);
        Opened<ZcDbLinetypeTableRecord> record(id, ZcDb::kForRead);
        EXPECT_EQ(lower(record->comments()).rfind(lower(line.linetype) + " ", 0), 0u)
            << "the description names the marking: " << record->comments();
    }
    {
        // The file is in the host's ANSI code page, as Polish Windows reads it.
        Opened<ZcDbLinetypeTable> table(drawing.db().linetypeTableId(), ZcDb::kForRead);
        ZcDbObjectId id;
        ASSERT_EQ(table->getAt("P-1A", id), Zcad::eOk);
        Opened<ZcDbLinetypeTableRecord> record(id, ZcDb::kForRead);
        EXPECT_EQ(record->comments(), "P-1a przerywana długa 4 m / 8 m");
    }
    // The one-sided markings: a continuous line beside a broken one.
    EXPECT_NEAR(0.12 + paintedShare(drawing.db(), "P-6") * 0.12, 0.20, kAreaTolerance) << "P-3A";
    EXPECT_NEAR(0.12 + paintedShare(drawing.db(), "P-1D") * 0.12, 0.18, kAreaTolerance) << "P-3B";
    EXPECT_TRUE(registry.boxes().empty());
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(EnsureLinetype, AFailedRegistryReadEndsItWithTheTableClosed)
{
    TestDrawing drawing;
    TestRegistry registry;
    testing::internal::CaptureStdout();
    EXPECT_THROW(EnsureLinetype("P-1A"), RegistryReadError);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(registry.boxes().size(), 2u) << "no key: its open and its read both fail";
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(EnsureLinetype, AnotherProgramReadsTheLoadedLinetypes)
{
    TempDir dir("linetypes");
    TestDrawing drawing;
    TestRegistry registry(TestRegistry::installedAt(sourceResources()));
    for (const CatalogueLine& line : kSingleLines)
        ASSERT_EQ(EnsureLinetype(line.linetype), Zcad::eOk);
    std::string error;
    const std::string file = dir.file("linie.dxf");
    ASSERT_TRUE(writeDxfFile(drawing.db(), file, error)) << error;
    std::ofstream(dir.file("check.py")) << R"py(import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
for name in sys.argv[2:]:
    tags = doc.linetypes.get(name).pattern_tags.tags
    print(name, [t.value for t in tags if t.code in (40, 49)])
print("errors", len(doc.audit().errors))
)py";
    std::string command = std::string(testPython()) + " " + dir.file("check.py") + " " + file + " P-1A P-7B P-19 2>&1";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[1024];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, n);
        ::pclose(pipe);
    }
    // Each pattern's length, then its dashes.
    EXPECT_EQ(out, "P-1A [12.0, 4.0, -8.0]\nP-7B [1.0, 1.0]\nP-19 [1.0, 0.5, -0.5]\nerrors 0\n");
}
