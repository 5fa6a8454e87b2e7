// Names and texts of a drawing are UTF-8. Every setter of a name or a text
// refuses other bytes (eInvalidInput) and keeps what it had, so that a file
// never shows them as question marks.

#include <gtest/gtest.h>

#include <functional>

#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbMText.h"
#include "ZcDbText.h"
#include "ZcDbTextStyleTable.h"
#include "ZcDbXrecord.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

// Tries the setter with the bytes on a new object of the drawing (closing
// what it opens); the setter's answer.
using Attempt = std::function<Zcad::ErrorStatus(ZcDbDatabase&, const char* bytes)>;

struct Setter {
    const char* what;
    Attempt attempt;
};

void PrintTo(const Setter& s, std::ostream* os) { *os << s.what; }

// A new record named "Kept" added to its table; then renamed to the bytes.
template <class Table, class Record>
Attempt renamed(Zcad::ErrorStatus (ZcDbDatabase::*getTable)(Table*&, ZcDb::OpenMode))
{
    return [getTable](ZcDbDatabase& db, const char* bytes) {
        Table* table = nullptr;
        (db.*getTable)(table, ZcDb::kForWrite);
        auto* record = new Record;
        record->setName("Kept");
        table->add(record);
        table->close();
        const Zcad::ErrorStatus es = record->setName(bytes);
        record->close();
        return es;
    };
}

// A new entity of model space, given the bytes by the setter.
template <class Entity, class Set>
Attempt entitySetter(Set set)
{
    return [set](ZcDbDatabase& db, const char* bytes) {
        auto* entity = new Entity;
        entity->setDatabaseDefaults(&db);
        ZcDbBlockTableRecord* space = nullptr;
        zcdbOpenObject(space, db.modelSpaceId(), ZcDb::kForWrite);
        space->appendZcDbEntity(entity);
        space->close();
        const Zcad::ErrorStatus es = set(entity, bytes);
        entity->close();
        return es;
    };
}

// An entry of a dictionary of the drawing under a key of those bytes.
Attempt dictionaryKey(Zcad::ErrorStatus (ZcDbDatabase::*getDictionary)(ZcDbDictionary*&, ZcDb::OpenMode),
                      ZcDbObject* (*make)())
{
    return [getDictionary, make](ZcDbDatabase& db, const char* bytes) {
        ZcDbDictionary* dictionary = nullptr;
        (db.*getDictionary)(dictionary, ZcDb::kForWrite);
        ZcDbObject* entry = make();
        ZcDbObjectId id;
        const Zcad::ErrorStatus es = dictionary->setAt(bytes, entry, id);
        if (es == Zcad::eOk)
            entry->close();
        else
            delete entry;
        dictionary->close();
        return es;
    };
}

const Setter kSetters[] = {
    {"layer name", renamed<ZcDbLayerTable, ZcDbLayerTableRecord>(&ZcDbDatabase::getLayerTable)},
    {"block name", renamed<ZcDbBlockTable, ZcDbBlockTableRecord>(&ZcDbDatabase::getBlockTable)},
    {"text style name", renamed<ZcDbTextStyleTable, ZcDbTextStyleTableRecord>(&ZcDbDatabase::getTextStyleTable)},
    {"linetype name", renamed<ZcDbLinetypeTable, ZcDbLinetypeTableRecord>(&ZcDbDatabase::getLinetypeTable)},
    {"dictionary key",
     dictionaryKey(&ZcDbDatabase::getNamedObjectsDictionary, []() -> ZcDbObject* { return new ZcDbXrecord; })},
    {"group name", dictionaryKey(&ZcDbDatabase::getGroupDictionary, []() -> ZcDbObject* { return new ZcDbGroup; })},
    {"group description",
     [](ZcDbDatabase&, const char* b) {
         ZcDbGroup group("Kept");
         const Zcad::ErrorStatus es = group.setDescription(b);
         EXPECT_EQ(group.description(), "Kept");
         return es;
     }},
    {"text", entitySetter<ZcDbText>([](ZcDbText* t, const char* b) { return t->setTextString(b); })},
    {"multiline text", entitySetter<ZcDbMText>([](ZcDbMText* t, const char* b) { return t->setContents(b); })},
    {"attribute tag",
     entitySetter<ZcDbAttributeDefinition>([](ZcDbAttributeDefinition* a, const char* b) { return a->setTag(b); })},
    {"attribute value",
     [](ZcDbDatabase&, const char* b) {
         ZcDbAttribute attribute;
         attribute.setTextString("Kept");
         const Zcad::ErrorStatus es = attribute.setTextString(b);
         EXPECT_EQ(attribute.textString(), "Kept");
         return es;
     }},
    {"attribute prompt",
     entitySetter<ZcDbAttributeDefinition>([](ZcDbAttributeDefinition* a, const char* b) { return a->setPrompt(b); })},
    {"extended data string", entitySetter<ZcDbText>([](ZcDbText* t, const char* b) {
         resbuf* xdata = textItem(1001, "Tarvo");
         xdata->rbnext = textItem(1000, b);
         const Zcad::ErrorStatus es = t->setXData(xdata);
         zcutRelRb(xdata);
         return es;
     })},
    {"extended data application", entitySetter<ZcDbText>([](ZcDbText* t, const char* b) {
         resbuf* xdata = textItem(1001, b);
         xdata->rbnext = textItem(1000, "x");
         const Zcad::ErrorStatus es = t->setXData(xdata);
         zcutRelRb(xdata);
         return es;
     })},
    {"record string",
     [](ZcDbDatabase&, const char* b) {
         ZcDbXrecord record;
         resbuf* data = textItem(1, b);
         const Zcad::ErrorStatus es = record.setFromRbChain(data);
         zcutRelRb(data);
         return es;
     }},
    {"linetype description",
     [](ZcDbDatabase&, const char* b) {
         ZcDbLinetypeTableRecord record;
         return record.setComments(b);
     }},
    {"font file",
     [](ZcDbDatabase&, const char* b) {
         ZcDbTextStyleTableRecord record;
         return record.setFileName(b);
     }},
};

// Bytes a terminal or a file in another encoding gives.
const char* const kNotUtf8[] = {
    "Za\xBF\xF3\xB3\xE6",  // "Zażółć" in code page 1250
    "a\xFF",               // never a UTF-8 byte
    "\xC5",                // cut short
    "\xC0\xAF",            // overlong '/'
    "\xED\xA0\x80",        // an encoded surrogate
};

class NotUtf8 : public ::testing::TestWithParam<std::tuple<Setter, const char*>> {};

}  // namespace

TEST_P(NotUtf8, IsRefusedAndNeverWrittenAsQuestionMarks)
{
    const auto& [setter, bytes] = GetParam();
    TestDrawing drawing;
    EXPECT_EQ(setter.attempt(drawing.db(), bytes), Zcad::eInvalidInput);
    EXPECT_EQ(drawing.openCount(), 0u);
    std::string error;
    const std::string file = dxfToString(drawing.db(), &error);
    ASSERT_FALSE(file.empty()) << error;
    EXPECT_EQ(file.find('?'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(EverySetter, NotUtf8,
                         ::testing::Combine(::testing::ValuesIn(kSetters), ::testing::ValuesIn(kNotUtf8)));
