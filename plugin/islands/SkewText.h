#pragma once

#include <optional>
#include <string>
#include <string_view>

// The skew of an island written as a ratio "a:b".

// The number at the start of the text as the C library's atof reads it:
// leading blanks skipped, reading stops at the first character that is not
// part of the number, no number at all is 0. The decimal point is "." in
// any locale.
double LeadingNumber(std::string_view text);

// The skew angle atan(a / b) in radians of the text "a:b", each side read
// by LeadingNumber. None when the text has no ":" or begins with it: such a
// text draws nothing. Any other text gives an angle, which may be 0, 90
// degrees, negative or NaN; the constructions refuse those.
std::optional<double> ReadSkewAngle(const std::string& text);
