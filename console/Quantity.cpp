#include "console/Quantity.h"

#include <cstdio>

namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool removeSuffix(std::string_view& s, std::string_view suffix)
{
    if (suffix.empty() || !s.ends_with(suffix))
        return false;
    s.remove_suffix(suffix.size());
    return true;
}

// Whole metres have at most this many digits: a million kilometres, far
// beyond any drawing, so that the sums of a million such figures still fit
// in 64 bits.
constexpr size_t kMaxWholeDigits = 9;

}  // namespace

std::optional<Quantity> parseQuantity(std::string_view text, std::string_view unit)
{
    std::string_view s = trimmed(text);
    if (!unit.empty() && (removeSuffix(s, unit) || (unit == "m2" && removeSuffix(s, "m²"))))
        s = trimmed(s);
    int64_t whole = 0;
    size_t digits = 0;
    size_t i = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++digits)
        whole = whole * 10 + (s[i] - '0');
    if (digits == 0 || digits > kMaxWholeDigits)
        return std::nullopt;
    int64_t fraction = 0;
    int decimals = 0;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++decimals)
            fraction = fraction * 10 + (s[i] - '0');
        if (decimals == 0 || decimals > 3)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    for (; decimals < 3; ++decimals)
        fraction *= 10;
    return Quantity{whole * 1000 + fraction};
}

namespace {

__extension__ using Wide = unsigned __int128;

// A magnitude in thousandths, with its sign, as formatQuantity writes it.
std::string formatThousandths(bool negative, Wide magnitude, char decimalMark)
{
    std::string whole;
    Wide units = magnitude / 1000;
    do {
        whole.insert(whole.begin(), char('0' + int(units % 10)));
        units /= 10;
    } while (units != 0);
    const unsigned fraction = unsigned(magnitude % 1000);
    char decimals[8];
    if (fraction % 10 == 0)
        std::snprintf(decimals, sizeof decimals, "%c%02u", decimalMark, fraction / 10);
    else
        std::snprintf(decimals, sizeof decimals, "%c%03u", decimalMark, fraction);
    return (negative ? "-" : "") + whole + decimals;
}

Wide magnitudeOf(int64_t value) { return value < 0 ? Wide(-(value + 1)) + 1 : Wide(value); }

}  // namespace

std::string formatQuantity(Quantity q, char decimalMark)
{
    return formatThousandths(q.thousandths < 0, magnitudeOf(q.thousandths), decimalMark);
}

std::string formatProduct(Quantity a, Quantity b, char decimalMark)
{
    // Thousandths times thousandths are millionths; both magnitudes are
    // below 2^63, so their product fits 128 bits unsigned.
    const Wide millionths = magnitudeOf(a.thousandths) * magnitudeOf(b.thousandths);
    const Wide rounded = (millionths + 500) / 1000;
    return formatThousandths((a.thousandths < 0) != (b.thousandths < 0) && rounded != 0, rounded, decimalMark);
}
