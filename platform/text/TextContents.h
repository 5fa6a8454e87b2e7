#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// What a text entity shows, without its codes: the characters to measure
// and draw, as code points.

// A multi-line text's contents in paragraphs: "\P" (and a line feed) break
// them; "\\", "\{", "\}" and "\~" (a space that does not break) are
// characters; "\S a^b;" shows as a/b (a break ends it too); "%%d", "%%p", "%%c" are the degree,
// plus-minus and diameter signs; braces and the other codes (\L, \O, \K,
// \H…;, \W…;, \f…;, \C…; and the like) show nothing. Inline changes of
// height, width and font are not applied: the text keeps its own.
std::vector<std::u32string> mtextParagraphs(std::string_view contents);

// A single-line text's string: the %% codes as above, "%%u", "%%o" and
// "%%k" (underline, overline, strike-through) showing nothing.
std::u32string singleLineCharacters(std::string_view text);

// Code points as UTF-8.
std::string utf8Of(std::u32string_view text);

}  // namespace platform
