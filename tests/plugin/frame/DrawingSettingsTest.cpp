// The drawing's own settings, and the choices the commands start from.

#include <gtest/gtest.h>

#include "ZcDbDictionary.h"
#include "ZcDbXrecord.h"
#include "frame/CommandSettings.h"
#include "frame/DrawingSettings.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/TestDrawing.h"
#include "zcut.h"

using namespace platform;

namespace {

struct Item {
    short code;
    std::string text;
    double real = 0.0;
};

Item text(const std::string& t) { return {1000, t}; }
Item real(double v) { return {1040, "", v}; }

// Stores the settings record with extended data of these items after the
// application's name.
void storeSettings(ZcDbDatabase& db, const std::vector<Item>& items)
{
    ZcDbObjectId id;
    Opened<ZcDbDictionary> named(db.namedObjectsDictionaryId(), ZcDb::kForWrite);
    auto* dictionary = new ZcDbDictionary;
    ASSERT_EQ(named->setAt(kSettingsDictionary, dictionary, id), Zcad::eOk);
    auto* record = new ZcDbXrecord;
    ASSERT_EQ(dictionary->setAt(kSettingsRecord, record, id), Zcad::eOk);
    resbuf* head = zcutNewRb(1001);
    head->resval.rstring = zcutNewString(kSettingsApplication);
    resbuf* last = head;
    for (const Item& item : items) {
        last = last->rbnext = zcutNewRb(item.code);
        if (item.code == 1000)
            last->resval.rstring = zcutNewString(item.text.c_str());
        else if (item.code == 1070)
            last->resval.rint = short(item.real);
        else
            last->resval.rreal = item.real;
    }
    EXPECT_EQ(record->setXData(head), Zcad::eOk);
    zcutRelRb(head);
    record->close();
    dictionary->close();
}

bool hasSettingsDictionary(ZcDbDatabase& db)
{
    Opened<ZcDbDictionary> named(db.namedObjectsDictionaryId(), ZcDb::kForRead);
    return named->has(kSettingsDictionary);
}

std::vector<Item> fullRecord(const std::string& group, double scale)
{
    return {text("Projektowane"), text("Tymczasowe"), text("Usuwane"), text("Istniejace"), real(2.0),
            text("Zapas"),        real(0.5),          text(group),     real(scale)};
}

}  // namespace

TEST(DrawingSettings, ADrawingWithoutThemGivesTheDefaultsAndGainsTheEmptyDictionary)
{
    TestDrawing drawing;
    ASSERT_FALSE(hasSettingsDictionary(drawing.db()));
    const DrawingSettings s = ReadDrawingSettings();
    EXPECT_EQ(s, DrawingSettings{});
    EXPECT_EQ(s.layerDesigned, "0");
    EXPECT_EQ(s.layerTemporary, "0");
    EXPECT_EQ(s.layerRemoved, "0");
    EXPECT_EQ(s.layerExisting, "0");
    EXPECT_EQ(s.symbolScale, 1.0);
    EXPECT_EQ(s.spareName, "0");
    EXPECT_EQ(s.markingScale, 1.0);
    EXPECT_FALSE(s.groupObjects);
    EXPECT_EQ(s.drawingScale, 0.001);
    EXPECT_TRUE(hasSettingsDictionary(drawing.db()));
    ZcDbObjectId id;
    Opened<ZcDbDictionary>(drawing.db().namedObjectsDictionaryId(), ZcDb::kForRead)->getAt(kSettingsDictionary, id);
    EXPECT_EQ(Opened<ZcDbDictionary>(id, ZcDb::kForRead)->numEntries(), 0);
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(DrawingSettings, NoWorkingDrawingGivesTheDefaults)
{
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_EQ(ReadDrawingSettings(), DrawingSettings{});
}

TEST(DrawingSettings, ReadsEveryFieldInItsPlace)
{
    TestDrawing drawing;
    std::vector<Item> items = fullRecord("True", 0.002);
    items.push_back(text("ponad dziewięć: pominięte"));
    storeSettings(drawing.db(), items);
    const DrawingSettings s = ReadDrawingSettings();
    EXPECT_EQ(s.layerDesigned, "Projektowane");
    EXPECT_EQ(s.layerTemporary, "Tymczasowe");
    EXPECT_EQ(s.layerRemoved, "Usuwane");
    EXPECT_EQ(s.layerExisting, "Istniejace");
    EXPECT_EQ(s.symbolScale, 2.0);
    EXPECT_EQ(s.spareName, "Zapas");
    EXPECT_EQ(s.markingScale, 0.5);
    EXPECT_TRUE(s.groupObjects);
    EXPECT_EQ(s.drawingScale, 0.002);
    EXPECT_EQ(drawing.openCount(), 0u);

    // Destination indexes run designed, temporary, existing, removed.
    EXPECT_EQ(LayerForDestination(s, 0), "Projektowane");
    EXPECT_EQ(LayerForDestination(s, 1), "Tymczasowe");
    EXPECT_EQ(LayerForDestination(s, 2), "Istniejace");
    EXPECT_EQ(LayerForDestination(s, 3), "Usuwane");
    EXPECT_EQ(LayerForDestination(s, -1), "0");
}

TEST(DrawingSettings, TwoItemsSetTwoFieldsAndLeaveTheRest)
{
    TestDrawing drawing;
    storeSettings(drawing.db(), {text("P"), text("T")});
    DrawingSettings expected;
    expected.layerDesigned = "P";
    expected.layerTemporary = "T";
    EXPECT_EQ(ReadDrawingSettings(), expected);
}

TEST(DrawingSettings, GroupingIsOnForTrueInAnyCaseOnly)
{
    for (const auto& [stored, on] : std::vector<std::pair<std::string, bool>>{
             {"True", true}, {"true", true}, {"TRUE", true}, {"1", false}, {"Tak", false}, {"", false}}) {
        TestDrawing drawing;
        storeSettings(drawing.db(), fullRecord(stored, 0.001));
        EXPECT_EQ(ReadDrawingSettings().groupObjects, on) << '"' << stored << '"';
    }
}

TEST(DrawingSettings, AnItemThatCannotGiveItsFieldAValueKeepsTheDefault)
{
    // Items are taken by position whatever their type; a text read as a
    // number must not become garbage, nor a number a text.
    TestDrawing drawing;
    storeSettings(drawing.db(), {real(5.0), text("T"), text("U"), text("I"), text("2.5"), real(1.0), text("abc"),
                                 real(1.0), Item{1070, "", 3}});
    const DrawingSettings s = ReadDrawingSettings();
    EXPECT_EQ(s.layerDesigned, "0");
    EXPECT_EQ(s.layerTemporary, "T");
    EXPECT_EQ(s.symbolScale, 2.5) << "a text that is a number";
    EXPECT_EQ(s.spareName, "0");
    EXPECT_EQ(s.markingScale, 1.0);
    EXPECT_FALSE(s.groupObjects);
    EXPECT_EQ(s.drawingScale, 3.0) << "an integer";
}

TEST(CommandSettings, StartFromTheDrawingsScale)
{
    for (const auto& [scale, index] : std::vector<std::pair<double, int>>{{0.001, 0}, {0.002, 1}, {0.0025, 2}}) {
        TestDrawing drawing;
        storeSettings(drawing.db(), fullRecord("False", scale));
        const CommandSettings settings;
        EXPECT_EQ(settings.scaleIndex, index) << scale;
        EXPECT_EQ(settings.destination, 0);
        EXPECT_EQ(settings.lineIndex, 0);
        EXPECT_FALSE(settings.addDescription);
        EXPECT_FALSE(settings.directionRight);
        EXPECT_FALSE(settings.insertAsBlock);
        EXPECT_EQ(settings.sizeClass, 0);
        EXPECT_EQ(settings.generation, 0);
        EXPECT_EQ(drawing.openCount(), 0u);
    }
    TestDrawing plain;
    EXPECT_EQ(CommandSettings().scaleIndex, 0) << "the default drawing scale is 1:1000";
    EXPECT_EQ(ScaleIndexOf(0.0010000000000000002), 2) << "only the exact scales choose their index";
}
