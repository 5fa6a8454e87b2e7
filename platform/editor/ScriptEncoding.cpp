#include "platform/editor/ScriptEncoding.h"

#include "platform/core/Utf8.h"
#include "platform/win/TextEncodings.h"

namespace platform {

namespace {

constexpr std::string_view kSaveAsUtf8 = ": zapisz skrypt w UTF-8";

// Zero bytes in a text: UTF-16 when they fill every second byte (the high
// halves of Latin letters), which half telling the byte order.
std::string zeroBytesFault(std::string_view line)
{
    size_t even = 0, odd = 0;
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '\0')
            ++(i % 2 == 0 ? even : odd);
    const size_t halves = line.size() / 2;
    if (odd > 0 && even == 0 && odd * 2 >= halves)
        return "skrypt jest w UTF-16LE, nie w UTF-8" + std::string(kSaveAsUtf8);
    if (even > 0 && odd == 0 && even * 2 >= halves)
        return "skrypt jest w UTF-16BE, nie w UTF-8" + std::string(kSaveAsUtf8);
    return "wiersz zawiera bajty zerowe: to nie jest plik tekstowy";
}

}  // namespace

std::string scriptLineEncodingFault(std::string_view line)
{
    if (line.starts_with("\xFF\xFE") || line.starts_with("\xFE\xFF"))
        return "skrypt jest w UTF-16 (ze znacznikiem kolejności bajtów), nie w UTF-8" + std::string(kSaveAsUtf8);
    if (line.find('\0') != std::string_view::npos)
        return zeroBytesFault(line);
    // A CR left inside a line: the file ends its lines with CR alone.
    if (line.find('\r') != std::string_view::npos)
        return "wiersze kończą się samym znakiem CR (jak w starym Mac OS): zapisz skrypt z końcami wierszy LF "
               "lub CR LF";
    if (isWellFormedUtf8(line))
        return {};
    // Every byte a letter of code page 1250 (none left undefined by it):
    // the Polish Windows editors' encoding, by far the likeliest.
    if (utf8FromCp1250(line).find("\uFFFD") == std::string::npos)
        return "wiersz nie jest w UTF-8 (wygląda na Windows-1250)" + std::string(kSaveAsUtf8);
    return "wiersz nie jest poprawnym tekstem UTF-8" + std::string(kSaveAsUtf8);
}

}  // namespace platform
