// Wrapping a multi-line text at its width: over random texts and widths,
// every line fits unless it is one word too wide for any line, no word is
// lost or moved, and a line breaks only where the next word would not fit.

#include <gtest/gtest.h>

#include <random>

#include "platform/text/TextContents.h"
#include "platform/text/TextLayout.h"
#include "tests/platform/text/TextTestSupport.h"

using namespace platform;

namespace {

// What the layout itself allows for rounding at the width.
constexpr double kFitTol = 1e-9;

std::vector<std::u32string> wordsOf(const std::u32string& line)
{
    std::vector<std::u32string> words;
    std::u32string word;
    for (const char32_t c : line + U' ') {
        if (c != U' ') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

std::u32string joined(const std::vector<std::u32string>& words)
{
    std::u32string out;
    for (const std::u32string& w : words)
        out += (out.empty() ? U"" : U" ") + w;
    return out;
}

class MTextWrap : public ::testing::Test {
protected:
    MTextWrap() { m_style = addTextStyle(m_drawing.db(), "Pomiar", "DejaVuSans.ttf"); }

    TextLayout layout(const std::string& contents, double height, double width)
    {
        auto* t = new ZcDbMText;
        t->setTextStyle(m_style);
        t->setContents(contents.c_str());
        t->setTextHeight(height);
        t->setWidth(width);
        t->setAttachment(ZcDbMText::kBottomCenter);
        Opened<ZcDbMText> text(t);
        TextLayout result;
        EXPECT_EQ(layoutMText(*text.get(), result), Zcad::eOk) << contents;
        return result;
    }

    // The unwrapped width of a line of words.
    double widthOf(const std::u32string& line, double height)
    {
        return layout(utf8Of(line), height, 0.0).lines[0].width;
    }

    TestDrawing m_drawing;
    ZcDbObjectId m_style;
};

}  // namespace

TEST_F(MTextWrap, LinesFitTheWidthAndBreakOnlyWhereTheNextWordWouldNot)
{
    const std::u32string letters = U"abcdefghijklmnoprstuwyzĄĆĘŁŃÓŚŹŻąćęłńóśźżWMil";
    std::mt19937 random(1406);
    std::uniform_int_distribution<size_t> letter(0, letters.size() - 1);
    std::uniform_int_distribution<int> wordLength(1, 12), wordCount(1, 14), paragraphCount(1, 3);
    std::uniform_real_distribution<double> height(1.0, 200.0), widthInHeights(0.5, 30.0);
    for (int run = 0; run < 300; ++run) {
        std::vector<std::u32string> paragraphs(paragraphCount(random));
        for (std::u32string& p : paragraphs) {
            std::vector<std::u32string> words(wordCount(random));
            for (std::u32string& w : words)
                for (int n = wordLength(random); n > 0; --n)
                    w += letters[letter(random)];
            p = joined(words);
        }
        std::string contents;
        for (size_t i = 0; i < paragraphs.size(); ++i)
            contents += (i ? (i % 2 ? "\\P" : "\r\n") : "") + utf8Of(paragraphs[i]);
        const double h = height(random);
        const double width = widthInHeights(random) * h;
        SCOPED_TRACE(contents + " at width " + std::to_string(width));

        const TextLayout wrapped = layout(contents, h, width);
        size_t line = 0;
        for (const std::u32string& paragraph : paragraphs) {
            std::vector<std::u32string> words;
            const size_t first = line;
            while (words.size() < wordsOf(paragraph).size()) {
                ASSERT_LT(line, wrapped.lines.size());
                const std::vector<std::u32string> onLine = wordsOf(wrapped.lines[line].text);
                ASSERT_FALSE(onLine.empty()) << "line " << line << " is empty";
                if (onLine.size() > 1) {
                    EXPECT_LE(wrapped.lines[line].width, width * (1.0 + kFitTol)) << "line " << line;
                }
                if (line > first) {
                    // The line before took this one's first word only if it did not fit.
                    const std::u32string tried = joined(wordsOf(wrapped.lines[line - 1].text)) + U" " + onLine[0];
                    EXPECT_GT(widthOf(tried, h), width * (1.0 - kFitTol)) << "line " << line;
                }
                words.insert(words.end(), onLine.begin(), onLine.end());
                ++line;
            }
            EXPECT_EQ(words, wordsOf(paragraph)) << "every word, in order, in its own paragraph";
        }
        EXPECT_EQ(line, wrapped.lines.size());
    }
}

// The box follows the wrapped lines: as many pitches tall as there are
// lines, every line inside it, and the bottom centre at the location.
TEST_F(MTextWrap, TheBoxFollowsTheWrappedLines)
{
    const double h = 102.0;
    const TextLayout one = layout("Gmina", h, 900.0);
    const TextLayout many = layout("Urząd Gminy w Żółkiewce, ul. Łąkowa 5, czynny od poniedziałku do piątku", h, 900.0);
    ASSERT_EQ(one.lines.size(), 1u);
    ASSERT_GT(many.lines.size(), 2u);
    const double pitch = h * kLineSpacing;
    const auto boxHeight = [](const TextLayout& l) { return l.frame[3].y - l.frame[0].y; };
    EXPECT_NEAR(boxHeight(many) - boxHeight(one), double(many.lines.size() - 1) * pitch, 1e-9);
    EXPECT_NEAR(many.frame[0].y, 0.0, 1e-9) << "bottom attachment: the box ends at the location";
    for (const LaidOutLine& l : many.lines) {
        EXPECT_NEAR(l.baselineStart.x + l.width / 2.0, 0.0, 1e-9) << "each line centred on the location";
        EXPECT_GE(l.baselineStart.x, many.frame[0].x - 1e-9);
        EXPECT_LE(l.baselineStart.x + l.width, many.frame[1].x + 1e-9);
    }
}
