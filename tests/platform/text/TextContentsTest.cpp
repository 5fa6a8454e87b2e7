// The characters a text shows, its codes taken out.

#include <gtest/gtest.h>

#include "platform/text/TextContents.h"

using namespace platform;

namespace {

std::vector<std::string> shown(const char* contents)
{
    std::vector<std::string> out;
    for (const std::u32string& p : mtextParagraphs(contents))
        out.push_back(utf8Of(p));
    return out;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(MTextContents, BreaksParagraphsAtTheirCodes)
{
    EXPECT_EQ(shown("Kraków\\PGłówny"), (Lines{"Kraków", "Główny"}));
    EXPECT_EQ(shown("a\nb\r\nc"), (Lines{"a", "b", "c"})) << "line feeds as they are stored";
    EXPECT_EQ(shown("\\P"), (Lines{"", ""}));
    EXPECT_EQ(shown(""), (Lines{""}));
    // A backslash before a break shows; doubled, it is one backslash.
    EXPECT_EQ(shown("a\\\nb"), (Lines{"a\\", "b"}));
    EXPECT_EQ(shown("a\\\\\\Pb"), (Lines{"a\\", "b"}));
    // A stacked fraction ends at its paragraph's end, written either way.
    EXPECT_EQ(shown("\\S1^2\nb;"), (Lines{"1/2", "b;"}));
    EXPECT_EQ(shown("\\S1^2\\Pb;"), (Lines{"1/2", "b;"}));
    EXPECT_EQ(shown("\\S1\\\nb;"), (Lines{"1\\", "b;"}));
}

TEST(MTextContents, CodesShowNothingAndEscapesShowTheirCharacter)
{
    EXPECT_EQ(shown("{\\H2.5x;\\fArial|b1;Duży} \\Lpodkreślony\\l"), (Lines{"Duży podkreślony"}));
    EXPECT_EQ(shown("\\\\ \\{ \\}"), (Lines{"\\ { }"}));
    EXPECT_EQ(shown("a\\~b"), (Lines{"a\u00A0b"})) << "a space that does not break";
    EXPECT_EQ(shown("1\\S1^2;"), (Lines{"11/2"}));
    EXPECT_EQ(shown("90%%d %%p1 %%c20 100%%%"), (Lines{"90° ±1 ⌀20 100%"}));
    EXPECT_EQ(shown("\\U+0141ódź"), (Lines{"Łódź"}));
    EXPECT_EQ(shown("C:\\drogi"), (Lines{"C:\\drogi"})) << "a backslash that starts no code shows";
    EXPECT_EQ(shown("koniec\\"), (Lines{"koniec\\"}));
}

TEST(MTextContents, MalformedBytesShowAsReplacements)
{
    EXPECT_EQ(shown("a\xFF" "b"), (Lines{"a\uFFFDb"}));
    EXPECT_EQ(shown("\xC5"), (Lines{"\uFFFD"})) << "a sequence cut short";
}

TEST(SingleLineText, ShowsThePercentCodesOnly)
{
    EXPECT_EQ(utf8Of(singleLineCharacters("%%uNapis%%u 45%%d")), "Napis 45°");
    EXPECT_EQ(utf8Of(singleLineCharacters("a\\Pb")), "a\\Pb") << "no paragraph codes in a single line";
    EXPECT_EQ(utf8Of(singleLineCharacters("%%065")), "A");
}
