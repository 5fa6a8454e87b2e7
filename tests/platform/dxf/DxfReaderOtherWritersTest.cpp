// Drawings other programs write (ezdxf here, R2000 and R2018) come through
// reading and writing with nothing lost or changed: ezdxf reads the copy
// and finds the same kinds, counts, handles, links, extended data,
// attribute texts and geometry as in the original.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "ZcDbBlockTable.h"
#include "ZcDbLine.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/Opened.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/platform/dxf/Json.h"
#include "tests/support/ExternalTool.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class OtherWriter : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (const std::string missing = ezdxfMissing(); !missing.empty())
            GTEST_SKIP() << missing;
        folder = std::make_unique<TempDir>(std::string("dxf-other-") + GetParam());
        original = folder->file("ezdxf.dxf");
        const auto [output, status] = runCommand(std::string(kSystemPython) + " " +
                                                 shellQuoted(testScript("ezdxf_make.py")) + " " + GetParam() + " " +
                                                 shellQuoted(original) + " 2>&1");
        ASSERT_EQ(status, 0) << output;
    }

    std::unique_ptr<TempDir> folder;
    std::string original;
};

}  // namespace

TEST_P(OtherWriter, NothingIsLostOrChangedOnTheWayThrough)
{
    ZcDbDatabase db(false);
    std::string error;
    ASSERT_TRUE(readDxfFile(original, db, error)) << error;
    const std::string copy = folder->file("copy.dxf");
    ASSERT_TRUE(writeDxfFile(db, copy, error)) << error;

    const auto [output, status] = runCommand(std::string(kSystemPython) + " " +
                                             shellQuoted(testScript("ezdxf_compare.py")) + " " +
                                             shellQuoted(original) + " " + shellQuoted(copy) + " 2>&1");
    ASSERT_EQ(status, 0) << output;
    const Json differences = Json::parse(output);
    for (const Json& d : differences.array())
        ADD_FAILURE() << d.string();

    // The copy read and written once more stays as it is.
    ZcDbDatabase again(false);
    ASSERT_TRUE(readDxfFile(copy, again, error)) << error;
    EXPECT_EQ(dxfToString(again), contents(copy));
}

TEST_P(OtherWriter, KindsTheModelLacksAreKeptAndTheOthersModelled)
{
    ZcDbDatabase db(false);
    std::string error;
    ASSERT_TRUE(readDxfFile(original, db, error)) << error;
    std::map<std::string, int> kept, modelled;
    for (const ZcDbObjectId& id : allObjects(&db)) {
        const ZcDbObject* obj = ZcDbObjectAccess::peek(id);
        if (const auto* raw = ZcDbRawEntity::cast(obj))
            ++kept[raw->kind()];
        else if (ZcDbEntity::cast(obj))
            ++modelled[obj->isA()->name()];
    }
    // A spline given by its fit points alone has no curve until fitted: kept.
    for (const char* kind :
         {"SPLINE", "SOLID", "XLINE", "DIMENSION", "IMAGE", "VIEWPORT", "POLYLINE", "VERTEX", "SEQEND"})
        EXPECT_GT(kept[kind], 0) << kind;
    for (const char* kind :
         {"ZcDbLine", "ZcDbCircle", "ZcDbArc", "ZcDbPolyline", "ZcDbHatch", "ZcDbText", "ZcDbMText",
          "ZcDbBlockReference", "ZcDbAttribute", "ZcDbAttributeDefinition", "ZcDbPoint", "ZcDbEllipse", "ZcDbSpline"})
        EXPECT_GT(modelled[kind], 0) << kind;
}

TEST_P(OtherWriter, ADrawingOpenedChangedAndSavedKeepsAllItHeld)
{
    ZcDbDatabase db(false);
    std::string error;
    ASSERT_TRUE(readDxfFile(original, db, error)) << error;
    const std::vector<ZcDbObjectId> before = allObjects(&db);
    zcdbHostApplicationServices()->setWorkingDatabase(&db);
    {
        Opened<ZcDbBlockTableRecord> space(db.modelSpaceId(), ZcDb::kForWrite);
        auto* line = new ZcDbLine({0, 0, 0}, {5, 5, 0});
        Opened<ZcDbLine> owned(line);
        line->setDatabaseDefaults(&db);
        ASSERT_EQ(space->appendZcDbEntity(line), Zcad::eOk);
    }
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    ZcDbDatabase saved(false);
    ASSERT_TRUE(readDxf(dxfToString(db), saved, error)) << error;
    for (const ZcDbObjectId& id : before) {
        const ZcDbObject* obj = ZcDbObjectAccess::peek(id);
        ZcDbObjectId again;
        ASSERT_EQ(saved.getZcDbObjectId(again, false, id.handle()), Zcad::eOk)
            << obj->isA()->name() << " " << id.handle().value();
        EXPECT_EQ(ZcDbObjectAccess::peek(again)->isA(), obj->isA());
    }
}

INSTANTIATE_TEST_SUITE_P(Ezdxf, OtherWriter, ::testing::Values("R2000", "R2018"));

namespace {

// The drawings LibreCAD ships (its part library and hatch patterns),
// written by its libdxfrw as R2007 and by dxflib and older programs as R12.
constexpr const char* kLibreCadDrawings = "/usr/share/librecad";

std::vector<std::string> libreCadDrawings()
{
    std::vector<std::string> paths;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(kLibreCadDrawings, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        if (it->path().extension() == ".dxf")
            paths.push_back(it->path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace

TEST(LibreCadDrawings, EveryOneReadsAndComesBackTheSameWhenWrittenAgain)
{
    const std::vector<std::string> paths = libreCadDrawings();
    if (paths.empty())
        GTEST_SKIP() << "LibreCAD (Debian's librecad) is not installed";
    for (const std::string& path : paths) {
        ZcDbDatabase db(false);
        std::string error;
        ASSERT_TRUE(readDxfFile(path, db, error)) << error;
        const std::string written = dxfToString(db, &error);
        ASSERT_EQ(error, "") << path;
        ZcDbDatabase again(false);
        ASSERT_TRUE(readDxf(written, again, error)) << path << ": " << error;
        EXPECT_EQ(dxfToString(again), written) << path;
    }
}

TEST(LibreCadDrawings, TheirEntitiesAreAllThereAsEzdxfSeesThem)
{
    if (const std::string missing = ezdxfMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    TempDir folder("dxf-librecad");
    // One of each writer: libdxfrw's R2007, an R12 hatch pattern.
    for (const char* name : {"library/elektro/relay-iso/Relay.dxf", "patterns/honeycomb.dxf"}) {
        const std::string path = std::string(kLibreCadDrawings) + "/" + name;
        if (!std::filesystem::exists(path))
            GTEST_SKIP() << path << " is not installed";
        ZcDbDatabase db(false);
        std::string error;
        ASSERT_TRUE(readDxfFile(path, db, error)) << error;
        const std::string copy = folder.file("copy.dxf");
        ASSERT_TRUE(writeDxfFile(db, copy, error)) << error;
        const auto [output, status] = runCommand(std::string(kSystemPython) + " " +
                                                 shellQuoted(testScript("ezdxf_compare.py")) + " --kinds " +
                                                 shellQuoted(path) + " " + shellQuoted(copy) + " 2>&1");
        ASSERT_EQ(status, 0) << output;
        const Json differences = Json::parse(output);
        for (const Json& d : differences.array())
            ADD_FAILURE() << name << ": " << d.string();
    }
}
