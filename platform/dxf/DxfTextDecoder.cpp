#include "platform/dxf/DxfTextDecoder.h"

#include "platform/core/Utf8.h"

#include <iconv.h>

#include <cctype>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

bool needsWork(std::string_view text)
{
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b > 0x7E || c == '\\' || c == '^')
            return true;
    }
    return false;
}

bool hasHighBytes(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

std::string upper(std::string_view s)
{
    std::string u(s);
    for (char& c : u)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

// The iconv name of a code page as DXF headers name it.
std::string iconvName(std::string_view dxfName)
{
    const std::string name = upper(dxfName);
    const auto numberAfter = [&](std::string_view prefix) -> std::string {
        if (name.compare(0, prefix.size(), prefix) != 0 || name.size() == prefix.size())
            return {};
        const std::string digits = name.substr(prefix.size());
        for (const char c : digits)
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return {};
        return digits;
    };
    if (std::string n = numberAfter("ANSI_"); !n.empty())
        return n == "1361" ? "JOHAB" : "CP" + n;
    if (std::string n = numberAfter("DOS"); !n.empty())
        return "CP" + n;
    if (name.compare(0, 7, "ISO8859") == 0 && name.size() > 8)
        return "ISO-8859-" + name.substr(8);
    if (name == "MACINTOSH" || name == "BIG5" || name == "GB2312" || name == "JOHAB")
        return name;
    if (name == "KSC5601")
        return "EUC-KR";
    if (name == "UTF8" || name == "UTF-8")
        return "UTF-8";
    return {};
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Four hex digits at text[at]; -1 when they are not there.
long hex4(std::string_view text, size_t at)
{
    if (at + 4 > text.size())
        return -1;
    long v = 0;
    for (size_t i = at; i < at + 4; ++i) {
        const int d = hexDigit(text[i]);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

// What the decoder cannot spell (NUL, surrogates, beyond U+10FFFF) becomes '?'.
void appendDecoded(std::string& out, uint32_t cp)
{
    if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        out.push_back('?');
    else
        appendUtf8(out, char32_t(cp));
}

// The code page of a "\M+n" escape.
const char* multibyteCodePage(char n)
{
    switch (n) {
    case '1': return "CP932";
    case '2': return "CP950";
    case '3': return "CP949";
    case '4': return "JOHAB";
    case '5': return "CP936";
    default: return nullptr;
    }
}

}  // namespace

DxfTextDecoder::~DxfTextDecoder()
{
    for (auto& [name, cd] : m_converters)
        if (cd != kNoConverter)
            iconv_close(static_cast<iconv_t>(cd));
}

void DxfTextDecoder::setVersion(std::string_view acadver)
{
    // "AC1021" and later: the number after "AC" grows with each release.
    const std::string v = upper(acadver);
    m_utf8 = v.size() == 6 && v.compare(0, 2, "AC") == 0 && v.substr(2) >= "1021";
}

void DxfTextDecoder::setCodePage(std::string_view name)
{
    std::string codePage = iconvName(name);
    if (codePage.empty() || codePage == "UTF-8" || !converter(codePage))
        codePage = "CP1252";
    m_codePage = codePage;
}

void* DxfTextDecoder::converter(const std::string& codePage)
{
    auto it = m_converters.find(codePage);
    if (it == m_converters.end())
        it = m_converters.emplace(codePage, iconv_open("UTF-8", codePage.c_str())).first;
    return it->second == kNoConverter ? nullptr : it->second;
}

void DxfTextDecoder::convert(const std::string& codePage, std::string_view bytes, std::string& out)
{
    void* cd = converter(codePage);
    if (!cd) {
        for (const char c : bytes)
            out.push_back(static_cast<unsigned char>(c) < 0x80 ? c : '?');
        return;
    }
    iconv(static_cast<iconv_t>(cd), nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t r = iconv(static_cast<iconv_t>(cd), &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, size_t(dst - buffer));
        if (r == size_t(-1) && errno != E2BIG) {
            // A byte the code page does not define, or a sequence cut short.
            out.push_back('?');
            ++in;
            --inLeft;
            iconv(static_cast<iconv_t>(cd), nullptr, nullptr, nullptr, nullptr);
        }
    }
}

void DxfTextDecoder::decode(std::string_view text, std::string& out)
{
    if (!needsWork(text)) {
        out.assign(text);
        return;
    }
    // First the file's bytes as UTF-8, then the escapes.
    std::string_view src = text;
    if (hasHighBytes(text)) {
        m_scratch.clear();
        if (m_utf8) {
            for (size_t i = 0; i < text.size();) {
                const size_t n = decodeUtf8(text.substr(i)).length;
                if (n == 0) {
                    m_scratch.push_back('?');
                    ++i;
                } else {
                    m_scratch.append(text.substr(i, n));
                    i += n;
                }
            }
        } else {
            convert(m_codePage, text, m_scratch);
        }
        src = m_scratch;
    }
    out.clear();
    out.reserve(src.size());
    for (size_t i = 0; i < src.size(); ++i) {
        const char c = src[i];
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\' && i + 6 < src.size() && src[i + 1] == 'U' && src[i + 2] == '+') {
            const long unit = hex4(src, i + 3);
            if (unit >= 0) {
                uint32_t cp = uint32_t(unit);
                size_t used = 7;
                if (cp >= 0xD800 && cp <= 0xDBFF && src.substr(i + 7, 3) == "\\U+") {
                    const long low = hex4(src, i + 10);
                    if (low >= 0xDC00 && low <= 0xDFFF) {
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (uint32_t(low) - 0xDC00);
                        used = 14;
                    }
                }
                appendDecoded(out, cp);
                i += used - 1;
                continue;
            }
        }
        if (c == '\\' && i + 7 < src.size() && src[i + 1] == 'M' && src[i + 2] == '+') {
            const char* codePage = multibyteCodePage(src[i + 3]);
            const long pair = hex4(src, i + 4);
            if (codePage && pair >= 0) {
                const char bytes[2] = {char(pair >> 8), char(pair & 0xFF)};
                convert(codePage, pair > 0xFF ? std::string_view(bytes, 2) : std::string_view(bytes + 1, 1), out);
                i += 7;
                continue;
            }
        }
        if (c == '^' && i + 1 < src.size() && src[i + 1] >= 'A' && src[i + 1] <= '_') {
            out.push_back(char(src[i + 1] - 0x40));
            ++i;
            continue;
        }
        if (c == '^' && i + 1 < src.size() && src[i + 1] == ' ') {
            out.push_back('^');  // a caret itself
            ++i;
            continue;
        }
        if (b < 0x20 && c != '\t')
            out.push_back('?');  // a control byte in a value: garbage
        else
            out.push_back(c);
    }
}

}  // namespace platform
