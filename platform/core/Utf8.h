#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ZrxExport.h"

namespace platform {

// Appends the UTF-8 spelling of a code point; the caller decides what to do
// with surrogates and values beyond U+10FFFF before calling.
void appendUtf8(std::string& out, char32_t cp);

// The code point at the front of a text and its length in bytes; length 0
// when the front is not a well-formed sequence (a stray continuation byte,
// an overlong form, an encoded surrogate, beyond U+10FFFF, cut short) or
// the text is empty.
struct Utf8Char {
    char32_t codePoint = 0;
    size_t length = 0;
};
Utf8Char decodeUtf8(std::string_view text);

// Whether every byte of the text belongs to a well-formed sequence.
ZRX_EXPORT bool isWellFormedUtf8(std::string_view text);

}  // namespace platform
