#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "platform/core/Utf8.h"
#include "platform/dxf/DxfGroupCodes.h"
#include "platform/dxf/DxfStream.h"
#include "platform/dxf/DxfText.h"
#include "platform/dxf/DxfTextDecoder.h"
#include "platform/text/TextContents.h"
#include "platform/win/TextEncodings.h"
#include "tests/platform/dxf/DxfPairs.h"

using namespace platform;

namespace {
std::string mtext(std::string_view utf8)
{
    std::string out;
    appendDxfMTextContents(out, utf8);
    return out;
}

std::string real(double v)
{
    std::string out;
    EXPECT_TRUE(appendDxfReal(out, v));
    return out;
}

}  // namespace

TEST(DxfText, PolishLettersAreCodePageBytes)
{
    EXPECT_EQ(dxfText("Długość"), "D\xB3ugo\x9C\xE6");
    EXPECT_EQ(dxfText("ŁÓDŹ żółć"), "\xA3\xD3"
                                    "D\x8F \xBF\xF3\xB3\xE6");
    EXPECT_EQ(dxfText("Zażółć gęślą jaźń"), "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1");
    EXPECT_EQ(dxfText("P-8x_D/_K 12,5"), "P-8x_D/_K 12,5");
    EXPECT_TRUE(isPlainDxfText("Slupek1"));
    EXPECT_FALSE(isPlainDxfText("Słupek"));
}

TEST(DxfText, OutsideTheCodePageUnicodeEscapes)
{
    EXPECT_EQ(dxfText("Mañana → 日本"), "Ma\\U+00F1ana \\U+2192 \\U+65E5\\U+672C");
    EXPECT_EQ(dxfText("😀 znak"), "\\U+D83D\\U+DE00 znak") << "beyond sixteen bits, a surrogate pair";
    EXPECT_EQ(dxfText("€ ł"), "\x80 \xB3") << "the euro sign is in the code page";
}

// Every character of the first plane, written and read through the
// drawing's code page, comes back; those the code page holds take one byte.
TEST(DxfText, EveryCharacterReadsBackThroughTheCodePage)
{
    DxfTextDecoder decoder;
    decoder.setVersion("AC1015");
    decoder.setCodePage("ANSI_1250");
    int oneByte = 0;
    for (char32_t cp = 0x20; cp <= 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        std::string utf8;
        appendUtf8(utf8, cp);
        const std::string written = dxfText(utf8);
        ASSERT_EQ(decoder.decode(written), utf8) << std::hex << uint32_t(cp);
        if (cp >= 0x80 && written.size() == 1) {
            ++oneByte;
            EXPECT_EQ(utf8FromCp1250(written), utf8) << std::hex << uint32_t(cp);
        }
    }
    EXPECT_EQ(oneByte, 123) << "the code page defines 123 of its 128 upper bytes";
}

TEST(DxfText, ControlCharactersNeverBreakTheLine)
{
    EXPECT_EQ(dxfText("a\nb"), "a^Jb");
    EXPECT_EQ(dxfText("a\r\nb\t"), "a^M^Jb^I");
    EXPECT_EQ(dxfText(std::string_view("\0x", 2)), "^@x");
    EXPECT_EQ(dxfText("\x7f"), "\\U+007F");
    for (const char* s : {"x\ny", "\r", "\x1f", "Łódź\n"})
        EXPECT_EQ(dxfText(s).find_first_of("\r\n"), std::string::npos) << s;
}

TEST(DxfText, MalformedUtf8BecomesQuestionMarks)
{
    EXPECT_EQ(dxfText("a\xff" "b"), "a?b");
    EXPECT_EQ(dxfText("\xc5"), "?");                 // cut short
    EXPECT_EQ(dxfText("\xc5" "a"), "?a");            // continuation missing
    EXPECT_EQ(dxfText("\xc0\xaf"), "??");            // overlong '/'
    EXPECT_EQ(dxfText("\xed\xa0\x80"), "???");       // an encoded surrogate
    EXPECT_EQ(dxfText("\xf4\x90\x80\x80"), "????");  // beyond U+10FFFF
    EXPECT_EQ(dxfText("\x80Ł"), "?\xA3");
}

TEST(DxfText, MTextLineBreaksBecomeParagraphs)
{
    EXPECT_EQ(mtext("a\nb"), "a\\Pb");
    EXPECT_EQ(mtext("a\r\nb"), "a\\Pb");
    EXPECT_EQ(mtext("a\rb\n\nc"), "a\\Pb\\P\\Pc");
    EXPECT_EQ(mtext("Łódź\nŁ"), "\xA3\xF3"
                                "d\x9F\\P\xA3");
    EXPECT_EQ(mtext("x\ty"), "x^Iy");
    // A backslash of the text before a break stays a backslash.
    EXPECT_EQ(mtext("a\\\nb"), "a\\\\\\Pb");
    EXPECT_EQ(mtext("a\\\\\r\nb"), "a\\\\\\Pb");
}

// Contents made of the characters that spell codes, written and read
// back: the text shows the same paragraphs, and writing it again gives
// the same file text.
TEST(DxfText, MTextContentsShowTheSameLinesWhenReadBack)
{
    constexpr std::string_view kPieces[] = {"\\", "\n", "\r", "P", "U", "+",        "0041",         "^",  "{",
                                            "}",  "S",  ";",  "a", " ", "\xc4\x85", "\xe4\xb8\xad", "%%", "d"};
    DxfTextDecoder decoder;
    decoder.setVersion("AC1015");
    decoder.setCodePage("ANSI_1250");
    std::mt19937 random(14);
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> length(1, 12);
    for (int run = 0; run < 20000; ++run) {
        std::string contents;
        for (int n = length(random); n > 0; --n)
            contents += kPieces[piece(random)];
        const std::string written = mtext(contents);
        const std::string read = decoder.decode(written);
        ASSERT_EQ(mtextParagraphs(read), mtextParagraphs(contents)) << contents << " -> " << written;
        ASSERT_EQ(mtext(read), written) << contents;
    }
}

TEST(DxfNumbers, ShortestFormWithAPoint)
{
    EXPECT_EQ(real(1.0), "1.0");
    EXPECT_EQ(real(0.0), "0.0");
    EXPECT_EQ(real(-2.5), "-2.5");
    EXPECT_EQ(real(0.1), "0.1");
    EXPECT_EQ(real(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(real(1e20), "1e+20");
    EXPECT_EQ(real(123456789.0), "123456789.0");
    std::string out;
    EXPECT_FALSE(appendDxfReal(out, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(appendDxfReal(out, std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(appendDxfReal(out, -std::numeric_limits<double>::infinity()));
    EXPECT_TRUE(out.empty());
}

TEST(DxfNumbers, EveryDoubleReadsBackExactly)
{
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> coordinate(-1e7, 1e7);
    std::uniform_int_distribution<uint64_t> bits;
    for (int i = 0; i < 20000; ++i) {
        double v = coordinate(random);
        if (i % 2) {
            const uint64_t b = bits(random);
            std::memcpy(&v, &b, sizeof v);
            if (!isDrawingNumber(v))
                continue;  // refused (see WriterAndReaderAgreeOnWhichNumbersADrawingHolds)
        }
        const std::string text = real(v);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
    }
}

TEST(DxfNumbers, AStreamWritesRepeatedNumbersAsEachAlone)
{
    // The stream remembers recent texts: repeats, values sharing a slot,
    // -0.0 beside 0.0 and refused values must all come out as if new.
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> coordinate(-1e4, 1e4);
    std::vector<double> pool = {0.0, -0.0, 0.5, -0.5, 1e-300, std::nan(""), 1e101};
    for (int i = 0; i < 600; ++i)
        pool.push_back(coordinate(random));
    std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
    DxfStream stream;
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        const double v = pool[pick(random)];
        stream.real(10, v);
        std::string text;
        expected += " 10\n" + (appendDxfReal(text, v) ? text : std::string("0.0")) + "\n";
    }
    stream.finish();
    EXPECT_EQ(stream.takeText(), expected);
}

TEST(DxfNumbers, HandlesAreUpperCaseHex)
{
    std::string out;
    appendDxfHandle(out, 0);
    out += ' ';
    appendDxfHandle(out, 0x1A2B);
    out += ' ';
    appendDxfHandle(out, 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(out, "0 1A2B FFFFFFFFFFFFFFFF");
}

TEST(DxfStreamFormat, CodesRightAlignedOneValuePerLine)
{
    DxfStream out;
    out.word(0, "SECTION");
    out.integer(70, -3);
    out.real(10, 2.0);
    out.handle(5, 0x2F);
    out.text(1001, "Tarvo");
    out.angle(50, std::acos(-1.0));
    ASSERT_TRUE(out.finish());
    EXPECT_EQ(out.takeText(), "  0\nSECTION\n 70\n-3\n 10\n2.0\n  5\n2F\n1001\nTarvo\n 50\n180.0\n");
}

TEST(DxfStreamFormat, AnglesInDegreesStayPutWhenReadBack)
{
    const auto written = [](double radians) {
        DxfStream out;
        out.angle(50, radians);
        out.finish();
        return dxfPairs(out.takeText()).at(0).value;
    };
    const double pi = std::acos(-1.0);
    EXPECT_EQ(written(pi / 6), "30.0");
    EXPECT_EQ(written(pi / 4), "45.0");
    EXPECT_EQ(written(0.0), "0.0");
    EXPECT_EQ(written(-pi / 2), "-90.0");
    for (const double radians : {0.1, 1.0, 2.5, 6.2, 1e-9, pi / 7}) {
        const std::string once = written(radians);
        EXPECT_NEAR(std::strtod(once.c_str(), nullptr) * pi / 180.0, radians, 1e-14 * std::max(1.0, radians));
        EXPECT_EQ(written(std::strtod(once.c_str(), nullptr) * (pi / 180.0)), once) << radians;
    }
}

TEST(DxfStreamFormat, NonFiniteNumberIsAnErrorNamingTheObject)
{
    DxfStream out;
    out.setCurrentObject("LINE", 0x2A);
    out.real(11, std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(out.finish());
    EXPECT_EQ(out.valueError(), "LINE 2A: a number that is not finite or beyond ±1e100 (group code 11)");
    EXPECT_EQ(out.takeText().find("nan"), std::string::npos);
}

// What the writer writes the reader reads, and what the writer refuses the
// reader refuses: 1e308 coordinates once went out and could not be pictured.
TEST(DxfStreamFormat, WriterAndReaderAgreeOnWhichNumbersADrawingHolds)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 308);
    std::vector<double> values = {1e100, -1e100, 1e308, -1e308, std::nextafter(1e100, 2e100), 5e-324, 0.0};
    for (int i = 0; i < 2000; ++i)
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    for (const double v : values) {
        if (!std::isfinite(v))
            continue;
        std::string text;
        const bool written = appendDxfReal(text, v);
        double back = 0.0;
        const bool read = parseDxfReal(written ? text : std::to_string(v), back);
        EXPECT_EQ(written, read) << v;
        EXPECT_EQ(written, std::fabs(v) <= 1e100) << v;
        if (written) {
            EXPECT_EQ(back, v) << text;
        }
    }
}

TEST(DxfStreamFormat, SinkGetsTheWholeTextInLargeChunks)
{
    DxfStream kept;
    std::string received;
    std::vector<size_t> chunks;
    DxfStream sent([&](std::string_view chunk) {
        chunks.push_back(chunk.size());
        received.append(chunk);
        return true;
    });
    for (int i = 0; i < 300000; ++i) {
        kept.real(10, i * 0.5);
        sent.real(10, i * 0.5);
    }
    ASSERT_TRUE(kept.finish());
    ASSERT_TRUE(sent.finish());
    EXPECT_EQ(received, kept.takeText());
    EXPECT_EQ(sent.size(), received.size());
    ASSERT_GE(chunks.size(), 2u);
    for (size_t i = 0; i + 1 < chunks.size(); ++i)
        EXPECT_GE(chunks[i], DxfStream::kChunkSize);
}

TEST(DxfStreamFormat, RefusingSinkStopsTheWriting)
{
    int calls = 0;
    DxfStream out([&](std::string_view) { return ++calls > 1; });
    for (int i = 0; i < 300000; ++i)
        out.real(10, i * 0.5);
    EXPECT_FALSE(out.finish());
    EXPECT_TRUE(out.failed());
    EXPECT_EQ(calls, 1) << "nothing more is sent after a refusal";
}

TEST(DxfStreamFormat, LongMTextIsChunkedWithoutSplittingEscapes)
{
    std::string contents;
    for (int i = 0; i < 120; ++i)
        contents += "Długość → ";
    DxfStream out;
    out.mtextContents(contents);
    ASSERT_TRUE(out.finish());
    const auto pairs = dxfPairs(out.takeText());
    ASSERT_GE(pairs.size(), 2u);
    std::string joined;
    for (size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_EQ(pairs[i].code, i + 1 == pairs.size() ? 1 : 3);
        EXPECT_LE(pairs[i].value.size(), 250u);
        // Each chunk decodes on its own.
        for (size_t at = pairs[i].value.find("\\U+"); at != std::string::npos;
             at = pairs[i].value.find("\\U+", at + 1))
            EXPECT_LE(at + 7, pairs[i].value.size()) << "chunk " << i;
        joined += pairs[i].value;
    }
    EXPECT_EQ(joined, mtext(contents));
}
