// R12 drawings: no subclass markers, handles only with $HANDLING, no
// OBJECTS section, polylines with vertices. They read into the same
// drawing a newer file gives, with what they lack added, and write as R2000.

#include <gtest/gtest.h>

#include <fstream>

#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLine.h"
#include "ZcDbPoint.h"
#include "ZcDbPolyline.h"
#include "ZcDbText.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/platform/dxf/DxfSnippet.h"
#include "tests/support/ExternalTool.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

DxfSnippetPairs oldDrawing(bool handles)
{
    const auto h = [&](const char* value) { return handles ? DxfSnippetPairs{{5, value}} : DxfSnippetPairs{}; };
    DxfSnippetPairs p = {{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"}, {9, "$CLAYER"}, {8, "OSIE"}};
    if (handles)
        p.insert(p.end(), {{9, "$HANDLING"}, {70, "1"}, {9, "$HANDSEED"}, {5, "80"}});
    p.insert(p.end(), {{0, "ENDSEC"},
                       {0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {70, "2"},
                       {0, "LAYER"}, {2, "0"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"},
                       {0, "LAYER"}, {2, "OSIE"}, {70, "4"}, {62, "-3"}, {6, "CONTINUOUS"}, {0, "ENDTAB"},
                       {0, "TABLE"}, {2, "LTYPE"}, {70, "1"}, {0, "LTYPE"}, {2, "CONTINUOUS"}, {70, "0"},
                       {3, "Solid line"}, {72, "65"}, {73, "0"}, {40, "0.0"}, {0, "ENDTAB"}, {0, "ENDSEC"},
                       {0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {8, "0"}, {2, "ZNAK"}, {70, "2"},
                       {10, "0"}, {20, "0"}, {30, "0"}, {3, "ZNAK"}});
    p.insert(p.end(), {{0, "CIRCLE"}, {8, "0"}, {10, "0"}, {20, "0"}, {30, "0"}, {40, "0.5"},
                       {0, "ATTDEF"}, {8, "0"}, {10, "1"}, {20, "0"}, {30, "0"}, {40, "0.5"}, {1, "1"},
                       {3, "Numer"}, {2, "NR"}, {70, "0"}, {73, "4"},
                       {0, "ENDBLK"}, {8, "0"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}});
    const DxfSnippetPairs lineHandle = h("2A");
    p.insert(p.end(), lineHandle.begin(), lineHandle.end());
    p.insert(p.end(), {{8, "OSIE"}, {10, "0"}, {20, "0"}, {30, "0"}, {11, "10"}, {21, "0"}, {31, "0"},
                       {0, "POLYLINE"}, {8, "OSIE"}, {66, "1"}, {10, "0"}, {20, "0"}, {30, "2.5"}, {70, "1"},
                       {40, "0.1"}, {41, "0.1"},
                       {0, "VERTEX"}, {8, "OSIE"}, {10, "0"}, {20, "0"}, {30, "0"}, {42, "0.5"},
                       {0, "VERTEX"}, {8, "OSIE"}, {10, "5"}, {20, "0"}, {30, "0"},
                       {0, "VERTEX"}, {8, "OSIE"}, {10, "5"}, {20, "5"}, {30, "0"}, {40, "0.3"}, {41, "0.2"},
                       {0, "SEQEND"}, {8, "OSIE"},
                       {0, "POLYLINE"}, {8, "0"}, {66, "1"}, {70, "8"},
                       {0, "VERTEX"}, {8, "0"}, {10, "0"}, {20, "0"}, {30, "1"}, {70, "32"},
                       {0, "VERTEX"}, {8, "0"}, {10, "1"}, {20, "1"}, {30, "2"}, {70, "32"},
                       {0, "SEQEND"}, {8, "0"},
                       {0, "INSERT"}, {8, "0"}, {66, "1"}, {2, "ZNAK"}, {10, "3"}, {20, "3"}, {30, "0"},
                       {41, "2"}, {42, "2"}, {50, "30"},
                       {0, "ATTRIB"}, {8, "0"}, {10, "5"}, {20, "3"}, {30, "0"}, {40, "1"}, {1, "A-7"},
                       {2, "NR"}, {70, "0"}, {73, "4"},
                       {0, "SEQEND"}, {8, "0"},
                       {0, "TEXT"}, {8, "0"}, {10, "0"}, {20, "10"}, {30, "0"}, {40, "2.5"}, {1, "Przejscie"},
                       {72, "1"}, {11, "5"}, {21, "10"}, {31, "0"}, {73, "2"},
                       {0, "POINT"}, {8, "0"}, {10, "1"}, {20, "2"}, {30, "0"},
                       {0, "ENDSEC"}, {0, "EOF"}});
    return p;
}

std::unique_ptr<ZcDbDatabase> readOld(bool handles)
{
    auto db = std::make_unique<ZcDbDatabase>(false);
    std::string error;
    EXPECT_TRUE(readDxf(dxfSnippet(oldDrawing(handles)), *db, error)) << error;
    return db;
}

}  // namespace

TEST(DxfReaderOldFiles, EntitiesAreTheModelsOwn)
{
    const auto db = readOld(false);
    const auto space = modelSpace(*db);
    ASSERT_EQ(space.size(), 6u);
    EXPECT_EQ(space[0]->layer(), "OSIE");
    ASSERT_NE(ZcDbLine::cast(space[0]), nullptr);

    // A two-dimensional polyline becomes a lightweight one, as the host does.
    const auto* pl = ZcDbPolyline::cast(space[1]);
    ASSERT_NE(pl, nullptr);
    ASSERT_EQ(pl->numVerts(), 3u);
    EXPECT_TRUE(pl->isClosed());
    EXPECT_EQ(pl->elevation(), 2.5);
    double bulge = 0.0, start = 0.0, end = 0.0;
    pl->getBulgeAt(0, bulge);
    EXPECT_EQ(bulge, 0.5);
    pl->getWidthsAt(0, start, end);
    EXPECT_EQ(start, 0.1);
    pl->getWidthsAt(2, start, end);
    EXPECT_EQ(start, 0.3);
    EXPECT_EQ(end, 0.2);

    // A three-dimensional one is kept as read, with its vertices.
    const auto* raw = ZcDbRawEntity::cast(space[2]);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->kind(), "POLYLINE");
    EXPECT_EQ(raw->following().size(), 3u);

    const auto* ref = ZcDbBlockReference::cast(space[3]);
    ASSERT_NE(ref, nullptr);
    ASSERT_EQ(ref->attributeIds().size(), 1u);
    const auto* attribute = ZcDbObjectAccess::peekAs<ZcDbAttribute>(ref->attributeIds()[0]);
    EXPECT_EQ(attribute->tag(), "NR");
    EXPECT_EQ(attribute->textString(), "A-7");
    EXPECT_EQ(attribute->fieldLength(), 4);
    const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(ref->blockTableRecord());
    EXPECT_EQ(block->name(), "ZNAK");
    EXPECT_TRUE(block->hasAttributeDefinitions());

    const auto* text = ZcDbText::cast(space[4]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->horizontalMode(), ZcDbText::kTextCenter);
    EXPECT_EQ(text->verticalMode(), ZcDbText::kTextVertMid);
    EXPECT_EQ(text->alignmentPoint(), ZcGePoint3d(5, 10, 0));
    const auto* point = ZcDbPoint::cast(space[5]);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->position(), ZcGePoint3d(1, 2, 0));
}

TEST(DxfReaderOldFiles, WhatTheFileLacksIsAddedWithHandlesOfItsOwn)
{
    const auto db = readOld(false);
    EXPECT_FALSE(db->modelSpaceId().isNull());
    EXPECT_FALSE(db->paperSpaceId().isNull());
    EXPECT_NE(ZcDbObjectAccess::peekAs<ZcDbDictionary>(db->namedObjectsDictionaryId()), nullptr);
    EXPECT_NE(ZcDbObjectAccess::peekAs<ZcDbDictionary>(db->groupDictionaryId()), nullptr);
    EXPECT_FALSE(db->byLayerLinetype().isNull());
    EXPECT_FALSE(db->byBlockLinetype().isNull());
    const auto* osie = ZcDbObjectAccess::peekAs<ZcDbLayerTableRecord>(db->clayer());
    ASSERT_NE(osie, nullptr);
    EXPECT_EQ(osie->name(), "OSIE");
    EXPECT_TRUE(osie->isLocked());
    EXPECT_TRUE(osie->isOff());
    std::vector<uint64_t> seen;
    for (const ZcDbObjectId& id : allObjects(db.get())) {
        EXPECT_NE(id.handle().value(), 0u);
        seen.push_back(id.handle().value());
    }
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
    EXPECT_GT(db->handseed().value(), seen.back());
}

TEST(DxfReaderOldFiles, HandlesTheFileGivesAreKept)
{
    const auto db = readOld(true);
    EXPECT_EQ(modelSpace(*db)[0]->objectId().handle().value(), 0x2Au);
    for (const ZcDbObjectId& id : allObjects(db.get())) {
        if (id.handle().value() != 0x2A) {
            EXPECT_GE(id.handle().value(), 0x80u) << "new handles come above $HANDSEED";
        }
    }
}

TEST(DxfReaderOldFiles, WrittenAgainTheyAreNewerFilesOtherProgramsRead)
{
    const auto db = readOld(false);
    std::string error;
    const std::string written = dxfToString(*db, &error);
    ASSERT_EQ(error, "");
    // Entities, kept or not, get the subclass markers the newer form wants.
    EXPECT_NE(written.find("POINT\n  5\n"), std::string::npos);
    EXPECT_NE(written.find("100\nAcDbPoint\n 10\n1"), std::string::npos);
    EXPECT_NE(written.find("100\nAcDb3dPolyline\n"), std::string::npos);
    EXPECT_NE(written.find("100\nAcDbVertex\n100\nAcDb3dPolylineVertex\n"), std::string::npos);
    ZcDbDatabase again(false);
    ASSERT_TRUE(readDxf(written, again, error)) << error;
    EXPECT_EQ(dxfToString(again), written);

    if (const std::string missing = ezdxfMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    TempDir folder("dxf-old");
    const std::string path = folder.file("r12.dxf");
    std::ofstream(path) << written;
    const auto [output, status] = runCommand(std::string(kSystemPython) + " -c " +
                                             shellQuoted("import ezdxf,sys\n"
                                                         "d = ezdxf.readfile(sys.argv[1])\n"
                                                         "a = d.audit()\n"
                                                         "print([e.message for e in a.errors + a.fixes])\n"
                                                         "print(sorted(e.dxftype() for e in d.modelspace()))") +
                                             " " + shellQuoted(path) + " 2>&1");
    ASSERT_EQ(status, 0) << output;
    EXPECT_EQ(output, "[]\n['INSERT', 'LINE', 'LWPOLYLINE', 'POINT', 'POLYLINE', 'TEXT']\n");
}
