#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "platform/db/entities/Finite.h"

namespace platform {

// What the value of a group code is, as the DXF format defines the ranges.
enum class DxfValueKind { Text, Real, Integer, Handle, Binary };

inline DxfValueKind dxfValueKind(int code)
{
    if (code == 5 || code == 105 || (code >= 320 && code <= 369) || (code >= 390 && code <= 399) ||
        code == 480 || code == 481 || code == 1005)
        return DxfValueKind::Handle;
    if ((code >= 310 && code <= 319) || code == 1004)
        return DxfValueKind::Binary;
    if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
        (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059))
        return DxfValueKind::Real;
    if ((code >= 60 && code <= 99) || (code >= 160 && code <= 179) || (code >= 270 && code <= 299) ||
        (code >= 370 && code <= 389) || (code >= 400 && code <= 409) || (code >= 420 && code <= 429) ||
        (code >= 440 && code <= 459) || (code >= 1060 && code <= 1071))
        return DxfValueKind::Integer;
    return DxfValueKind::Text;
}

// A value without the blanks some writers pad numbers with.
inline std::string_view dxfTrimmed(std::string_view v)
{
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
        v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t'))
        v.remove_suffix(1);
    return v;
}

// A number a drawing can hold (isDrawingNumber); false for anything else
// (NaN, infinity and numbers the writer would refuse included).
inline bool parseDxfReal(std::string_view text, double& value)
{
    std::string_view v = dxfTrimmed(text);
    if (!v.empty() && v.front() == '+')
        v.remove_prefix(1);
    if (v.empty())
        return false;
    // Most values have few digits: a whole number of them over a power of
    // ten, both exact in a double, divide to the correctly rounded value.
    constexpr int kExactDigits = 15;
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = v.front() == '-' ? 1 : 0;
    uint64_t mantissa = 0;
    int digits = 0, fraction = 0;
    bool point = false;
    for (; i < v.size(); ++i) {
        const char c = v[i];
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + uint64_t(c - '0');
            ++digits;
            fraction += point ? 1 : 0;
            if (digits > kExactDigits)
                break;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (i == v.size() && digits > 0) {
        const double magnitude = double(mantissa) / kPowersOfTen[fraction];
        value = v.front() == '-' ? -magnitude : magnitude;
        return true;
    }
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    return ec == std::errc() && end == v.data() + v.size() && isDrawingNumber(value);
}

// A whole number; some writers give integer codes a decimal part (".0"),
// which is taken when it is zero.
inline bool parseDxfInteger(std::string_view text, int64_t& value)
{
    std::string_view v = dxfTrimmed(text);
    if (!v.empty() && v.front() == '+')
        v.remove_prefix(1);
    if (v.empty())
        return false;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    if (ec != std::errc())
        return false;
    std::string_view rest(end, size_t(v.data() + v.size() - end));
    if (rest.empty())
        return true;
    if (rest.front() != '.')
        return false;
    rest.remove_prefix(1);
    for (const char c : rest)
        if (c != '0')
            return false;
    return true;
}

// A handle: hexadecimal digits, at most 16.
inline bool parseDxfHandle(std::string_view text, uint64_t& value)
{
    const std::string_view v = dxfTrimmed(text);
    if (v.empty() || v.size() > 16)
        return false;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value, 16);
    return ec == std::errc() && end == v.data() + v.size();
}

}  // namespace platform
