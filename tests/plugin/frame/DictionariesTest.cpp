// Named dictionaries, dictionary entries and groups.

#include <gtest/gtest.h>

#include <set>

#include "ZcDbXrecord.h"
#include "services/DatabaseServices.h"
#include "tests/support/TestDrawing.h"

namespace {

int namedEntries(ZcDbDatabase& db)
{
    ZcDbDictionary* nod = nullptr;
    db.getNamedObjectsDictionary(nod, ZcDb::kForRead);
    const int n = nod->numEntries();
    nod->close();
    return n;
}

}  // namespace

TEST(GetOrCreateNamedDictionary, AddsOnceThenFinds)
{
    TestDrawing drawing;
    const int before = namedEntries(drawing.db());

    ZcDbDictionary* created = GetOrCreateNamedDictionary("S_Znaki");
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->isWriteEnabled());
    EXPECT_EQ(drawing.openCount(), 1u) << "only the new dictionary is open";
    const ZcDbObjectId id = created->objectId();
    created->close();
    EXPECT_EQ(namedEntries(drawing.db()), before + 1);

    ZcDbDictionary* found = GetOrCreateNamedDictionary("S_Znaki");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->objectId(), id);
    EXPECT_TRUE(found->isReadEnabled());
    EXPECT_FALSE(found->isWriteEnabled());
    found->close();
    EXPECT_EQ(namedEntries(drawing.db()), before + 1);
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(GetOrCreateNamedDictionary, AnEntryThatIsNoDictionaryGivesNone)
{
    TestDrawing drawing;
    ZcDbDictionary* nod = nullptr;
    ASSERT_EQ(drawing.db().getNamedObjectsDictionary(nod, ZcDb::kForWrite), Zcad::eOk);
    ZcDbObjectId id;
    auto* record = new ZcDbXrecord;
    ASSERT_EQ(nod->setAt("S_Znaki", record, id), Zcad::eOk);
    record->close();
    nod->close();

    EXPECT_EQ(GetOrCreateNamedDictionary("S_Znaki"), nullptr);
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(GetOrCreateNamedDictionary, NoneWithoutAWorkingDrawing)
{
    TestDrawing drawing;
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_EQ(GetOrCreateNamedDictionary("S_Znaki"), nullptr);
}

TEST(GetDictionaryEntry, OpensTheEntryForWriteOrGivesNone)
{
    TestDrawing drawing;
    ZcDbDictionary* dict = GetOrCreateNamedDictionary("S_Znaki");
    ASSERT_NE(dict, nullptr);
    ZcDbObjectId id;
    auto* record = new ZcDbXrecord;
    ASSERT_EQ(dict->setAt("Przeznaczenie", record, id), Zcad::eOk);
    record->close();

    ZcDbObject* entry = GetDictionaryEntry(dict, "przeznaczenie");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->objectId(), id);
    EXPECT_TRUE(entry->isWriteEnabled());
    EXPECT_EQ(GetDictionaryEntry(dict, "Inne"), nullptr);
    EXPECT_EQ(GetDictionaryEntry(nullptr, "Przeznaczenie"), nullptr);
    entry->close();
    dict->close();
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(CreateGroup, AnAnonymousNameMakesANewGroupOnEveryCall)
{
    TestDrawing drawing;
    std::set<std::string> names;
    for (int i = 0; i < 3; ++i) {
        ZcDbGroup* group = CreateGroup("*", ZcDb::kForWrite);
        ASSERT_NE(group, nullptr);
        EXPECT_TRUE(group->isWriteEnabled());
        EXPECT_TRUE(group->isSelectable());
        EXPECT_TRUE(group->isAnonymous());
        EXPECT_EQ(drawing.openCount(), 1u) << "the group dictionary is closed again";
        names.insert(group->name());
        group->close();
    }
    EXPECT_EQ(names.size(), 3u);
    ZcDbDictionary* groups = nullptr;
    ASSERT_EQ(drawing.db().getGroupDictionary(groups, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(groups->numEntries(), 3);
    groups->close();
}

TEST(CreateGroup, AGroupTheDictionaryWillNotTakeIsNone)
{
    TestDrawing drawing;
    // Opened for read the dictionary takes nothing; a group outside the
    // drawing would silently lose its members.
    EXPECT_EQ(CreateGroup("*", ZcDb::kForRead), nullptr);
    ZcDbGroup* named = CreateGroup("Znaki", ZcDb::kForWrite);
    ASSERT_NE(named, nullptr);
    named->close();
    EXPECT_EQ(CreateGroup("Znaki", ZcDb::kForWrite), nullptr) << "a name already taken";
    EXPECT_EQ(drawing.openCount(), 0u);
}
