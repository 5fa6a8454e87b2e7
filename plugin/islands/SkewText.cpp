#include "islands/SkewText.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

// strtod in the "C" locale, so that a drawing made under a Polish locale
// still reads "1.5" as one and a half. Made once, kept for the process.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

double LeadingNumber(std::string_view text)
{
    const std::string copy(text);  // strtod needs its terminating zero
    if (const locale_t locale = cLocale())
        return strtod_l(copy.c_str(), nullptr, locale);
    return std::strtod(copy.c_str(), nullptr);
}

std::optional<double> ReadSkewAngle(const std::string& text)
{
    const std::string::size_type colon = text.find(':');
    if (colon == std::string::npos || colon == 0)
        return std::nullopt;
    const double a = LeadingNumber(std::string_view(text).substr(0, colon));
    const double b = LeadingNumber(std::string_view(text).substr(colon + 1));
    return std::atan(a / b);
}
