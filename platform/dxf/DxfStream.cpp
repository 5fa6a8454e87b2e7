#include "platform/dxf/DxfStream.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/db/entities/Finite.h"
#include "platform/dxf/DxfText.h"

namespace platform {

namespace {

// Beyond this, integral doubles are formatted by the general routine; below
// it every integral double is exactly a 64-bit integer.
constexpr double kIntegralFastLimit = 9007199254740992.0;  // 2^53

char* formatHandle(char* out, uint64_t value)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    char text[16];
    int n = 0;
    do {
        text[15 - n++] = kHex[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::memcpy(out, text + 16 - n, size_t(n));
    return out + n;
}

// Code lines of the codes below 1000, right-aligned in three columns as CAD
// programs write them: "  0\n", " 10\n", "100\n".
const std::array<std::array<char, 4>, 1000>& shortCodeLines()
{
    static const auto table = [] {
        std::array<std::array<char, 4>, 1000> lines{};
        for (int c = 0; c < 1000; ++c) {
            lines[size_t(c)] = {' ', ' ', ' ', '\n'};
            int v = c, at = 2;
            do {
                lines[size_t(c)][size_t(at--)] = char('0' + v % 10);
                v /= 10;
            } while (v != 0);
        }
        return lines;
    }();
    return table;
}

}  // namespace

char* formatDxfReal(char* out, double value)
{
    if (!isDrawingNumber(value))
        return nullptr;
    // Coordinates are often whole numbers: integer formatting is much cheaper.
    if (value == std::trunc(value) && std::fabs(value) < kIntegralFastLimit && !(value == 0.0 && std::signbit(value))) {
        char* end = std::to_chars(out, out + kDxfRealMaxChars, int64_t(value)).ptr;
        *end++ = '.';
        *end++ = '0';
        return end;
    }
    const auto [end, ec] = std::to_chars(out, out + kDxfRealMaxChars - 2, value);
    if (ec != std::errc())
        return nullptr;
    // Some readers take a value without a point for an integer.
    for (const char* p = out; p != end; ++p)
        if (*p == '.' || *p == 'e')
            return end;
    end[0] = '.';
    end[1] = '0';
    return end + 2;
}

bool appendDxfReal(std::string& out, double value)
{
    char text[kDxfRealMaxChars];
    const char* end = formatDxfReal(text, value);
    if (!end)
        return false;
    out.append(text, size_t(end - text));
    return true;
}

void appendDxfHandle(std::string& out, uint64_t value)
{
    char text[16];
    out.append(text, formatHandle(text, value));
}

void DxfStream::grow(size_t n)
{
    if (m_buffer.empty())
        m_buffer.resize(kChunkSize + kChunkSize / 4);
    // Values are added whole; a chunk may end up a little past kChunkSize.
    if (m_sink && m_used >= kChunkSize) {
        if (!m_sinkFailed)
            m_sinkFailed = !m_sink(std::string_view(m_buffer.data(), m_used));
        m_sent += m_used;
        m_used = 0;
    }
    if (m_used + n > m_buffer.size())
        m_buffer.resize(std::max(m_buffer.size() * 2, m_used + n));
}

void DxfStream::code(int c)
{
    if (c >= 0 && c < 1000) {
        std::memcpy(room(4), shortCodeLines()[size_t(c)].data(), 4);
        m_used += 4;
        return;
    }
    char* start = room(16);
    char* end = std::to_chars(start, start + 15, c).ptr;
    *end++ = '\n';
    m_used = size_t(end - m_buffer.data());
}

void DxfStream::append(std::string_view bytes)
{
    std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
    m_used += bytes.size();
}

void DxfStream::endLine()
{
    *room(1) = '\n';
    ++m_used;
}

void DxfStream::text(int c, std::string_view utf8)
{
    code(c);
    if (isPlainDxfText(utf8)) {
        append(utf8);
    } else {
        m_scratch.clear();
        appendDxfText(m_scratch, utf8);
        append(m_scratch);
    }
    endLine();
}

void DxfStream::mtextContents(std::string_view utf8)
{
    // What CAD programs put in one code-3 chunk.
    constexpr size_t kChunkChars = 250;
    std::string encoded;
    appendDxfMTextContents(encoded, utf8);
    size_t start = 0;
    while (encoded.size() - start > kChunkChars) {
        size_t cut = start + kChunkChars;
        // Readers that decode "\U+XXXX" chunk by chunk need each escape whole,
        // and a caret with the character it goes with.
        for (size_t back = 1; back <= 6 && cut - back > start; ++back) {
            const size_t at = cut - back;
            if (encoded.compare(at, 3, "\\U+") == 0) {
                cut = at;
                break;
            }
        }
        // A caret and its character ("^J", "^ ") go together.
        size_t at = start;
        while (at < cut)
            at += encoded[at] == '^' ? 2 : 1;
        if (at > cut && at - 2 > start)
            cut = at - 2;
        word(3, std::string_view(encoded).substr(start, cut - start));
        start = cut;
    }
    word(1, std::string_view(encoded).substr(start));
}

void DxfStream::word(int c, std::string_view value)
{
    code(c);
    append(value);
    endLine();
}

char* DxfStream::formatReal(char* out, double value)
{
    if (value == std::trunc(value))
        return formatDxfReal(out, value);  // whole numbers are cheap already
    const auto bits = std::bit_cast<uint64_t>(value);
    if (!m_recentReals)
        m_recentReals = std::make_unique<std::array<RecentReal, kRecentReals>>();
    // Fibonacci hashing: the top bits of the product depend on every bit.
    constexpr uint64_t kSpread = 0x9E3779B97F4A7C15ull;
    RecentReal& recent = (*m_recentReals)[size_t((bits * kSpread) >> 56) & (kRecentReals - 1)];
    if (recent.length != 0 && recent.bits == bits) {
        std::memcpy(out, recent.text, kDxfRealMaxChars);
        return out + recent.length;
    }
    char* end = formatDxfReal(out, value);
    if (end) {
        recent.bits = bits;
        recent.length = uint8_t(end - out);
        std::memcpy(recent.text, out, recent.length);
    }
    return end;
}

void DxfStream::real(int c, double value)
{
    code(c);
    char* start = room(kDxfRealMaxChars + 1);
    char* end = formatReal(start, value);
    if (!end) {
        if (m_valueError.empty()) {
            if (m_objectKind) {
                m_valueError = m_objectKind;
                m_valueError += ' ';
                appendDxfHandle(m_valueError, m_objectHandle);
                m_valueError += ": ";
            }
            m_valueError += "a number that is not finite or beyond ±1e100 (group code " + std::to_string(c) + ")";
        }
        std::memcpy(start, "0.0", 3);
        end = start + 3;
    }
    *end++ = '\n';
    m_used = size_t(end - m_buffer.data());
}

void DxfStream::angle(int c, double radians)
{
    const double degrees = radians * (180.0 / std::numbers::pi);
    if (!isDrawingNumber(degrees)) {
        real(c, degrees);  // reports it
        return;
    }
    // The conversion is not exact anyway; 15 digits give 30.0 rather than
    // 29.999999999999996, and a value read back and written again stays put.
    constexpr int kAngleDigits = 15;
    code(c);
    char* start = room(kDxfRealMaxChars + 3);
    char* end = std::to_chars(start, start + kDxfRealMaxChars, degrees, std::chars_format::general, kAngleDigits).ptr;
    if (std::find_if(start, end, [](char ch) { return ch == '.' || ch == 'e'; }) == end) {
        *end++ = '.';
        *end++ = '0';
    }
    *end++ = '\n';
    m_used = size_t(end - m_buffer.data());
}

void DxfStream::integer(int c, int64_t value)
{
    code(c);
    char* start = room(24);
    char* end = std::to_chars(start, start + 23, value).ptr;
    *end++ = '\n';
    m_used = size_t(end - m_buffer.data());
}

void DxfStream::handle(int c, uint64_t value)
{
    code(c);
    char* end = formatHandle(room(17), value);
    *end++ = '\n';
    m_used = size_t(end - m_buffer.data());
}

void DxfStream::point(int c, double x, double y, double z)
{
    real(c, x);
    real(c + 10, y);
    real(c + 20, z);
}

void DxfStream::point(int c, double x, double y)
{
    real(c, x);
    real(c + 10, y);
}

bool DxfStream::finish()
{
    if (m_sink && m_used > 0) {
        if (!m_sinkFailed)
            m_sinkFailed = !m_sink(std::string_view(m_buffer.data(), m_used));
        m_sent += m_used;
        m_used = 0;
    }
    return !failed();
}

}  // namespace platform
