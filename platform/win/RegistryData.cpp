#include "platform/win/RegistryData.h"

#include <algorithm>
#include <cctype>

#include "WinRegistry.h"
#include "platform/win/TextEncodings.h"

namespace platform {

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool startsWithKey(std::string_view path, std::string_view prefix)
{
    return path.size() > prefix.size() && path[prefix.size()] == '\\' &&
           sameRegistryName(path.substr(0, prefix.size()), prefix);
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The hives a .reg file may name, in full as the registry editor writes them.
bool isHiveName(std::string_view name)
{
    static constexpr std::string_view hives[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                                 "HKEY_USERS", "HKEY_CURRENT_CONFIG"};
    return std::any_of(std::begin(hives), std::end(hives), [&](std::string_view h) { return sameRegistryName(h, name); });
}

bool validKeyPath(std::string_view path)
{
    if (path.empty() || path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string_view::npos)
        return false;
    return isHiveName(path.substr(0, path.find('\\')));
}

std::vector<uint8_t> textData(const std::string& utf8)
{
    std::vector<uint8_t> data(utf8.begin(), utf8.end());
    data.push_back(0);
    return data;
}

// A quoted string at the start of s: its text, and s moved past it.
std::optional<std::string> takeQuoted(std::string_view& s)
{
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string text;
    size_t i = 1;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"')
            break;
        if (c == '\\' && i + 1 < s.size()) {
            text += s[++i];
            continue;
        }
        text += c;
    }
    if (i >= s.size())
        return std::nullopt;
    s.remove_prefix(i + 1);
    return text;
}

std::optional<std::vector<uint8_t>> hexBytes(std::string_view s)
{
    std::vector<uint8_t> bytes;
    s = trim(s);
    if (s.empty())
        return bytes;
    size_t pos = 0;
    while (true) {
        const size_t comma = s.find(',', pos);
        const std::string_view item = trim(s.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos));
        if (item.empty() || item.size() > 2 || !std::all_of(item.begin(), item.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
            return std::nullopt;
        bytes.push_back(uint8_t(std::stoul(std::string(item), nullptr, 16)));
        if (comma == std::string_view::npos)
            break;
        pos = comma + 1;
    }
    return bytes;
}

// The data of a value as the file spells it; false when it is malformed.
bool parseData(std::string_view spelled, bool unicodeFile, RegistryValue& value, std::string& problem)
{
    if (!spelled.empty() && spelled.front() == '"') {
        std::string_view rest = spelled;
        const auto text = takeQuoted(rest);
        if (!text || !trim(rest).empty()) {
            problem = "a text value needs its closing quote and nothing after it";
            return false;
        }
        value.type = REG_SZ;
        value.data = textData(*text);
        return true;
    }
    if (spelled.substr(0, 6) == "dword:") {
        const std::string_view digits = spelled.substr(6);
        if (digits.empty() || digits.size() > 8 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
            problem = "dword: needs up to eight hexadecimal digits";
            return false;
        }
        const uint32_t n = uint32_t(std::stoul(std::string(digits), nullptr, 16));
        value.type = REG_DWORD;
        value.data = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
        return true;
    }
    if (spelled.substr(0, 3) == "hex") {
        std::string_view rest = spelled.substr(3);
        uint32_t type = REG_BINARY;
        if (!rest.empty() && rest.front() == '(') {
            const size_t close = rest.find(')');
            const std::string_view digits = close == std::string_view::npos ? std::string_view() : rest.substr(1, close - 1);
            if (digits.empty() || digits.size() > 8 ||
                !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
                problem = "hex(type): needs the type in hexadecimal";
                return false;
            }
            type = uint32_t(std::stoul(std::string(digits), nullptr, 16));
            rest.remove_prefix(close + 1);
        }
        if (rest.empty() || rest.front() != ':') {
            problem = "hex values are written hex:00,01,...";
            return false;
        }
        const auto bytes = hexBytes(rest.substr(1));
        if (!bytes) {
            problem = "hex values are bytes of two hexadecimal digits separated by commas";
            return false;
        }
        value.type = type;
        value.data = *bytes;
        // Texts stored as bytes are UTF-16 in a Unicode file: the "A"
        // functions give them in the narrow encoding.
        if (type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
            const std::string raw(value.data.begin(), value.data.end());
            const std::string utf8 = unicodeFile ? utf8FromUtf16le(raw) : utf8FromCp1250(raw);
            value.data.assign(utf8.begin(), utf8.end());
        }
        return true;
    }
    problem = "a value is \"text\", dword:, hex: or - (to remove it)";
    return false;
}

}  // namespace

bool sameRegistryName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

const RegistryValue* RegistryKeyData::find(std::string_view valueName) const
{
    for (const RegistryValue& v : values)
        if (sameRegistryName(v.name, valueName))
            return &v;
    return nullptr;
}

bool RegistryData::hasKey(std::string_view path) const
{
    return std::any_of(m_keys.begin(), m_keys.end(), [&](const RegistryKeyData& k) {
        return sameRegistryName(k.path, path) || startsWithKey(k.path, path);
    });
}

const RegistryKeyData* RegistryData::key(std::string_view path) const
{
    for (const RegistryKeyData& k : m_keys)
        if (sameRegistryName(k.path, path))
            return &k;
    return nullptr;
}

RegistryKeyData& RegistryData::addKey(std::string_view path)
{
    for (RegistryKeyData& k : m_keys)
        if (sameRegistryName(k.path, path))
            return k;
    return m_keys.emplace_back(RegistryKeyData{std::string(path), {}});
}

void RegistryData::removeKey(std::string_view path)
{
    std::erase_if(m_keys, [&](const RegistryKeyData& k) { return sameRegistryName(k.path, path) || startsWithKey(k.path, path); });
}

void RegistryData::setValue(std::string_view keyPath, RegistryValue value)
{
    RegistryKeyData& k = addKey(keyPath);
    for (RegistryValue& v : k.values)
        if (sameRegistryName(v.name, value.name)) {
            v = std::move(value);
            return;
        }
    k.values.push_back(std::move(value));
}

void RegistryData::removeValue(std::string_view keyPath, std::string_view valueName)
{
    for (RegistryKeyData& k : m_keys)
        if (sameRegistryName(k.path, keyPath))
            std::erase_if(k.values, [&](const RegistryValue& v) { return sameRegistryName(v.name, valueName); });
}

std::optional<RegistryData> parseRegistryText(std::string_view text, std::string& error)
{
    // Physical lines, with the number of the first line of each logical one.
    std::vector<std::pair<size_t, std::string>> lines;
    {
        size_t number = 0, pos = 0;
        bool continuing = false;
        while (pos <= text.size()) {
            const size_t end = std::min(text.find('\n', pos), text.size());
            std::string_view line = text.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            ++number;
            if (continuing)
                lines.back().second += std::string(trim(line));
            else
                lines.emplace_back(number, std::string(line));
            // A hex value goes on over lines that end in a backslash.
            std::string& logical = lines.back().second;
            const std::string_view t = trim(logical);
            continuing = !t.empty() && t.back() == '\\' && t.find("=hex") != std::string_view::npos;
            if (continuing)
                logical.erase(logical.find_last_of('\\'));
            if (end >= text.size())
                break;
            pos = end + 1;
        }
    }

    RegistryData data;
    bool headerSeen = false, unicodeFile = true;
    std::optional<std::string> currentKey;  // nullopt after a removed key: its values are skipped
    bool skippingRemoved = false;
    for (const auto& [number, raw] : lines) {
        const std::string_view line = trim(raw);
        const auto fail = [&, n = number](const std::string& problem) {
            error = "line " + std::to_string(n) + ": " + problem;
            return std::nullopt;
        };
        if (line.empty() || line.front() == ';')
            continue;
        if (!headerSeen) {
            if (line == "Windows Registry Editor Version 5.00")
                unicodeFile = true;
            else if (line == "REGEDIT4")
                unicodeFile = false;
            else
                return fail("a registry file begins with \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\"");
            headerSeen = true;
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']')
                return fail("a key line ends with ']'");
            std::string_view path = line.substr(1, line.size() - 2);
            const bool removing = !path.empty() && path.front() == '-';
            if (removing)
                path.remove_prefix(1);
            if (!validKeyPath(path))
                return fail("\"" + std::string(path) + "\" is not a key path below one of the HKEY_... hives");
            if (removing) {
                data.removeKey(path);
                currentKey.reset();
                skippingRemoved = true;
            } else {
                data.addKey(path);
                currentKey = std::string(path);
                skippingRemoved = false;
            }
            continue;
        }
        if (!currentKey) {
            if (skippingRemoved)
                continue;
            return fail("a value comes before any [key] line");
        }
        RegistryValue value;
        std::string_view rest = line;
        if (rest.front() == '@') {
            rest.remove_prefix(1);
        } else {
            const auto name = takeQuoted(rest);
            if (!name)
                return fail("a value line begins with \"name\" or @");
            value.name = *name;
        }
        rest = trim(rest);
        if (rest.empty() || rest.front() != '=')
            return fail("'=' expected after the value's name");
        rest = trim(rest.substr(1));
        if (rest == "-") {
            data.removeValue(*currentKey, value.name);
            continue;
        }
        std::string problem;
        if (!parseData(rest, unicodeFile, value, problem))
            return fail(problem);
        data.setValue(*currentKey, std::move(value));
    }
    if (!headerSeen) {
        error = "an empty file is not a registry file";
        return std::nullopt;
    }
    return data;
}

std::string quotedRegistryString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

}  // namespace platform
