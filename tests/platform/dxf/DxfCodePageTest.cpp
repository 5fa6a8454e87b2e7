// Names and texts outside ASCII go into a file in the drawing's code page
// (1250) where it holds the character, as "\U+XXXX" otherwise. Read back by
// our reader and by ezdxf, every name and text is the same; ezdxf's auditor
// finds nothing in a drawing named in Polish.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbBlockReference.h"
#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbMText.h"
#include "ZcDbRegAppTable.h"
#include "ZcDbText.h"
#include "ZcDbTextStyleTable.h"
#include "ZcDbXrecord.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/Opened.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfText.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/platform/dxf/Json.h"
#include "tests/platform/dxf/TableRecord.h"
#include "tests/support/ExternalTool.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

struct CodePageCase {
    const char* name;
    bool inCodePage;  // every character is one the code page holds
};

void PrintTo(const CodePageCase& c, std::ostream* os) { *os << c.name; }

// A drawing where the one name stands for everything that has a name or a
// text: layer, linetype, text style, block, attribute tag and value, text,
// multiline text, application of extended data and its string, dictionary
// key and record string, group name and description.
void buildNamedDrawing(TestDrawing& drawing, const std::string& n)
{
    ZcDbDatabase& d = drawing.db();
    auto* layer = new ZcDbLayerTableRecord;
    ASSERT_EQ(layer->setName(n.c_str()), Zcad::eOk);
    addRecord(&ZcDbDatabase::getLayerTable, d, layer);
    auto* linetype = new ZcDbLinetypeTableRecord;
    ASSERT_EQ(linetype->setName(n.c_str()), Zcad::eOk);
    ASSERT_EQ(linetype->setComments(n.c_str()), Zcad::eOk);
    addRecord(&ZcDbDatabase::getLinetypeTable, d, linetype);
    auto* style = new ZcDbTextStyleTableRecord;
    ASSERT_EQ(style->setName(n.c_str()), Zcad::eOk);
    style->setFileName("arial.ttf");
    const ZcDbObjectId styleId = addRecord(&ZcDbDatabase::getTextStyleTable, d, style);
    auto* block = new ZcDbBlockTableRecord;
    ASSERT_EQ(block->setName(n.c_str()), Zcad::eOk);
    const ZcDbObjectId blockId = addRecord(&ZcDbDatabase::getBlockTable, d, block);
    {
        Opened<ZcDbBlockTableRecord> open(blockId, ZcDb::kForWrite);
        auto* definition = new ZcDbAttributeDefinition;
        Opened<ZcDbAttributeDefinition> owned(definition);
        definition->setDatabaseDefaults(&d);
        ASSERT_EQ(definition->setTag(n.c_str()), Zcad::eOk);
        ASSERT_EQ(definition->setPrompt(n.c_str()), Zcad::eOk);
        open->appendZcDbEntity(definition);
    }

    auto* text = new ZcDbText;
    text->setDatabaseDefaults(&d);
    ASSERT_EQ(text->setLayer(n.c_str()), Zcad::eOk);
    ASSERT_EQ(text->setLinetype(n.c_str()), Zcad::eOk);
    ASSERT_EQ(text->setTextStyle(styleId), Zcad::eOk);
    ASSERT_EQ(text->setTextString(n.c_str()), Zcad::eOk);
    resbuf* xdata = textItem(1001, n);
    xdata->rbnext = textItem(1000, n);
    ASSERT_EQ(text->setXData(xdata), Zcad::eOk);
    zcutRelRb(xdata);
    const ZcDbObjectId textId = drawing.append(text);
    auto* mtext = new ZcDbMText;
    mtext->setDatabaseDefaults(&d);
    ASSERT_EQ(mtext->setContents(n.c_str()), Zcad::eOk);
    drawing.append(mtext);
    {
        Opened<ZcDbBlockTableRecord> space(d.modelSpaceId(), ZcDb::kForWrite);
        auto* reference = new ZcDbBlockReference({0, 0, 0}, blockId);
        Opened<ZcDbBlockReference> owned(reference);
        reference->setDatabaseDefaults(&d);
        space->appendZcDbEntity(reference);
        auto* attribute = new ZcDbAttribute;
        Opened<ZcDbAttribute> ownedAttribute(attribute);
        attribute->setPropertiesFrom(reference);
        ASSERT_EQ(attribute->setTag(n.c_str()), Zcad::eOk);
        ASSERT_EQ(attribute->setTextString(n.c_str()), Zcad::eOk);
        ZcDbObjectId attributeId;
        reference->appendAttribute(attributeId, attribute);
    }
    {
        ZcDbDictionary* raw = nullptr;
        d.getNamedObjectsDictionary(raw, ZcDb::kForWrite);
        Opened<ZcDbDictionary> named(raw);
        auto* record = new ZcDbXrecord;
        Opened<ZcDbXrecord> owned(record);
        ZcDbObjectId id;
        ASSERT_EQ(named->setAt(n.c_str(), record, id), Zcad::eOk);
        resbuf* data = textItem(1, n);
        ASSERT_EQ(record->setFromRbChain(data), Zcad::eOk);
        zcutRelRb(data);
    }
    {
        ZcDbDictionary* raw = nullptr;
        d.getGroupDictionary(raw, ZcDb::kForWrite);
        Opened<ZcDbDictionary> groups(raw);
        auto* group = new ZcDbGroup(n.c_str());
        Opened<ZcDbGroup> owned(group);
        ZcDbObjectId id;
        ASSERT_EQ(groups->setAt(n.c_str(), group, id), Zcad::eOk);
        group->append(textId);
    }
}

const ZcDbEntity* firstOfKind(const ZcDbDatabase& db, const char* className)
{
    const auto* space = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId());
    for (const ZcDbObjectId& id : space->entityIds())
        if (const auto* e = ZcDbEntity::cast(ZcDbObjectAccess::peek(id));
            e && std::string(e->isA()->name()) == className)
            return e;
    return nullptr;
}

const Json& firstOfType(const Json& entities, const std::string& type)
{
    static const Json none;
    for (const Json& e : entities.array())
        if (e["type"].string() == type)
            return e;
    return none;
}

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

class DxfCodePage : public ::testing::TestWithParam<CodePageCase> {};

}  // namespace

TEST_P(DxfCodePage, NamesAndTextsComeBackTheSame)
{
    const std::string n = GetParam().name;
    TempDir folder("dxf-code-page");
    const std::string path = folder.file("nazwy.dxf");
    {
        TestDrawing drawing;
        buildNamedDrawing(drawing, n);
        if (HasFatalFailure())
            return;
        std::string error;
        ASSERT_TRUE(writeDxfFile(drawing.db(), path, error)) << error;
    }

    const std::string bytes = fileText(path);
    EXPECT_NE(bytes.find("$DWGCODEPAGE\n  3\nANSI_1250\n"), std::string::npos);
    EXPECT_NE(bytes.find(dxfText(n)), std::string::npos);
    if (GetParam().inCodePage) {
        EXPECT_EQ(bytes.find("\\U+"), std::string::npos) << "no escape where the code page holds every character";
    }

    // Our reader.
    ZcDbDatabase db(false);
    std::string error;
    ASSERT_TRUE(readDxfFile(path, db, error)) << error;
    const auto has = [&](ZcDbObjectId tableId) {
        const auto* table = ZcDbObjectAccess::peekAs<ZcDbSymbolTable>(tableId);
        return table && table->has(n.c_str());
    };
    EXPECT_TRUE(has(db.layerTableId()));
    EXPECT_TRUE(has(db.linetypeTableId()));
    EXPECT_TRUE(has(db.textStyleTableId()));
    EXPECT_TRUE(has(db.blockTableId()));
    EXPECT_TRUE(has(db.regAppTableId()));
    const auto* text = ZcDbText::cast(firstOfKind(db, "ZcDbText"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textString(), n);
    EXPECT_EQ(text->layer(), n);
    resbuf* xdata = text->xData(n.c_str());
    ASSERT_NE(xdata, nullptr);
    EXPECT_EQ(std::string(xdata->resval.rstring), n);
    ASSERT_NE(xdata->rbnext, nullptr);
    EXPECT_EQ(std::string(xdata->rbnext->resval.rstring), n);
    zcutRelRb(xdata);
    const auto* mtext = ZcDbMText::cast(firstOfKind(db, "ZcDbMText"));
    ASSERT_NE(mtext, nullptr);
    EXPECT_EQ(mtext->contents(), n);
    const auto* named = ZcDbObjectAccess::peekAs<ZcDbDictionary>(db.namedObjectsDictionaryId());
    EXPECT_TRUE(named && named->has(n.c_str()));
    const auto* groups = ZcDbObjectAccess::peekAs<ZcDbDictionary>(db.groupDictionaryId());
    ZcDbObjectId groupId;
    ASSERT_TRUE(groups && groups->getAt(n.c_str(), groupId) == Zcad::eOk);
    EXPECT_EQ(ZcDbObjectAccess::peekAs<ZcDbGroup>(groupId)->description(), n);

    // ezdxf.
    if (const std::string missing = ezdxfMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    const auto [output, status] = runCommand(std::string(kSystemPython) + " " +
                                             shellQuoted(testScript("ezdxf_dump.py")) + " " + shellQuoted(path));
    ASSERT_EQ(status, 0) << output;
    const Json seen = Json::parse(output);
    for (const Json& e : seen["audit_errors"].array()) {
        // ezdxf 0.18's auditor looks at an entity's layer before decoding
        // "\U+" escapes, and flags its own R2000 files alike.
        if (!GetParam().inCodePage && e.string().find("Invalid layer name") == 0 &&
            e.string().find("\\U+") != std::string::npos)
            continue;
        ADD_FAILURE() << "audit error: " << e.string();
    }
    for (const Json& e : seen["audit_fixes"].array())
        ADD_FAILURE() << "audit fix: " << e.string();
    EXPECT_TRUE(seen["layers"].has(n));
    EXPECT_TRUE(seen["linetypes"].has(n));
    EXPECT_EQ(seen["linetypes"][n]["description"].string(), n);
    EXPECT_TRUE(seen["styles"].has(n));
    EXPECT_TRUE(seen["blocks"].has(n));
    EXPECT_TRUE(seen["groups"].has(n));
    bool appid = false;
    for (const Json& a : seen["appids"].array())
        appid = appid || a.string() == n;
    EXPECT_TRUE(appid);
    const Json& msp = seen["modelspace"];
    const Json& seenText = firstOfType(msp, "TEXT");
    EXPECT_EQ(seenText["text"].string(), n);
    EXPECT_EQ(seenText["layer"].string(), n);
    EXPECT_EQ(seenText["linetype"].string(), n);
    EXPECT_EQ(seenText["style"].string(), n);
    ASSERT_EQ(seenText["xdata"][n].size(), 1u);
    EXPECT_EQ(seenText["xdata"][n][0][1].string(), n);
    EXPECT_EQ(firstOfType(msp, "MTEXT")["text"].string(), n);
    const Json& insert = firstOfType(msp, "INSERT");
    EXPECT_EQ(insert["name"].string(), n);
    ASSERT_EQ(insert["attribs"].size(), 1u);
    EXPECT_EQ(insert["attribs"][0]["tag"].string(), n);
    EXPECT_EQ(insert["attribs"][0]["text"].string(), n);
    const Json& definition = seen["blocks"][n]["entities"][0];
    EXPECT_EQ(definition["tag"].string(), n);
    EXPECT_EQ(definition["prompt"].string(), n);
    bool key = false, recordText = false;
    for (const Json& o : seen["objects"].array()) {
        key = key || (o["type"].string() == "DICTIONARY" && o["entries"].has(n));
        recordText =
            recordText || (o["type"].string() == "XRECORD" && o["tags"].size() == 1 && o["tags"][0][1].string() == n);
    }
    EXPECT_TRUE(key);
    EXPECT_TRUE(recordText);
}

INSTANTIATE_TEST_SUITE_P(PolishAndBeyond, DxfCodePage,
                         ::testing::Values(CodePageCase{"Zażółć gęślą jaźń", true}, CodePageCase{"Istniejące", true},
                                           CodePageCase{"ŹRÓDŁO €", true}, CodePageCase{"Mañana → 日本 ł", false}));
