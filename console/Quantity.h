#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// An exact length (m) or area (m²) in thousandths: the descriptions print
// two decimals and the arrow catalogue's areas have at most three, so every
// figure read is exact and sums never drift as float sums would.
struct Quantity {
    int64_t thousandths = 0;

    Quantity& operator+=(Quantity other)
    {
        thousandths += other.thousandths;
        return *this;
    }
    friend Quantity operator+(Quantity a, Quantity b) { return a += b; }
    friend Quantity operator*(Quantity q, int64_t count) { return {q.thousandths * count}; }
    auto operator<=>(const Quantity&) const = default;
    double value() const { return double(thousandths) / 1000.0; }
};

// A figure as a description holds it: digits with "." or "," and at most
// three decimals, spaces around, and then optionally the unit (for example
// "1.20 m2"; "m2" and "m²" are one unit). Nothing for anything else: a sign,
// an exponent, more decimals, an empty text or more than nine digits
// before the mark, which no road drawing has.
std::optional<Quantity> parseQuantity(std::string_view text, std::string_view unit = "");

// Two decimals, or three when the thousandths are not zero; decimalMark
// between the whole part and the decimals.
std::string formatQuantity(Quantity q, char decimalMark);

// The product of two quantities, rounded half away from zero to thousandths and written
// as formatQuantity writes a quantity, whatever its size: the product of
// two of the largest figures does not fit in 64 bits.
std::string formatProduct(Quantity a, Quantity b, char decimalMark);
