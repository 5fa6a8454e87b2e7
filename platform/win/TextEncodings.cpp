#include "platform/win/TextEncodings.h"

#include "platform/core/Utf8.h"

#include <cstdint>
#include <vector>

namespace platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code page 1250 from 0x80 to 0xFF; 0 where the code page defines nothing.
constexpr char16_t kCp1250High[128] = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// The code points of the upper half run up to U+2122 (the trade mark sign).
constexpr char32_t kCp1250HighestCodePoint = 0x2122;

}  // namespace

int cp1250ByteOf(char32_t codePoint)
{
    if (codePoint < 0x80)
        return int(codePoint);
    if (codePoint > kCp1250HighestCodePoint)
        return -1;
    // The upper half turned round, built on first use: code point -> byte (0: none).
    static const std::vector<unsigned char> bytes = [] {
        std::vector<unsigned char> table(kCp1250HighestCodePoint + 1, 0);
        for (size_t i = 0; i < 128; ++i)
            if (kCp1250High[i])
                table[kCp1250High[i]] = static_cast<unsigned char>(0x80 + i);
        return table;
    }();
    const unsigned char b = bytes[codePoint];
    return b ? int(b) : -1;
}

std::string utf8FromCp1250(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
            continue;
        }
        const char16_t cp = kCp1250High[b - 0x80];
        appendUtf8(out, cp ? cp : kReplacement);
    }
    return out;
}

std::string utf8FromUtf16le(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const size_t units = bytes.size() / 2;
    auto unitAt = [&](size_t i) {
        return char16_t(static_cast<unsigned char>(bytes[2 * i]) | (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    };
    for (size_t i = 0; i < units; ++i) {
        const char16_t u = unitAt(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const char16_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? kReplacement : char32_t(u));
    }
    return out;
}

std::string utf8FromWindowsText(std::string_view bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
        return utf8FromUtf16le(bytes.substr(2));
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (isWellFormedUtf8(bytes))
        return std::string(bytes);
    return utf8FromCp1250(bytes);
}

}  // namespace platform
