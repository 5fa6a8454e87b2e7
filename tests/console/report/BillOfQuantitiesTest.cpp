// The bill of quantities from hand-made drawing contents: the figures read
// exactly, the warnings for each disagreement, signs counted once whether
// their description is grouped with the board or only beside it, and the
// totals that always agree with the rows.

#include <gtest/gtest.h>

#include <random>

#include "console/BillOfQuantities.h"
#include "console/ReportFormats.h"

namespace {

struct ParseCase {
    const char* text;
    const char* unit;
    int64_t thousandths;  // -1: not a number
};

class QuantityParsing : public testing::TestWithParam<ParseCase> {};

TEST_P(QuantityParsing, ReadsExactlyOrRefuses)
{
    const ParseCase& c = GetParam();
    const auto q = parseQuantity(c.text, c.unit);
    if (c.thousandths < 0)
        EXPECT_FALSE(q) << c.text;
    else
        EXPECT_EQ(q.value_or(Quantity{-1}).thousandths, c.thousandths) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, QuantityParsing,
                         testing::Values(ParseCase{"1.20 m2", "m2", 1200}, ParseCase{"1,20m2", "m2", 1200},
                                         ParseCase{"1.568 m²", "m2", 1568}, ParseCase{" 10.00 ", "m", 10000},
                                         ParseCase{"7", "", 7000}, ParseCase{"0.12", "", 120}, ParseCase{"", "m", -1},
                                         ParseCase{"abc", "m", -1}, ParseCase{"1.2345", "", -1},
                                         ParseCase{"-1.00", "", -1}, ParseCase{"1e3", "", -1},
                                         ParseCase{"1.20 m2", "", -1}, ParseCase{"nan", "", -1},
                                         ParseCase{"1.", "", -1}, ParseCase{".5", "", -1},
                                         ParseCase{"1234567890", "", -1},
                                         ParseCase{"123456789.999", "", 123456789999}));

const std::array<std::string, 4> kLayers = {"Proj", "Tymc", "Istn", "Usuw"};

PlacedReference marking(const std::string& symbol, const std::string& layer, const std::string& length,
                        const std::string& area, const std::string& perMetre, const std::string& destination)
{
    return {"S_Znaki_OpisPoz",
            layer,
            "A1",
            0,
            0,
            {{"Symbol", symbol},
             {"Długość", length},
             {"Powierzchnia", area},
             {"Powierzchnia_na_mb", perMetre},
             {"Przeznaczenie", destination}},
            -1};
}

PlacedReference signDescription(const std::string& symbol, const std::string& layer, double x, int group = -1)
{
    return {"S_Znaki_OpisPionowe",
            layer,
            "B1",
            x,
            0,
            {{"Symbol", symbol}, {"Przeznaczenie", "Proj"}, {"Wielkość", ""}, {"Odblaskowość", "I Generacja"}},
            group};
}

PlacedReference block(const std::string& name, const std::string& layer, double x = 0, int group = -1)
{
    return {name, layer, "C1", x, 0, {}, group};
}

const ReportCell& totalCell(const Report& r, size_t table, size_t column)
{
    return r.tables[table].rows.back()[column];
}

struct WarningCase {
    const char* name;
    std::vector<PlacedReference> references;
    const char* warning;        // part of the one warning expected; "" for none
    int64_t lengthThousandths;  // line markings' total length
};

class ReportWarnings : public testing::TestWithParam<WarningCase> {};

TEST_P(ReportWarnings, EachDisagreementIsListedAndBadFiguresAreNotSummed)
{
    const WarningCase& c = GetParam();
    const Report r = makeReport({c.references, kLayers});
    if (*c.warning) {
        ASSERT_EQ(r.warnings.size(), 1u) << reportText(r);
        EXPECT_NE(r.warnings[0].find(c.warning), std::string::npos) << r.warnings[0];
    } else {
        EXPECT_TRUE(r.warnings.empty()) << reportText(r);
    }
    EXPECT_EQ(totalCell(r, 1, 9).quantity.thousandths, c.lengthThousandths);
}

INSTANTIATE_TEST_SUITE_P(
    Drawings, ReportWarnings,
    testing::Values(
        WarningCase{"Agreeing", {marking("P-2A", "Proj", "10.00", "1.20 m2", "0.12", "Projektowany")}, "", 10000},
        // 10.00 × 0.12 = 1.20: 1.21 is still within the printed figures' rounding.
        WarningCase{"WithinACent", {marking("P-2A", "Proj", "10.00", "1.21 m2", "0.12", "Projektowany")}, "", 10000},
        WarningCase{"AreaDisagrees",
                    {marking("P-2A", "Proj", "10.00", "1.22 m2", "0.12", "Projektowany")},
                    "różni się od Długość × Powierzchnia_na_mb",
                    10000},
        WarningCase{"LengthNotANumber",
                    {marking("P-2A", "Proj", "dziesięć", "1.20 m2", "0.12", "Projektowany"),
                     marking("P-2A", "Proj", "2.50", "0.30 m2", "0.12", "Projektowany")},
                    "Długość = \"dziesięć\" nie jest liczbą",
                    2500},
        WarningCase{"ArrowAreaDiffers",
                    {marking("P-8A", "Proj", "Krótka", "1.59 m2", "", "Projektowany")},
                    "wartości katalogowej 1,21",
                    0},
        WarningCase{"ArrowAreaAgrees", {marking("P-6A", "Proj", "", "1.568 m2", "", "Projektowany")}, "", 0},
        WarningCase{"DescriptionOnLayerOfNoDestination",
                    {marking("P-2A", "Rysunek", "10.00", "1.20 m2", "0.12", "Projektowany")},
                    "warstwa \"Rysunek\" nie odpowiada",
                    10000},
        // The largest figures: their product overflows 64 bits.
        WarningCase{"LargestFigures",
                    {marking("P-2A", "Proj", "999999999.999", "999999999.999", "999999999.999", "Projektowany")},
                    "różni się od Długość × Powierzchnia_na_mb",
                    999999999999},
        WarningCase{"ArrowOnLayerOfNoDestination", {block("P-8C", "Rysunek")}, "nie policzono", 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ReportSigns, ABoardAndItsDescriptionAreOneSign)
{
    // Two boards of one symbol: the grouped description takes its group's
    // board though the other is nearer; the loose one takes the nearest.
    const Report r = makeReport(
        {{block("E-5_A_D", "Proj", 0.0, 7), block("E-5_B_D", "Proj", 10.0), signDescription("E-5", "Proj", 9.0, 7),
          signDescription("E-5", "Proj", 11.0), block("E-21_C_ _", "Usuw", 50.0)},
         kLayers});
    ASSERT_EQ(r.tables[0].rows.size(), 3u) << reportText(r);
    EXPECT_EQ(r.tables[0].rows[0][0].text, "E-5");
    EXPECT_EQ(r.tables[0].rows[0][1].text, "D");  // from the board's name
    EXPECT_EQ(r.tables[0].rows[0][2].text, "I Generacja");
    EXPECT_EQ(r.tables[0].rows[0][3].count, 2);
    EXPECT_EQ(r.tables[0].rows[1][0].text, "E-21");  // a left-pointing board without description
    EXPECT_EQ(r.tables[0].rows[1][6].count, 1);
    EXPECT_EQ(totalCell(r, 0, 7).count, 3);
    EXPECT_TRUE(r.warnings.empty());
}

TEST(ReportOrder, RowsFollowTheCatalogues)
{
    const Report r =
        makeReport({{marking("P-19", "Proj", "1.00", "0.12", "0.12", "Proj"),
                     marking("P-4", "Proj", "1.00", "0.24", "0.24", "Proj"),
                     marking("P-1A", "Proj", "1.00", "0.04", "0.04", "Proj"), block("P-9A", "Proj"),
                     block("P-8B_K", "Proj"), block("P-8B_D", "Proj"), block("s_c2", "0"), block("s_a1", "0")},
                    kLayers});
    auto column = [&](size_t t) {
        std::string s;
        for (const auto& row : r.tables[t].rows)
            s += row[0].text + (t == 2 ? row[1].text : "") + " ";
        return s;
    };
    EXPECT_EQ(column(1), "P-1A P-4 P-19 Razem ");
    EXPECT_EQ(column(2), "P-8BDługa P-8BKrótka P-9A Razem ");
    EXPECT_EQ(column(3), "s_a1 s_c2 Razem ");
}

TEST(ReportTotals, AgreeExactlyWithTheRowsForRandomDrawings)
{
    std::mt19937 random(17);
    const char* symbols[] = {"P-1A", "P-2A", "P-4", "P-7C"};
    for (int drawing = 0; drawing < 20; ++drawing) {
        std::vector<PlacedReference> refs;
        int64_t expected[4] = {0, 0, 0, 0};
        for (int i = 0; i < 300; ++i) {
            const int64_t hundredths = std::uniform_int_distribution<int64_t>(1, 999'999)(random);
            const int d = int(random() % 4);
            char length[32];
            std::snprintf(length, sizeof length, "%lld.%02lld", (long long)(hundredths / 100),
                          (long long)(hundredths % 100));
            refs.push_back(marking(symbols[random() % 4], kLayers[d], length, length, "1.00", kLayers[d]));
            expected[d] += hundredths * 10;
        }
        const Report r = makeReport({refs, kLayers});
        ASSERT_TRUE(r.warnings.empty());
        const ReportTable& lines = r.tables[1];
        for (int d = 0; d < 4; ++d)
            EXPECT_EQ(lines.rows.back()[1 + 2 * d].quantity.thousandths, expected[d]);
        for (size_t c = 1; c < lines.headings.size(); ++c) {
            int64_t sum = 0;
            for (size_t row = 0; row + 1 < lines.rows.size(); ++row)
                sum += lines.rows[row][c].quantity.thousandths;
            EXPECT_EQ(lines.rows.back()[c].quantity.thousandths, sum);
        }
        EXPECT_EQ(lines.rows.back()[9].quantity.thousandths, expected[0] + expected[1] + expected[2] + expected[3]);
    }
}

TEST(ReportFiles, TextsOfTheDrawingCannotBreakTheFiles)
{
    const Report r = makeReport({{marking("=HYPERLINK(\"x\";\"y\")", "Proj", "1.00", "0.12", "0.12", "Proj"),
                                  marking("<b>|a", "Proj", "1.50", "0.18", "0.12", "Proj")},
                                 kLayers});
    const std::string csv = tableCsv(r.tables[1]);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFSymbol;", 0), 0u);
    EXPECT_NE(csv.find("\"'=HYPERLINK(\"\"x\"\";\"\"y\"\")\";1,00;0,12;"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\nRazem;2,50;0,30;0,00;"), std::string::npos) << csv;
    const std::string html = reportHtml(r, "t");
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("&lt;b&gt;|a"), std::string::npos);
    EXPECT_NE(reportMarkdown(r, "t").find("| &lt;b&gt;\\|a |"), std::string::npos);
}

TEST(ReportEmpty, ADrawingWithoutDescriptionsGivesEmptyTablesWithZeroTotals)
{
    const Report r = makeReport({{}, kLayers});
    for (const ReportTable& t : r.tables) {
        ASSERT_EQ(t.rows.size(), 1u);
        EXPECT_EQ(t.rows[0][0].text, "Razem");
        for (const auto& cell : t.rows[0])
            EXPECT_EQ(cell.count + cell.quantity.thousandths, 0);
    }
    EXPECT_TRUE(r.warnings.empty());
}

}  // namespace
