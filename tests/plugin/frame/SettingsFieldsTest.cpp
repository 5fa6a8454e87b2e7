// The settings record's fields and their checks, shared by the plug-in's
// reader and the console: what a record may hold, and what any record,
// however damaged, reads as.

#include <gtest/gtest.h>

#include <random>

#include "frame/SettingsFields.h"

namespace {

SettingsItem text(const std::string& t) { return {t, std::nullopt}; }
SettingsItem number(double v) { return {std::nullopt, v}; }

struct ItemCase {
    int position;  // from 1
    SettingsItem item;
    bool accepted;
};

void PrintTo(const ItemCase& c, std::ostream* os)
{
    *os << "item " << c.position << " " << (c.item.text ? "text \"" + *c.item.text + "\"" : "")
        << (c.item.number ? "number " + ShortestNumberText(*c.item.number) : "");
}

class SettingsItemCheck : public testing::TestWithParam<ItemCase> {};

}  // namespace

// A record of defaults with one item changed: accepted, it sets its field
// alone; refused, everything reads as the defaults and the refusal names
// the field and quotes what was stored.
TEST_P(SettingsItemCheck, SetsItsFieldOrIsRefusedByName)
{
    const ItemCase c = GetParam();
    std::vector<SettingsItem> items = {text("0"), text("0"),   text("0"),     text("0"),    number(1.0),
                                       text("0"), number(1.0), text("False"), number(0.001)};
    items[size_t(c.position - 1)] = c.item;
    const SettingsReading reading = DecodeSettingsItems(items);
    EXPECT_EQ(reading.itemsPresent, 9);
    const SettingsField& field = kSettingsFields[size_t(c.position - 1)];
    if (c.accepted) {
        EXPECT_TRUE(reading.refused.empty());
        for (const SettingsField& other : kSettingsFields)
            if (&other != &field) {
                EXPECT_EQ(SettingsFieldValue(reading.settings, other), SettingsFieldValue(DrawingSettings{}, other));
            }
    } else {
        EXPECT_EQ(reading.settings, DrawingSettings{});
        ASSERT_EQ(reading.refused.size(), 1u);
        EXPECT_EQ(reading.refused[0].field, &field);
        const std::string notice = SettingsNotice("plan.dxf", reading.refused[0]);
        EXPECT_NE(notice.find(std::string("plan.dxf: ") + field.name + " \""), std::string::npos) << notice;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Record, SettingsItemCheck,
    testing::Values(
        // Scales: zero hides a sign, a negative mirrors it, a tiny one makes
        // it invisible; a number in a text is still a number.
        ItemCase{5, number(0.0), false}, ItemCase{5, number(1e-300), false}, ItemCase{7, number(-1.0), false},
        ItemCase{9, number(1e7), false}, ItemCase{5, text("abc"), false}, ItemCase{5, text("2.5"), true},
        ItemCase{5, number(1e-6), true}, ItemCase{7, number(1e6), true}, ItemCase{9, number(0.002), true},
        // Layers: a name the layer table refuses would leave entities on "0".
        ItemCase{1, text("a<b>"), false}, ItemCase{3, text(""), false}, ItemCase{2, number(5.0), false},
        ItemCase{4, text("Istniejące"), true},
        // The spare name takes any text; grouping only True or False.
        ItemCase{6, text("<dowolny>"), true}, ItemCase{6, number(1.0), false}, ItemCase{8, text("TRUE"), true},
        ItemCase{8, text("false"), true}, ItemCase{8, text("1"), false}, ItemCase{8, text("Tak"), false}));

// Whatever a damaged record holds, the settings read from it can be drawn
// with: scales within bounds, layer names the table takes; a field keeps
// the stored value or its default, never a third one.
TEST(SettingsFields, AnyRecordReadsAsSettingsThatCanBeDrawn)
{
    std::mt19937 random(27);
    const std::vector<std::string> texts = {"",   "0",   "P",   "a<b>", "True", "false", "1e-300",
                                            "-1", "2.5", "nan", "1e9",  "x;y",  " ",     "Usunięte"};
    const std::vector<double> numbers = {0.0, -0.0, 1e-300, -1.0, 1e-7, 1e-6, 0.5, 1e6, 1e7, 1e308, -1e308};
    for (int round = 0; round < 2000; ++round) {
        std::vector<SettingsItem> items(random() % 12);
        for (SettingsItem& item : items) {
            if (random() % 2)
                item = text(texts[random() % texts.size()]);
            else if (random() % 5)
                item = number(numbers[random() % numbers.size()]);
        }
        const SettingsReading reading = DecodeSettingsItems(items);
        EXPECT_EQ(reading.itemsPresent, int(std::min<size_t>(items.size(), 9)));
        const DrawingSettings& s = reading.settings;
        for (const SettingsField& field : kSettingsFields) {
            if (field.number) {
                EXPECT_TRUE(IsSettingsScale(s.*field.number)) << field.name << " " << s.*field.number;
            }
            if (field.kind == SettingsFieldKind::Layer) {
                EXPECT_TRUE(IsLayerName(s.*field.text)) << field.name << " \"" << s.*field.text << '"';
            }
        }
        for (const RefusedSetting& refused : reading.refused)
            EXPECT_EQ(SettingsFieldValue(s, *refused.field), SettingsFieldValue(DrawingSettings{}, *refused.field));
    }
}
