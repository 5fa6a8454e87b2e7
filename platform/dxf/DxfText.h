#pragma once

#include <string>
#include <string_view>

namespace platform {

// How texts of a drawing (UTF-8) are spelled in an R2000 DXF file written
// in code page 1250 ($DWGCODEPAGE ANSI_1250), as CAD programs of that
// release write them:
// - a character the code page holds (every Polish letter) is its byte;
// - any other code point above 0x7E becomes "\U+XXXX" (four upper-case hex
//   digits); code points beyond 0xFFFF become two such escapes, the UTF-16
//   surrogate pair, as programs that keep texts in UTF-16 write them;
// - control characters (below 0x20) use caret notation ("^J" for a line
//   feed), so that a value never breaks its line;
// - a byte that does not start a well-formed UTF-8 sequence becomes '?'
//   (the database's setters refuse such texts, so only a text that went
//   round them can carry one);
// - a caret is written "^ " and a backslash that would start an escape
//   ("\U+XXXX", "\M+nXXXX") is written "\U+005C", so that every text
//   reads back as it was.

// Whether a text can be written as it is (printable ASCII, neither caret
// nor backslash).
bool isPlainDxfText(std::string_view utf8);

// Appends the DXF spelling of a UTF-8 text.
void appendDxfText(std::string& out, std::string_view utf8);
std::string dxfText(std::string_view utf8);

// MTEXT contents: as above, but a line break ("\n", "\r\n" or "\r") becomes
// the paragraph break "\P", and a lone backslash before it is doubled, so
// that the text shows the same lines when read back.
void appendDxfMTextContents(std::string& out, std::string_view utf8);

}  // namespace platform
