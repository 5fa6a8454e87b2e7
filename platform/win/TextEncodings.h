#pragma once

#include <string>
#include <string_view>

namespace platform {

// The encodings Windows text files come in, turned into UTF-8: the ANSI
// code page of Polish Windows (1250) and UTF-16 little-endian (what the
// registry editor writes).

// A byte string in code page 1250 as UTF-8; bytes the code page leaves
// undefined become U+FFFD.
std::string utf8FromCp1250(std::string_view bytes);

// The code page 1250 byte of a code point, or -1 when the code page does not
// hold it. ASCII is its own byte.
int cp1250ByteOf(char32_t codePoint);

// UTF-16LE code units (an odd last byte is ignored) as UTF-8; unpaired
// surrogates become U+FFFD.
std::string utf8FromUtf16le(std::string_view bytes);

// A text file's bytes as UTF-8: a UTF-16LE byte-order mark selects
// UTF-16LE, a UTF-8 one is dropped, well-formed UTF-8 is kept, anything
// else is read as code page 1250.
std::string utf8FromWindowsText(std::string_view bytes);

}  // namespace platform
