#pragma once

#include <string>

// Appends the UTF-8 spelling of a code point; the caller decides what to do
// with surrogates and values beyond U+10FFFF before calling.
void appendUtf8(std::string& out, char32_t cp);
