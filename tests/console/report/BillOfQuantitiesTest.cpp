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

struct ProductCase {
    int64_t a, b;  // thousandths
    const char* text;
};

class QuantityProduct : public testing::TestWithParam<ProductCase> {};

TEST_P(QuantityProduct, IsWrittenExactlyWhateverItsSize)
{
    EXPECT_EQ(formatProduct({GetParam().a}, {GetParam().b}, ','), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Figures, QuantityProduct,
                         testing::Values(ProductCase{0, 0, "0,00"}, ProductCase{10000, 120, "1,20"},
                                         ProductCase{1, 500, "0,001"},  // half a thousandth rounds up
                                         ProductCase{1, 499, "0,00"}, ProductCase{-1500, 2000, "-3,00"},
                                         ProductCase{-1, 1, "0,00"},
                                         ProductCase{999999999999, 999999999999, "999999999998000000,00"},
                                         ProductCase{INT64_MAX, INT64_MAX, "85070591730234615847396907784232,501"}));

TEST(QuantityProduct, AgreesWithTheQuantityOfTheProductWhereThatFits)
{
    std::mt19937_64 random(5);
    for (int i = 0; i < 10000; ++i) {
        const int64_t a = int64_t(random() % 2'000'000'000), b = int64_t(random() % 2'000'000'000);
        EXPECT_EQ(formatProduct({a}, {b}, '.'), formatQuantity({(a * b + 500) / 1000}, '.')) << a << " " << b;
    }
}

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
            -1,
            {}};
}

PlacedReference signDescription(const std::string& symbol, const std::string& layer, double x, int group = -1)
{
    return {"S_Znaki_OpisPionowe",
            layer,
            "B1",
            x,
            0,
            {{"Symbol", symbol}, {"Przeznaczenie", "Proj"}, {"Wielkość", ""}, {"Odblaskowość", "I Generacja"}},
            group,
            {}};
}

PlacedReference block(const std::string& name, const std::string& layer, double x = 0, int group = -1)
{
    return {name, layer, "C1", x, 0, {}, group, {}};
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
    const Report r = makeReport({c.references, kLayers, {}});
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
                    {block("P-8A_K", "Proj"), marking("P-8A", "Proj", "Krótka", "1.59 m2", "", "Projektowany")},
                    "wartości katalogowej 1,21",
                    0},
        WarningCase{"ArrowAreaAgrees",
                    {block("P-6A", "Proj"), marking("P-6A", "Proj", "", "1.568 m2", "", "Projektowany")},
                    "",
                    0},
        WarningCase{"DescriptionOnLayerOfNoDestination",
                    {marking("P-2A", "Rysunek", "10.00", "1.20 m2", "0.12", "Projektowany")},
                    "warstwa \"Rysunek\" nie odpowiada",
                    10000},
        // The largest figures: their product overflows 64 bits, and is
        // quoted exactly all the same.
        WarningCase{"LargestFigures",
                    {marking("P-2A", "Proj", "999999999.999", "999999999.999", "999999999.999", "Projektowany")},
                    "999999999,999 × 999999999,999 = 999999999998000000,00 m²",
                    999999999999},
        WarningCase{"ArrowOnLayerOfNoDestination", {block("P-8C", "Rysunek")}, "nie policzono", 0}),
    [](const auto& p) { return std::string(p.param.name); });

const std::array<std::string, 4> kDefaultLayers = {"0", "0", "0", "0"};

PlacedReference withClash(PlacedReference r, const std::string& tag)
{
    r.clashingTags.push_back(tag);
    return r;
}

struct CountCase {
    const char* name;
    std::array<std::string, 4> layers;
    std::vector<PlacedReference> references;
    size_t table, column;               // the totals cell checked
    int64_t total;                      // its count, or its quantity in thousandths
    size_t rows;                        // rows of the table before its totals
    std::vector<const char*> warnings;  // a part of each warning, in order
};

class ReportCounting : public testing::TestWithParam<CountCase> {};

// Each object is counted once, on the destination the designer gave it,
// and every doubt is warned about, one warning each.
TEST_P(ReportCounting, CountsOnTheDesignersDestinationAndWarnsOfEachDoubt)
{
    const CountCase& c = GetParam();
    const Report r = makeReport({c.references, c.layers, {}});
    const ReportCell& total = totalCell(r, c.table, c.column);
    EXPECT_EQ(total.count + total.quantity.thousandths, c.total) << reportText(r);
    EXPECT_EQ(r.tables[c.table].rows.size(), c.rows + 1) << reportText(r);
    ASSERT_EQ(r.warnings.size(), c.warnings.size()) << reportText(r);
    for (size_t i = 0; i < c.warnings.size(); ++i)
        EXPECT_NE(r.warnings[i].find(c.warnings[i]), std::string::npos) << r.warnings[i];
}

// Columns of the totals row: signs 5 + destination, 9 all; lines 1 + 2 ×
// destination (length), 9 all; arrows 2 + 2 × destination (count), 10 all.
INSTANTIATE_TEST_SUITE_P(
    Drawings, ReportCounting,
    testing::Values(
        // Default settings: every destination on layer "0".
        CountCase{"DescriptionDecidesOnASharedLayer",
                  kDefaultLayers,
                  {block("P-8C", "0"), marking("P-8C", "0", "", "2.87 m2", "", "Projektowany")},
                  2,
                  2,
                  1,
                  1,
                  {}},
        CountCase{"UndescribedOnASharedLayer",
                  kDefaultLayers,
                  {block("P-8C", "0", 0.0)},
                  2,
                  2,
                  1,
                  1,
                  {"\"0\" odpowiada kilku przeznaczeniom (Projektowany, Tymczasowy, Istniejący, Usuwany); przyjęto "
                   "Projektowany"}},
        CountCase{"ArrowDescriptionAgainstItsLayer",
                  kLayers,
                  {block("P-8C", "Tymc"), marking("P-8C", "Tymc", "", "2.87 m2", "", "Projektowany")},
                  2,
                  2,
                  1,
                  1,
                  {"przeznaczenie opisu Projektowany różni się od przeznaczenia warstwy \"Tymc\" (Tymczasowy)"}},
        CountCase{"LineDescriptionAgainstItsLayer",
                  kLayers,
                  {marking("P-2A", "Tymc", "10.00", "1.20 m2", "0.12", "Projektowany")},
                  1,
                  1,
                  10000,
                  1,
                  {"różni się od przeznaczenia warstwy \"Tymc\""}},
        CountCase{"BoardAgainstItsDescription",
                  kLayers,
                  {block("E-5_A_D", "Usuw"), signDescription("E-5", "Proj", 1.0)},
                  0,
                  5,
                  1,
                  1,
                  {"różni się od przeznaczenia warstwy \"Usuw\" (Usuwany)"}},
        CountCase{"ArrowDescriptionWithoutItsArrow",
                  kLayers,
                  {marking("P-8C", "Proj", "", "2.87 m2", "", "Projektowany")},
                  2,
                  10,
                  0,
                  0,
                  {"brak strzałki obok opisu; nie policzono"}},
        CountCase{"SignDescriptionWithoutItsBoard",
                  kLayers,
                  {signDescription("E-5", "Proj", 0.0)},
                  0,
                  9,
                  1,
                  1,
                  {"brak tablicy znaku obok opisu"}},
        CountCase{"RepeatedTagWithAnotherText",
                  kLayers,
                  {withClash(marking("P-2A", "Proj", "10.00", "1.20 m2", "0.12", "Projektowany"), "Długość")},
                  1,
                  9,
                  10000,
                  1,
                  {"atrybut Długość powtórzony z innym tekstem; przyjęto pierwszy: \"10.00\""}},
        CountCase{"UnknownSymbol",
                  kLayers,
                  {marking("X-99", "Proj", "1.00", "0.12 m2", "0.12", "Projektowany")},
                  1,
                  9,
                  1000,
                  1,
                  {"symbol \"X-99\" nieznany w katalogu"}},
        CountCase{"SymbolInAnotherCaseOrWithSpaces",
                  kLayers,
                  {marking("P-2A", "Proj", "1.00", "0.12 m2", "0.12", "Projektowany"),
                   marking(" p-2 a", "Proj", "2.00", "0.24 m2", "0.12", "Projektowany")},
                  1,
                  9,
                  3000,
                  1,
                  {"symbol \" p-2 a\" policzono jako P-2A"}},
        CountCase{"SignSymbolInAnotherCasePairsWithItsBoard",
                  kLayers,
                  {block("E-5_A_D", "Proj"), signDescription("e-5", "Proj", 1.0)},
                  0,
                  5,
                  1,
                  1,
                  {"policzono jako E-5"}},
        CountCase{"DescriptionWithoutAttributes",
                  kLayers,
                  {block("S_Znaki_OpisPionowe", "Proj"), block("S_Znaki_OpisPoz", "Proj")},
                  0,
                  9,
                  0,
                  0,
                  {"opis bez atrybutów; nie policzono", "opis bez atrybutów; nie policzono"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ReportSigns, ABoardAndItsDescriptionAreOneSign)
{
    // Two boards of one symbol: the grouped description takes its group's
    // board though the other is nearer; the loose one takes the nearest.
    // Each distinct board (text, size from its block) is a row of its own.
    DrawingContents drawing{{block("E-5_Kraków_D", "Proj", 0.0, 7), block("E-5_Kraków_D_", "Proj", 10.0),
                             block("E-5_Radom_D", "Proj", 20.0), signDescription("E-5", "Proj", 9.0, 7),
                             signDescription("E-5", "Proj", 11.0), signDescription("E-5", "Proj", 21.0),
                             block("E-21_C_ _", "Usuw", 50.0)},
                            kLayers,
                            {}};
    drawing.blocks["E-5_Kraków_D"] = {1800.4, 600, false, "", "", ""};
    drawing.blocks["E-5_Kraków_D_"] = {1800.4, 600, false, "", "", ""};
    drawing.blocks["E-5_Radom_D"] = {1500, 600, false, "", "", ""};
    const Report r = makeReport(drawing);
    ASSERT_EQ(r.tables[0].rows.size(), 4u) << reportText(r);
    const auto& kraków = r.tables[0].rows[0];
    EXPECT_EQ(kraków[0].text + "|" + kraków[1].text + "|" + kraków[2].text + "|" + kraków[3].text + "|" +
                  kraków[4].text,
              "E-5|Kraków|D|1800 × 600|I Generacja");  // the size from the board's name
    EXPECT_EQ(kraków[5].count, 2);
    EXPECT_EQ(r.tables[0].rows[1][1].text + " " + r.tables[0].rows[1][3].text, "Radom 1500 × 600");
    EXPECT_EQ(r.tables[0].rows[2][0].text, "E-21");  // a left-pointing board without description
    EXPECT_EQ(r.tables[0].rows[2][8].count, 1);
    EXPECT_EQ(totalCell(r, 0, 9).count, 4);
    EXPECT_TRUE(r.warnings.empty()) << reportText(r);
}

// Information boards: one row for each text, size and pair of colours,
// counted per destination, with the area of one and of all.
TEST(ReportInfoBoards, AreCountedByTextSizeAndColours)
{
    DrawingContents drawing{
        {block("*U1", "Proj"), block("*U1", "Tymc"), block("*U2", "Proj"), block("*U3", "Proj")}, kLayers, {}};
    drawing.blocks["*U1"] = {900, 402.5, true, "Parking / 200 m", "biały", "niebieski"};
    drawing.blocks["*U2"] = {900, 402.5, true, "Parking / 200 m", "biały", "niebieski"};
    drawing.blocks["*U3"] = {1000, 300, false, "", "", ""};  // not a board: counted nowhere
    const Report r = makeReport(drawing);
    const ReportTable& t = r.tables[4];
    ASSERT_EQ(t.rows.size(), 2u) << reportText(r);
    EXPECT_EQ(t.rows[0][0].text + "|" + t.rows[0][1].text + "|" + t.rows[0][2].text + "|" + t.rows[0][3].text,
              "Parking / 200 m|900 × 402|niebieski|biały");
    EXPECT_EQ(t.rows[0][4].quantity.thousandths, 362);  // 0.36225 m²
    EXPECT_EQ(t.rows[0][5].count, 2);
    EXPECT_EQ(t.rows[0][6].count, 1);
    EXPECT_EQ(totalCell(r, 4, 9).count, 3);
    EXPECT_EQ(totalCell(r, 4, 10).quantity.thousandths, 3 * 362);
    EXPECT_TRUE(r.warnings.empty()) << reportText(r);
}

TEST(ReportOrder, RowsFollowTheCatalogues)
{
    const Report r =
        makeReport({{marking("P-19", "Proj", "1.00", "0.12", "0.12", "Proj"),
                     marking("P-4", "Proj", "1.00", "0.24", "0.24", "Proj"),
                     marking("P-1A", "Proj", "1.00", "0.04", "0.04", "Proj"), block("P-9A", "Proj"),
                     block("P-8B_K", "Proj"), block("P-8B_D", "Proj"), block("s_c2", "0"), block("s_a1", "0")},
                    kLayers,
                    {}});
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
        const Report r = makeReport({refs, kLayers, {}});
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
                                 kLayers,
                                 {}});
    const std::string csv = tableCsv(r.tables[1]);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFSymbol;", 0), 0u);
    EXPECT_NE(csv.find("\"'=HYPERLINK(\"\"x\"\";\"\"y\"\")\";1,00;0,12;"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\nRazem;2,50;0,30;0,00;"), std::string::npos) << csv;
    const std::string html = reportHtml(r, "t");
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("&lt;b&gt;|a"), std::string::npos);
    EXPECT_NE(reportMarkdown(r, "t").find("| &lt;b&gt;\\|a |"), std::string::npos);
}

// A text a workbook cell cannot hold is shortened visibly, in every
// format alike, and warned about; so is a warning quoting it.
TEST(ReportFiles, TextsBeyondACellAreShortenedVisiblyAndWarnedAbout)
{
    const std::string huge = "Ż" + std::string(40'000, 'x');
    const Report r = makeReport({{marking(huge, "Proj", "1.00", "0.12", "0.12", "Proj")}, kLayers, {}});
    const std::string& symbol = r.tables[1].rows[0][0].text;
    EXPECT_LE(symbol.size(), 32'767u);
    EXPECT_TRUE(symbol.ends_with(" […]"));
    EXPECT_TRUE(symbol.starts_with("Żxxx"));
    ASSERT_EQ(r.warnings.size(), 2u) << reportText(r);
    EXPECT_NE(r.warnings[0].find("nieznany"), std::string::npos);
    EXPECT_LT(r.warnings[0].size(), 1000u);
    EXPECT_NE(r.warnings[1].find("wiersz 1, kolumna \"Symbol\": tekst (40002 bajtów) skrócono"), std::string::npos)
        << r.warnings[1];
    for (const std::string& file : {tableCsv(r.tables[1]), reportHtml(r, "t"), reportMarkdown(r, "t"), reportText(r)})
        EXPECT_NE(file.find(std::string(32'000, 'x') + " […]"), std::string::npos);
}

TEST(ReportEmpty, ADrawingWithoutDescriptionsGivesEmptyTablesWithZeroTotals)
{
    const Report r = makeReport({{}, kLayers, {}});
    for (const ReportTable& t : r.tables) {
        ASSERT_EQ(t.rows.size(), 1u);
        EXPECT_EQ(t.rows[0][0].text, "Razem");
        for (const auto& cell : t.rows[0])
            EXPECT_EQ(cell.count + cell.quantity.thousandths, 0);
    }
    EXPECT_TRUE(r.warnings.empty());
}

}  // namespace
