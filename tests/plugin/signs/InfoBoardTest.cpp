// The information board driven as a user drives its dialog: the text, its
// size, the colours and the width, then OK and the insertion point. The
// board is a new anonymous block: the text wrapped at the width on top of a
// rounded board that reaches 50 above and below it.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "ZcDbBlockReference.h"
#include "ZcDbHatch.h"
#include "ZcDbMText.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "ZcDbSortentsTable.h"
#include "ZcDbTextStyleTable.h"
#include "frame/ModuleResources.h"
#include "resource.h"
#include "services/TextStyle.h"
#include "signs/InfoBoard.h"
#include "signs/WiteTab_dlg.h"
#include "tests/plugin/signs/BoardTestSupport.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestRegistry.h"

using namespace platform;

namespace {

constexpr double kBoardTol = 1e-9;

// One board as the drawing holds it.
struct InfoBoardShape {
    std::string block;
    ZcGePoint3d position;
    std::string contents;
    double textHeight = 0, wrapWidth = 0;
    ZcDbMText::AttachmentPoint attachment = ZcDbMText::kTopLeft;
    std::string style;
    ZcCmColor textColour, boardColour, stripeColour;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;  // of the outer outline
    double textBottom = 0, textTop = 0, textLeft = 0, textRight = 0;
    size_t lines = 0;
    bool textOnTop = false;
};

InfoBoardShape boardOf(ZcDbObjectId blockId)
{
    InfoBoardShape b;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(blockId, ZcDb::kForRead);
    b.block = block->name();
    bool outer = true, field = false;
    ZcDbObjectId textId;
    for (const ZcDbObjectId id : block->entityIds()) {
        if (ZcDbObjectPointer<ZcDbMText> text(id, ZcDb::kForRead); text) {
            textId = id;
            b.contents = text->contents();
            b.textHeight = text->textHeight();
            b.wrapWidth = text->width();
            b.attachment = text->attachment();
            b.textColour = text->color();
            ZcDbObjectPointer<ZcDbTextStyleTableRecord> style(text->textStyle(), ZcDb::kForRead);
            b.style = style ? style->name() : "";
            // A board without text has a text without extents.
            ZcDbExtents e;
            if (text->getGeomExtents(e) == Zcad::eOk) {
                b.textBottom = e.minPoint().y;
                b.textTop = e.maxPoint().y;
                b.textLeft = e.minPoint().x;
                b.textRight = e.maxPoint().x;
                TextLayout layout;
                EXPECT_EQ(layoutMText(*text.object(), layout), Zcad::eOk);
                b.lines = layout.lines.size();
            }
        } else if (ZcDbObjectPointer<ZcDbPolyline> outline(id, ZcDb::kForRead); outline && outer) {
            outer = false;
            ZcDbExtents e;
            EXPECT_EQ(outline->getGeomExtents(e), Zcad::eOk);
            b.minX = e.minPoint().x, b.maxX = e.maxPoint().x, b.minY = e.minPoint().y, b.maxY = e.maxPoint().y;
            b.boardColour = outline->color();
        } else if (ZcDbObjectPointer<ZcDbHatch> hatch(id, ZcDb::kForRead); hatch) {
            // Border ring, stripe, field.
            if (field) {
                EXPECT_EQ(hatch->color(), b.boardColour) << "the field";
            } else if (hatch->color() != b.boardColour) {
                b.stripeColour = hatch->color();
                field = true;
            }
        }
    }
    ZcDbSortentsTable* order = nullptr;
    if (block.object()->getSortentsTable(order, ZcDb::kForRead) == Zcad::eOk) {
        ZcDbObjectIdArray ids;
        order->getFullDrawOrder(ids);
        b.textOnTop = !ids.isEmpty() && ids.last() == textId;
        order->close();
    }
    return b;
}

testing::AssertionResult Contains(const std::string& text, const std::string& part)
{
    if (text.find(part) != std::string::npos)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\"" << part << "\" not in \"" << text << "\"";
}

class InfoBoard : public testing::Test {
protected:
    ~InfoBoard() override { EXPECT_EQ(drawing.openCount(), 0u); }

    // Runs "D_InfoTab"'s dialog on the script; how it ended.
    INT_PTR run(const std::string& script)
    {
        ScriptedInput input(script);
        testing::internal::CaptureStdout();
        WiteTab_dlg dialog;
        const INT_PTR result = dialog.DoModal();
        output = testing::internal::GetCapturedStdout();
        const auto* text = dynamic_cast<const CRichEditCtrl*>(dialog.GetDlgItem(IDC_BOARD_TEXT));
        preview = text ? text->valueText() : "";
        return result;
    }

    // The boards referenced from model space, in order.
    std::vector<InfoBoardShape> boards()
    {
        std::vector<InfoBoardShape> found;
        ZcDbObjectPointer<ZcDbBlockTableRecord> space(drawing.db().modelSpaceId(), ZcDb::kForRead);
        for (const ZcDbObjectId id : space->entityIds()) {
            ZcDbObjectPointer<ZcDbBlockReference> reference(id, ZcDb::kForRead);
            if (!reference)
                continue;
            InfoBoardShape b = boardOf(reference->blockTableRecord());
            b.position = reference->position();
            found.push_back(b);
        }
        return found;
    }

    // The anonymous blocks of the drawing that are not erased.
    size_t anonymousBlocks()
    {
        size_t count = 0;
        ZcDbObjectPointer<ZcDbBlockTable> table(drawing.db().blockTableId(), ZcDb::kForRead);
        ZcDbSymbolTableIterator* it = nullptr;
        table->newIterator(it);
        for (; !it->done(); it->step()) {
            ZcDbObjectId id;
            it->getRecordId(id);
            ZcDbObjectPointer<ZcDbBlockTableRecord> block(id, ZcDb::kForRead);
            count += block && block->isAnonymous() && !block->isLayout();
        }
        delete it;
        return count;
    }

    ModuleResourceChain resources;
    TestRegistry registry;
    BoardDrawing drawing;
    std::string output;
    std::string preview;  // the rich edit as it was shown last
};

}  // namespace

TEST_F(InfoBoard, TheDefaultsMakeANineHundredWideWhiteBoardWithBlackText)
{
    ASSERT_EQ(run("dlg set IDC_BOARD_TEXT Gmina Łąka\ndlg click 1\n100,200\n"), IDOK) << output;
    const std::vector<InfoBoardShape> made = boards();
    ASSERT_EQ(made.size(), 1u) << output;
    const InfoBoardShape& b = made[0];
    EXPECT_EQ(b.block.rfind("*U", 0), 0u) << b.block;
    EXPECT_EQ(b.position, ZcGePoint3d(100, 200, 0));
    EXPECT_EQ(b.contents, "Gmina Łąka");
    EXPECT_EQ(b.textHeight, 102.0);
    EXPECT_EQ(b.wrapWidth, 900.0 - 2 * kInfoBoardMargin) << "the text wraps inside the board's margins";
    EXPECT_EQ(b.attachment, ZcDbMText::kBottomCenter);
    EXPECT_EQ(b.style, kTarvoTextStyle);
    EXPECT_EQ(b.lines, 1u);
    EXPECT_NEAR(b.minX, -450.0, kBoardTol);
    EXPECT_NEAR(b.maxX, 450.0, kBoardTol);
    EXPECT_NEAR(b.minY, b.textBottom - kInfoBoardMargin, kBoardTol);
    EXPECT_NEAR(b.maxY, b.textTop + kInfoBoardMargin, kBoardTol);
    EXPECT_EQ(b.textColour, trueColour(0, 0, 0));
    EXPECT_EQ(b.boardColour, trueColour(255, 255, 255));
    EXPECT_EQ(b.stripeColour, trueColour(0, 0, 0));
    EXPECT_TRUE(b.textOnTop) << "the text is drawn over the board";
}

TEST_F(InfoBoard, ALongTextWrapsAndTheBoardGrowsWithIt)
{
    ASSERT_EQ(run("dlg set IDC_BOARD_TEXT Urząd Gminy w Żółkiewce czynny od poniedziałku do piątku\n"
                  "dlg line IDC_BOARD_TEXT ul. Łąkowa 5\n"
                  "dlg select IDC_TEXT_SIZE \"132\"\ndlg click 1\n0,0\n"),
              IDOK);
    const std::vector<InfoBoardShape> made = boards();
    ASSERT_EQ(made.size(), 1u) << output;
    const InfoBoardShape& b = made[0];
    EXPECT_EQ(b.contents, "Urząd Gminy w Żółkiewce czynny od poniedziałku do piątku\\Pul. Łąkowa 5");
    EXPECT_EQ(b.textHeight, 132.0);
    EXPECT_GE(b.lines, 4u) << "the first paragraph wraps at 900, the second is a line of its own";
    EXPECT_NEAR(b.textBottom, 0.0, kBoardTol) << "bottom centre at the block's origin";
    EXPECT_NEAR(b.minY, b.textBottom - kInfoBoardMargin, kBoardTol);
    EXPECT_NEAR(b.maxY, b.textTop + kInfoBoardMargin, kBoardTol);
    EXPECT_GT(b.textTop - b.textBottom, 132.0 * kLineSpacing * double(b.lines - 1));
    EXPECT_NEAR(b.maxX - b.minX, 900.0, kBoardTol) << "the board keeps its width";
}

TEST_F(InfoBoard, TwoRunsMakeTwoBlocksAndTheSecondStartsFromTheDefaults)
{
    ASSERT_EQ(run("dlg set IDC_BOARD_TEXT Pierwsza\ndlg set IDC_TEXT_SIZE 210\ndlg set IDC_BOARD_WIDTH 1500\n"
                  "dlg click IDC_TEXT_COLOUR\ndlg color 255,255,255\n"
                  "dlg click IDC_BOARD_COLOUR\ndlg color 0,102,51\ndlg click 1\n0,0\n"),
              IDOK);
    EXPECT_TRUE(Contains(preview, "(tekst 255,255,255, tło 0,102,51, wysokość 630)"))
        << "the text previewed in its colours, three times its height in the edit's units";
    ASSERT_EQ(run("dlg set IDC_BOARD_TEXT Druga\ndlg click 1\n2000,0\n"), IDOK);
    EXPECT_TRUE(Contains(preview, "(tekst automatyczny, tło 255,255,255"));
    const std::vector<InfoBoardShape> made = boards();
    ASSERT_EQ(made.size(), 2u) << output;
    EXPECT_NE(made[0].block, made[1].block);
    EXPECT_EQ(made[0].textHeight, 210.0);
    EXPECT_NEAR(made[0].maxX, 750.0, kBoardTol);
    EXPECT_EQ(made[0].textColour, trueColour(255, 255, 255));
    EXPECT_EQ(made[0].boardColour, trueColour(0, 102, 51));
    EXPECT_EQ(made[1].textHeight, 102.0);
    EXPECT_NEAR(made[1].maxX, 450.0, kBoardTol);
    EXPECT_EQ(made[1].textColour, trueColour(0, 0, 0));
    EXPECT_EQ(made[1].boardColour, trueColour(255, 255, 255));
}

TEST_F(InfoBoard, ACancelledColourDialogGivesBlack)
{
    ASSERT_EQ(run("dlg click IDC_BOARD_COLOUR\ndlg color cancel\n"
                  "dlg click IDC_TEXT_COLOUR\ndlg color 200,0,0\ndlg set IDC_BOARD_TEXT X\ndlg click 1\n0,0\n"),
              IDOK);
    const std::vector<InfoBoardShape> made = boards();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].boardColour, trueColour(0, 0, 0));
    EXPECT_EQ(made[0].textColour, trueColour(200, 0, 0));
    EXPECT_EQ(made[0].stripeColour, trueColour(200, 0, 0));
}

TEST_F(InfoBoard, NoInsertionPointLeavesNoBlockBehindAndTheDialogCloses)
{
    ASSERT_EQ(run("dlg set IDC_BOARD_TEXT Nigdzie\ndlg click 1\n*cancel*\n"), IDOK);
    EXPECT_TRUE(boards().empty());
    EXPECT_EQ(anonymousBlocks(), 0u) << "the board's block is removed with nothing referring to it";
}

// Only a board without text keeps the smallest width: any text widens it
// to keep the margins beside the text.
TEST_F(InfoBoard, TheSmallestWidthMakesABoardWhoseOutlinesDoNotCross)
{
    ASSERT_EQ(run("dlg set IDC_BOARD_WIDTH " + std::to_string(kSmallestInfoBoardWidth) + "\ndlg click 1\n0,0\n"), IDOK);
    const std::vector<InfoBoardShape> made = boards();
    ASSERT_EQ(made.size(), 1u) << output;
    EXPECT_NEAR(made[0].maxX - made[0].minX, kSmallestInfoBoardWidth, kBoardTol);
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    ZcDbObjectPointer<ZcDbBlockTable> table(drawing.db().blockTableId(), ZcDb::kForRead);
    ZcDbObjectId blockId;
    ASSERT_EQ(table->getAt(made[0].block.c_str(), blockId), Zcad::eOk);
    block.open(blockId, ZcDb::kForRead);
    for (const ZcDbObjectId id : block->entityIds()) {
        ZcDbObjectPointer<ZcDbPolyline> outline(id, ZcDb::kForRead);
        if (!outline)
            continue;
        // Clockwise from the lower-left arc: x never goes back along the top
        // (vertices 3 to 4), nor y down the left side (1 to 2).
        ZcGePoint3d p[8];
        for (unsigned i = 0; i < 8; ++i)
            ASSERT_EQ(outline->getPointAt(i, p[i]), Zcad::eOk);
        EXPECT_LE(p[3].x, p[4].x + kBoardTol);
        EXPECT_LE(p[1].y, p[2].y + kBoardTol);
    }
}

// Inputs the dialog refuses: one message, nothing drawn, and the dialog
// still open for the user to mend them (closed here by its cancel button).
struct Refusal {
    const char* name;
    const char* script;
    const char* message;
};

class InfoBoardRefusal : public InfoBoard, public testing::WithParamInterface<Refusal> {};

TEST_P(InfoBoardRefusal, OneMessageNothingDrawnAndTheDialogStays)
{
    const Refusal& r = GetParam();
    EXPECT_EQ(run(std::string("dlg set IDC_BOARD_TEXT Tekst\n") + r.script + "dlg click 1\ndlg click 2\n"), IDCANCEL)
        << output;
    ASSERT_EQ(registry.boxes().size(), 1u) << output;
    EXPECT_NE(registry.boxes()[0].text.find(r.message), std::string::npos) << registry.boxes()[0].text;
    EXPECT_TRUE(boards().empty());
    EXPECT_EQ(anonymousBlocks(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, InfoBoardRefusal,
    testing::Values(Refusal{"HeightNotANumber", "dlg set IDC_TEXT_SIZE abc\n",
                            "Wysokość tekstu musi być wartością liczbową"},
                    Refusal{"HeightZero", "dlg set IDC_TEXT_SIZE 0\n", "Wysokość tekstu musi być wartością liczbową"},
                    Refusal{"WidthTooSmallForTheCorners", "dlg set IDC_BOARD_WIDTH 59\n", "co najmniej 60"},
                    Refusal{"WidthZero", "dlg set IDC_BOARD_WIDTH 0\n", "co najmniej 60"},
                    Refusal{"WidthBeyondTheRange", "dlg set IDC_BOARD_WIDTH 2001\n", "od 0 do 2000"},
                    Refusal{"WidthNotANumber", "dlg set IDC_BOARD_WIDTH szeroka\n", "liczbę całkowitą"},
                    Refusal{"HeightBeyondAnInt", "dlg set IDC_TEXT_SIZE 99999999999999999999\n", "najwyżej 2000"},
                    Refusal{"HeightJustTooLarge", "dlg set IDC_TEXT_SIZE 2001\n", "najwyżej 2000"}),
    [](const testing::TestParamInfo<Refusal>& c) { return std::string(c.param.name); });

// The board always holds its text with the margin on every side: it keeps
// the width asked for when the text wraps into it, and grows by as much as
// a word too long to wrap needs.
struct Fit {
    const char* name;
    const char* text;
    int height, width;
    bool keepsWidth;
    size_t lines = 0;  // 0: not looked at
};

class InfoBoardFit : public InfoBoard, public testing::WithParamInterface<Fit> {};

TEST_P(InfoBoardFit, TheTextStaysInsideTheMargins)
{
    const Fit& f = GetParam();
    ASSERT_EQ(run(std::string("dlg set IDC_BOARD_TEXT ") + f.text + "\ndlg set IDC_TEXT_SIZE " +
                  std::to_string(f.height) + "\ndlg set IDC_BOARD_WIDTH " + std::to_string(f.width) +
                  "\ndlg click 1\n0,0\n"),
              IDOK)
        << output;
    const std::vector<InfoBoardShape> made = boards();
    ASSERT_EQ(made.size(), 1u) << output;
    const InfoBoardShape& b = made[0];
    EXPECT_LE(b.minX, b.textLeft - kInfoBoardMargin + kBoardTol);
    EXPECT_GE(b.maxX, b.textRight + kInfoBoardMargin - kBoardTol);
    EXPECT_NEAR(b.minX, -b.maxX, kBoardTol) << "centred on the block's origin";
    const double grown = std::max(-b.textLeft, b.textRight) * 2 + 2 * kInfoBoardMargin;
    EXPECT_NEAR(b.maxX - b.minX, f.keepsWidth ? f.width : grown, kBoardTol);
    EXPECT_NEAR(b.minY, b.textBottom - kInfoBoardMargin, kBoardTol);
    if (f.lines) {
        EXPECT_EQ(b.lines, f.lines);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, InfoBoardFit,
    testing::Values(Fit{"NarrowBoardSmallText", "Gmina Łąka", 4, 60, false},
                    Fit{"LongWordOnTheDefaultBoard", "Konstantynopolitańczykowianeczka", 282, 900, false},
                    Fit{"WordsWrapIntoTheWidth", "Urząd Gminy w Żółkiewce czynny od poniedziałku", 132, 900, true},
                    Fit{"ShortTextOnAWideBoard", "Łąka", 102, 2000, true},
                    // The short words share a line as wide as the long one.
                    Fit{"ShortWordsBesideALongOne", "Gmina Łąka Konstantynopolitańczykowianeczka", 102, 60, false, 2}),
    [](const testing::TestParamInfo<Fit>& c) { return std::string(c.param.name); });

// Whatever is typed shows as typed: the characters that start codes show
// as themselves and each line break starts a line.
TEST(InfoBoardText, TypedTextShowsAsTyped)
{
    constexpr std::string_view kPieces[] = {"\\", "P",  "{",      "}", "S", "^", ";", "\r\n",
                                            "\n", "\r", "U+0041", "ł", "~", " ", "%", "d"};
    std::mt19937 random(14);
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    for (int run = 0; run < 5000; ++run) {
        std::string typed;
        for (int n = int(random() % 10) + 1; n > 0; --n)
            typed += kPieces[piece(random)];
        if (typed.find("%%") != std::string::npos)
            continue;  // the degree and diameter codes stay codes, as CAD users type them
        std::vector<std::string> lines(1);
        for (size_t i = 0; i < typed.size(); ++i) {
            if (typed[i] == '\r' || typed[i] == '\n') {
                i += typed.compare(i, 2, "\r\n") == 0;
                lines.emplace_back();
            } else {
                lines.back() += typed[i];
            }
        }
        std::vector<std::string> shown;
        for (const std::u32string& p : mtextParagraphs(InfoBoardContents(typed)))
            shown.push_back(utf8Of(p));
        ASSERT_EQ(shown, lines) << typed;
    }
    EXPECT_EQ(LeadingDigits("132 mm"), 132);
    EXPECT_EQ(LeadingDigits("abc"), 0);
    EXPECT_EQ(LeadingDigits("99999999999999"), INT_MAX) << "too large for an int: the largest";
}
