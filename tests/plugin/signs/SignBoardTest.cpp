// The sign record: each sign's symbol and colours, the E-5 sizes, and board
// block names that find the same block for the same sign and that the
// block table always takes.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "ZcDbObjectPointer.h"
#include "services/Blocks.h"
#include "signs/SignBoard.h"
#include "tests/support/TestDrawing.h"

namespace {

struct NameCase {
    SignKind kind;
    char size;  // 0: as the sign comes
    bool left;
    const char* text;
    const char* name;
};

class SignBlockName : public testing::TestWithParam<NameCase> {};

D_SignBoard signOf(SignKind kind, char size, bool left)
{
    D_SignBoard sign(kind);
    if (size)
        sign.SetSizeClass(size);
    sign.pointsLeft = left;
    return sign;
}

}  // namespace

TEST_P(SignBlockName, SymbolTextSizeAndDirection)
{
    const NameCase& c = GetParam();
    D_SignBoard sign = signOf(c.kind, c.size, c.left);
    sign.MakeSignBlockName(c.text);
    EXPECT_EQ(sign.blockName, c.name);
    EXPECT_EQ(sign.text, c.text);
    EXPECT_TRUE(IsValidBlockName(sign.blockName));
}

INSTANTIATE_TEST_SUITE_P(Names, SignBlockName,
                         testing::Values(NameCase{SignKind::E5, 'D', true, "Kraków", "E-5_Kraków_D_"},
                                         NameCase{SignKind::E5, 'd', false, "Kraków", "E-5_Kraków_d"},
                                         NameCase{SignKind::E5, 0, false, "Gdańsk Główny", "E-5_Gdańsk Główny_S"},
                                         NameCase{SignKind::E4, 0, false, "Łódź", "E-4_Łódź_ "},
                                         NameCase{SignKind::E4, 0, true, "Łódź", "E-4_Łódź_ _"},
                                         NameCase{SignKind::E17a, 0, false, "Świnoujście", "E-17a_Świnoujście_ "},
                                         NameCase{SignKind::E18a, 0, false, "Świnoujście", "E-18a_Świnoujście_ "},
                                         NameCase{SignKind::E21, 0, false, "Żółkiewka", "E-21_Żółkiewka_ "}));

namespace {

struct ColourCase {
    SignKind kind;
    const char* symbol;
    uint32_t board, text;
    double margin;
};

class SignColours : public testing::TestWithParam<ColourCase> {};

}  // namespace

TEST_P(SignColours, GreenBoardsWhiteTextOrWhiteBoardsBlueText)
{
    const ColourCase& c = GetParam();
    const D_SignBoard sign(c.kind);
    EXPECT_EQ(sign.symbol, c.symbol);
    EXPECT_EQ(sign.boardColour.rgb(), c.board);
    EXPECT_EQ(sign.textColour.rgb(), c.text);
    EXPECT_EQ(sign.textMargin, c.margin);
    EXPECT_EQ(sign.generation, "I Generacja");
}

INSTANTIATE_TEST_SUITE_P(Colours, SignColours,
                         testing::Values(ColourCase{SignKind::E17a, "E-17a", 0x009926, 0xFFFFFF, 100},
                                         ColourCase{SignKind::E18a, "E-18a", 0x009926, 0xFFFFFF, 100},
                                         ColourCase{SignKind::E21, "E-21", 0xFFFFFF, 0x0000FF, 100},
                                         ColourCase{SignKind::E4, "E-4", 0x009926, 0xFFFFFF, 100},
                                         ColourCase{SignKind::E5, "E-5", 0xFFFFFF, 0x0000FF, 100}));

// The E-5 sizes; the margin is always four stripes, and a letter outside
// the four keeps the sizes it had.
TEST(SignSizeClass, SetsTheBoardAndKeepsTheMarginAtFourStripes)
{
    struct Row {
        char letter;
        double stripe, text, board;
    };
    for (const Row& r : {Row{'W', 30, 282, 650}, Row{'w', 30, 282, 650}, Row{'D', 25, 210, 450}, Row{'s', 25, 132, 300},
                         Row{'M', 25, 132, 300}}) {
        D_SignBoard sign(SignKind::E5);
        sign.SetSizeClass(r.letter);
        EXPECT_EQ(sign.sizeClass, r.letter);
        EXPECT_EQ(sign.stripeWidth, r.stripe) << r.letter;
        EXPECT_EQ(sign.textHeight, r.text) << r.letter;
        EXPECT_EQ(sign.boardHeight, r.board) << r.letter;
        EXPECT_EQ(sign.textMargin, 4 * r.stripe) << r.letter;
    }
    D_SignBoard sign(SignKind::E5);
    sign.SetSizeClass('W');
    sign.SetSizeClass('x');
    EXPECT_EQ(sign.sizeClass, 'x');
    EXPECT_EQ(sign.boardHeight, 650);
    EXPECT_EQ(sign.textMargin, 120);
}

namespace {

// A text of random bytes: reserved characters, control characters, broken
// and whole UTF-8 sequences, of any length up to a thousand bytes.
std::string randomText(std::mt19937& random)
{
    static const std::string pieces[] = {
        "a",    "Ż",   "ó", "/", "\\", ":", "*",  "?",  "|",    "<",    ">",
        "\"",   ",",   "=", "`", ";",  " ", "\t", "\n", "\xC5", "\x80", "\xF0\x9F\x9A\xA6",
        "\x7F", "\x1B"};
    std::string text;
    const size_t length = std::uniform_int_distribution<size_t>(0, 400)(random);
    for (size_t i = 0; i < length; ++i)
        text += pieces[std::uniform_int_distribution<size_t>(0, std::size(pieces) - 1)(random)];
    return text;
}

}  // namespace

// Whatever the text, the name is one the block table takes, the same text
// gives the same name, and different texts different names; a text too
// long or with reserved characters keeps its readable start.
TEST(SignBlockNames, AreValidDeterministicAndDistinctForAnyText)
{
    TestDrawing drawing;
    std::mt19937 random(4);
    std::set<std::string> texts, names;
    for (int i = 0; i < 300; ++i) {
        const std::string text = randomText(random);
        D_SignBoard sign(SignKind::E21);
        sign.MakeSignBlockName(text);
        ASSERT_TRUE(IsValidBlockName(sign.blockName)) << text;
        EXPECT_TRUE(std::none_of(sign.blockName.begin(), sign.blockName.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
            << "no control character, DEL included: " << sign.blockName;
        EXPECT_LE(sign.blockName.size(), 255u);
        EXPECT_EQ(sign.blockName.rfind("E-21_", 0), 0u);
        EXPECT_EQ(sign.blockName.substr(sign.blockName.size() - 2), "_ ");
        D_SignBoard again(SignKind::E21);
        again.MakeSignBlockName(text);
        EXPECT_EQ(again.blockName, sign.blockName);
        if (texts.insert(text).second) {
            EXPECT_TRUE(names.insert(sign.blockName).second) << "two texts, one name: " << sign.blockName;
        }
        ZcDbObjectPointer<ZcDbBlockTableRecord> block;
        ZcDbBlockTableRecord* made = GetOrCreateBlock(sign.blockName.c_str(), ZcDb::kForWrite);
        ASSERT_NE(made, nullptr) << sign.blockName;
        block.acquire(made);
    }

    const std::string longName(300, 'a');
    D_SignBoard a(SignKind::E17a), b(SignKind::E17a);
    a.MakeSignBlockName(longName);
    b.MakeSignBlockName(longName + "b");
    EXPECT_NE(a.blockName, b.blockName) << "the same start, different texts";
    EXPECT_EQ(a.blockName.find(std::string(200, 'a')), 6u) << "the readable part is kept";
    D_SignBoard reserved(SignKind::E17a);
    reserved.MakeSignBlockName("Kraków/Płaszów");
    EXPECT_EQ(reserved.blockName.find("E-17a_KrakówPłaszów"), 0u) << reserved.blockName;
    EXPECT_EQ(drawing.openCount(), 0u);
}

// What a board shows of a typed name: no control character (a one-line
// board cannot show a line break, a tab or DEL), no spaces around it; a
// name with nothing left is blank.
struct TypedName {
    const char* typed;
    const char* shown;
};

class SignTextOf : public testing::TestWithParam<TypedName> {};

TEST_P(SignTextOf, ControlCharactersAndOuterSpacesGo) { EXPECT_EQ(SignText(GetParam().typed), GetParam().shown); }

INSTANTIATE_TEST_SUITE_P(Names, SignTextOf,
                         testing::Values(TypedName{"Łódź", "Łódź"}, TypedName{"  Nowy Targ  ", "Nowy Targ"},
                                         TypedName{"\tŁódź\r\n", "Łódź"},
                                         TypedName{"Łó\x7F"
                                                   "dź",
                                                   "Łódź"},
                                         TypedName{"\x01Kraków\x1F", "Kraków"}, TypedName{"a\\Pb {c}", "a\\Pb {c}"},
                                         TypedName{" \t \x7F ", ""}, TypedName{"", ""}));
