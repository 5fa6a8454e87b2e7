// Drawings this project writes come back whole: read and written again,
// the file is the same byte for byte, and the drawing read holds the same
// objects, handles and links as the one written.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numbers>

#include "ZcDbArc.h"
#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbHatch.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLine.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbMText.h"
#include "ZcDbPolyline.h"
#include "ZcDbSortentsTable.h"
#include "ZcDbText.h"
#include "ZcDbTextStyleTable.h"
#include "ZcDbXrecord.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/Opened.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/platform/dxf/SampleDrawing.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

// A drawing read from a text, owned by the test.
std::unique_ptr<ZcDbDatabase> readText(const std::string& text)
{
    auto db = std::make_unique<ZcDbDatabase>(false);
    std::string error;
    EXPECT_TRUE(readDxf(text, *db, error)) << error;
    return db;
}

template <class T>
const T* object(const ZcDbDatabase& db, ZcDbObjectId original)
{
    ZcDbObjectId id;
    if (db.getZcDbObjectId(id, false, original.handle()) != Zcad::eOk)
        return nullptr;
    return ZcDbObjectAccess::peekAs<T>(id);
}

std::vector<uint64_t> handles(const std::vector<ZcDbObjectId>& ids)
{
    std::vector<uint64_t> out;
    for (const ZcDbObjectId& id : ids)
        out.push_back(id.handle().value());
    return out;
}

class SampleRoundTrip : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        sample = std::make_unique<SampleDrawing>();
        written = dxfToString(sample->db());
        read = readText(written);
    }
    static void TearDownTestSuite()
    {
        read.reset();
        sample.reset();
    }

    static inline std::unique_ptr<SampleDrawing> sample;
    static inline std::string written;
    static inline std::unique_ptr<ZcDbDatabase> read;
};

}  // namespace

TEST_F(SampleRoundTrip, WrittenAgainTheFileIsTheSameByteForByte)
{
    ASSERT_FALSE(written.empty());
    std::string error;
    const std::string again = dxfToString(*read, &error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(again, written);
    // And once more from that file: reading settles nothing further.
    EXPECT_EQ(dxfToString(*readText(again)), written);
}

TEST_F(SampleRoundTrip, ANewDrawingComesBackTheSame)
{
    ZcDbDatabase fresh;
    const std::string text = dxfToString(fresh);
    EXPECT_EQ(dxfToString(*readText(text)), text);
}

TEST_F(SampleRoundTrip, EveryObjectKeepsItsHandleAndClass)
{
    for (const ZcDbObjectId& id : allObjects(&sample->db())) {
        const ZcDbObject* original = ZcDbObjectAccess::peek(id);
        if (original->isErased())
            continue;
        const ZcDbObject* copy = object<ZcDbObject>(*read, id);
        ASSERT_NE(copy, nullptr) << original->isA()->name() << " " << id.handle().value();
        EXPECT_EQ(copy->isA(), original->isA()) << id.handle().value();
        EXPECT_EQ(copy->ownerId().handle(), original->ownerId().handle()) << original->isA()->name();
    }
    EXPECT_EQ(read->handseed(), sample->db().handseed());
    EXPECT_EQ(object<ZcDbObject>(*read, sample->erasedLine), nullptr);
}

TEST_F(SampleRoundTrip, LinksComeBack)
{
    const auto* hatch = object<ZcDbHatch>(*read, sample->hatch);
    ASSERT_NE(hatch, nullptr);
    ASSERT_EQ(hatch->numLoops(), 2);
    EXPECT_TRUE(hatch->associative());
    EXPECT_EQ(handles(hatch->loops()[0].sourceIds), std::vector<uint64_t>{sample->outer.handle().value()});
    EXPECT_EQ(handles(hatch->loops()[1].sourceIds), std::vector<uint64_t>{sample->inner.handle().value()});
    const auto* outer = object<ZcDbPolyline>(*read, sample->outer);
    EXPECT_EQ(handles(outer->persistentReactors()), std::vector<uint64_t>{sample->hatch.handle().value()});

    const auto* group = object<ZcDbGroup>(*read, sample->group);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(handles(group->members()),
              (std::vector<uint64_t>{sample->line.handle().value(), sample->circle.handle().value()}));
    EXPECT_TRUE(group->isAnonymous());
    EXPECT_EQ(group->description(), "Osie i okrąg");
    EXPECT_EQ(read->groupDictionaryId().handle(), sample->db().groupDictionaryId().handle());

    const auto* reference = object<ZcDbBlockReference>(*read, sample->reference);
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(handles(reference->attributeIds()),
              (std::vector<uint64_t>{sample->visibleAttribute.handle().value(),
                                     sample->invisibleAttribute.handle().value()}));
    EXPECT_EQ(reference->blockTableRecord().handle(), sample->block.handle());
    const auto* hidden = object<ZcDbAttribute>(*read, sample->invisibleAttribute);
    EXPECT_EQ(hidden->textString(), kSampleAttribute);
    EXPECT_TRUE(hidden->isInvisible());

    const auto* space = object<ZcDbBlockTableRecord>(*read, read->modelSpaceId());
    ASSERT_NE(space, nullptr);
    const auto* order = ZcDbObjectAccess::peekAs<ZcDbSortentsTable>(
        ZcDbObjectAccess::peekAs<ZcDbDictionary>(space->extensionDictionary())->entries().front().second);
    ASSERT_NE(order, nullptr);
    ASSERT_EQ(order->entries().size(), 1u);
    EXPECT_EQ(order->entries()[0].first.handle(), sample->line.handle());
}

TEST_F(SampleRoundTrip, RecordsDataAndSettingsComeBack)
{
    const auto* record = object<ZcDbXrecord>(*read, sample->purpose);
    ASSERT_NE(record, nullptr);
    resbuf* mine = record->xData("Tarvo");
    resbuf* theirs = ZcDbObjectAccess::peek(sample->purpose)->xData("Tarvo");
    const resbuf* a = mine;
    const resbuf* b = theirs;
    for (; a && b; a = a->rbnext, b = b->rbnext) {
        ASSERT_EQ(a->restype, b->restype);
        if (a->restype == 1040) {
            EXPECT_EQ(a->resval.rreal, b->resval.rreal);  // exactly: 0.1 + 0.2
        }
        if (a->restype == 1000 || a->restype == 1005) {
            EXPECT_STREQ(a->resval.rstring, b->resval.rstring);
        }
    }
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
    zcutRelRb(mine);
    zcutRelRb(theirs);

    const auto* mtext = object<ZcDbMText>(*read, sample->mtext);
    ASSERT_NE(mtext, nullptr);
    // Angles travel in degrees: back in radians they differ by rounding only.
    constexpr double kAngleRoundingTol = 1e-14;
    EXPECT_NEAR(mtext->rotation(), ZcDbObjectAccess::peekAs<ZcDbMText>(sample->mtext)->rotation(), kAngleRoundingTol);
    EXPECT_EQ(mtext->textStyle().handle(), sample->style.handle());

    const auto* dashed = object<ZcDbLinetypeTableRecord>(*read, sample->textLinetype);
    ASSERT_NE(dashed, nullptr);
    EXPECT_TRUE(dashed->elementAt(1).isText);
    EXPECT_EQ(dashed->elementAt(1).style.handle(), sample->style.handle());
    EXPECT_EQ(read->clayer().handle(), sample->db().clayer().handle());
    EXPECT_EQ(read->byLayerLinetype().handle(), sample->db().byLayerLinetype().handle());
}

TEST_F(SampleRoundTrip, AnglesOfAnyValueComeBackToTheSameFile)
{
    // Angles travel in degrees and come back a last digit off: the file
    // must not change for that, extents included.
    TestDrawing drawing;
    ZcDbDatabase& db = drawing.db();
    for (int i = 1; i <= 40; ++i) {
        const double angle = i * 0.7853981633974483 / 7.0 + 1e-3 / i;
        auto* arc = new ZcDbArc({i * 1.5, -i * 0.25, 0}, 0.5 + i * 0.125, angle, angle * 2.5);
        arc->setDatabaseDefaults(&db);
        drawing.append(arc);
        auto* text = new ZcDbText;
        text->setDatabaseDefaults(&db);
        text->setPosition({i * 2.0, 10.0 + i, 0});
        text->setTextString("Kąt");
        text->setRotation(angle * 3.0);
        drawing.append(text);
    }
    const std::string text = dxfToString(db);
    EXPECT_EQ(dxfToString(*readText(text)), text);
}

TEST_F(SampleRoundTrip, LinksToObjectsThatAreNotWrittenAreLeftOut)
{
    // A dictionary taken out of the named-object dictionary is no longer
    // written; an entity still linked to it must not name it in the file.
    TestDrawing drawing;
    ZcDbDatabase& db = drawing.db();
    ZcDbObjectId removed;
    {
        ZcDbDictionary* raw = nullptr;
        db.getNamedObjectsDictionary(raw, ZcDb::kForWrite);
        Opened<ZcDbDictionary> nod(raw);
        auto* dict = new ZcDbDictionary;
        Opened<ZcDbDictionary> owned(dict);
        nod->setAt("Usuniety", dict, removed);
        nod->remove("Usuniety");
    }
    const ZcDbObjectId line = drawing.append(new ZcDbLine({0, 0, 0}, {1, 0, 0}));
    {
        Opened<ZcDbLine> open(line, ZcDb::kForWrite);
        open->addPersistentReactor(removed);
    }
    char handle[32];
    removed.handle().getIntoAsciiBuffer(handle, sizeof handle);
    const std::string text = dxfToString(db);
    EXPECT_EQ(text.find("\n330\n" + std::string(handle) + "\n"), std::string::npos);
    EXPECT_EQ(dxfToString(*readText(text)), text);
}

TEST_F(SampleRoundTrip, AFileReadInChunksGivesWhatTheTextInMemoryGives)
{
    // Enough polylines for the file to span several of the reader's chunks,
    // with lines cut at every place a chunk can end.
    TestDrawing drawing;
    {
        Opened<ZcDbBlockTableRecord> space(drawing.db().modelSpaceId(), ZcDb::kForWrite);
        for (int i = 0; i < 30000; ++i) {
            auto* p = new ZcDbPolyline;
            Opened<ZcDbPolyline> owned(p);
            p->setDatabaseDefaults(&drawing.db());
            p->addVertexAt(0, {i * 0.001, 1.0 / (i + 1)});
            p->addVertexAt(1, {i * 10.0, -i * 0.5}, 0.25);
            space->appendZcDbEntity(p);
        }
    }
    TempDir folder("dxf-chunks");
    const std::string path = folder.file("many.dxf");
    std::string error;
    ASSERT_TRUE(writeDxfFile(drawing.db(), path, error)) << error;
    const std::string text = dxfToString(drawing.db());
    ASSERT_GT(text.size(), size_t(3) << 20);
    ZcDbDatabase fromFile(false);
    ASSERT_TRUE(readDxfFile(path, fromFile, error)) << error;
    EXPECT_EQ(dxfToString(fromFile), text);
}

TEST_F(SampleRoundTrip, WhatACommandAddsAfterReadingGetsNewHandlesAndTheRestStays)
{
    auto db = readText(written);
    const uint64_t seed = db->handseed().value();
    zcdbHostApplicationServices()->setWorkingDatabase(db.get());
    ZcDbObjectId added;
    {
        Opened<ZcDbBlockTableRecord> space(db->modelSpaceId(), ZcDb::kForWrite);
        auto* line = new ZcDbLine({1, 2, 0}, {3, 4, 0});
        Opened<ZcDbLine> owned(line);
        line->setDatabaseDefaults(db.get());
        ASSERT_EQ(space->appendZcDbEntity(added, line), Zcad::eOk);
    }
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_GE(added.handle().value(), seed);
    auto again = readText(dxfToString(*db));
    for (const ZcDbObjectId& id : allObjects(db.get()))
        EXPECT_NE(object<ZcDbObject>(*again, id), nullptr) << id.handle().value();
    EXPECT_NE(object<ZcDbLine>(*again, added), nullptr);
}
