#include "platform/editor/ScriptLine.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "platform/editor/LineText.h"

namespace platform {

namespace {

// Digits a decimal may have for the quick reading: 10^15 < 2^53, so the
// digits as a whole number are exactly a double.
constexpr int kQuickDigits = 15;
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Reads the digits at p (up to end) into digits; returns where they stop.
// More than 19 digits wrap around, but the caller refuses those by count.
const char* readDigits(const char* p, const char* end, uint64_t& digits)
{
    for (; p != end && static_cast<unsigned char>(*p - '0') < 10; ++p)
        digits = digits * 10 + uint64_t(*p - '0');
    return p;
}

// "-12.5" and the like, as scripts hold them: the digits as a whole number
// divided by a power of ten, both exact, so the one rounding of the division
// gives the same double as a full decimal reading. Nothing for any other
// form (exponents, many digits, "5.", ".5"), which the full reading takes.
std::optional<double> quickDecimal(std::string_view text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    if (negative)
        ++p;
    uint64_t digits = 0;
    const char* const whole = p;
    p = readDigits(p, end, digits);
    const ptrdiff_t wholeDigits = p - whole;
    ptrdiff_t afterPoint = 0;
    if (p != end && *p == '.') {
        const char* const fraction = ++p;
        p = readDigits(p, end, digits);
        afterPoint = p - fraction;
        if (afterPoint == 0)
            return std::nullopt;
    }
    if (p != end || wholeDigits == 0 || wholeDigits + afterPoint > kQuickDigits)
        return std::nullopt;
    const double value = double(digits) / kPowersOfTen[afterPoint];
    return negative ? -value : value;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text)
{
    text = trimmed(text);
    // from_chars takes no leading '+'; a second sign after it is still refused.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-'))
            return std::nullopt;
    }
    if (text.empty())
        return std::nullopt;
    if (const auto quick = quickDecimal(text))
        return quick;
    // Only plain decimal notation: refuse "inf", "nan" and the like.
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+'))
            return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<ZcGePoint3d> parsePoint(std::string_view text)
{
    text = trimmed(text);
    double xyz[3] = {0.0, 0.0, 0.0};
    size_t count = 0;
    for (;;) {
        const size_t comma = text.find(',');
        if (count == 3 || (comma == std::string_view::npos && count == 0))
            return std::nullopt;  // more than three parts, or only one
        const auto value = parseNumber(text.substr(0, comma));
        if (!value)
            return std::nullopt;
        xyz[count++] = *value;
        if (comma == std::string_view::npos)
            return ZcGePoint3d(xyz[0], xyz[1], xyz[2]);
        text.remove_prefix(comma + 1);
    }
}

ScriptLine parseScriptLine(std::string_view raw)
{
    ScriptLine line;
    const std::string_view text = trimmed(raw);
    line.text = std::string(text);

    if (text.empty()) {
        line.kind = ScriptLine::Kind::Enter;
        return line;
    }
    if (text.front() == ';') {
        line.kind = ScriptLine::Kind::Comment;
        return line;
    }
    if (equalsIgnoringCase(text, "*cancel*")) {
        line.kind = ScriptLine::Kind::Cancel;
        return line;
    }
    if (const auto point = parsePoint(text)) {
        line.kind = ScriptLine::Kind::Point;
        line.point = *point;
        return line;
    }
    if (const auto number = parseNumber(text)) {
        line.kind = ScriptLine::Kind::Number;
        line.number = *number;
        return line;
    }

    std::string_view rest = raw;
    const std::string first = asciiLower(takeWord(rest));
    if (first == "pick" || first == "click") {
        if (const auto point = parsePoint(rest)) {
            line.kind = first == "pick" ? ScriptLine::Kind::Pick : ScriptLine::Kind::Click;
            line.point = *point;
        } else {
            line.kind = ScriptLine::Kind::Malformed;
            line.error = first + ": oczekiwano punktu x,y lub x,y,z";
        }
        return line;
    }
    if (first == "dlg") {
        if (auto action = parseDialogAction(rest, line.error)) {
            line.kind = ScriptLine::Kind::Dialog;
            line.dialog = std::move(action);
        } else {
            line.kind = ScriptLine::Kind::Malformed;
        }
        return line;
    }
    line.kind = ScriptLine::Kind::Text;
    return line;
}

}  // namespace platform
