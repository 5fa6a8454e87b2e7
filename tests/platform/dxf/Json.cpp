#include "tests/platform/dxf/Json.h"

#include <cstdlib>
#include <stdexcept>

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : m_text(text) {}

    Json document()
    {
        Json value = parseValue();
        skipSpace();
        if (m_pos != m_text.size())
            fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void fail(const char* what) const
    {
        throw std::runtime_error(std::string("JSON: ") + what + " at offset " + std::to_string(m_pos));
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\n' || m_text[m_pos] == '\r' ||
                                         m_text[m_pos] == '\t'))
            ++m_pos;
    }

    bool take(std::string_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }

    Json parseValue()
    {
        skipSpace();
        if (m_pos >= m_text.size())
            fail("unexpected end");
        Json v;
        const char c = m_text[m_pos];
        if (c == '{') {
            ++m_pos;
            v.m_kind = Json::Kind::Object;
            skipSpace();
            if (take("}"))
                return v;
            for (;;) {
                skipSpace();
                if (m_pos >= m_text.size() || m_text[m_pos] != '"')
                    fail("expected a key");
                std::string key = parseString();
                skipSpace();
                if (!take(":"))
                    fail("expected ':'");
                v.m_object[key] = parseValue();
                skipSpace();
                if (take("}"))
                    return v;
                if (!take(","))
                    fail("expected ',' or '}'");
            }
        }
        if (c == '[') {
            ++m_pos;
            v.m_kind = Json::Kind::Array;
            skipSpace();
            if (take("]"))
                return v;
            for (;;) {
                v.m_array.push_back(parseValue());
                skipSpace();
                if (take("]"))
                    return v;
                if (!take(","))
                    fail("expected ',' or ']'");
            }
        }
        if (c == '"') {
            v.m_kind = Json::Kind::String;
            v.m_string = parseString();
            return v;
        }
        if (take("true")) {
            v.m_kind = Json::Kind::Bool;
            v.m_bool = true;
            return v;
        }
        if (take("false")) {
            v.m_kind = Json::Kind::Bool;
            return v;
        }
        if (take("null"))
            return v;
        // Python writes these for non-finite floats.
        if (take("NaN") || take("Infinity") || take("-Infinity"))
            fail("non-finite number");
        const std::string rest(m_text.substr(m_pos, 64));
        char* end = nullptr;
        v.m_number = std::strtod(rest.c_str(), &end);
        if (end == rest.c_str())
            fail("unexpected character");
        m_pos += size_t(end - rest.c_str());
        v.m_kind = Json::Kind::Number;
        return v;
    }

    unsigned hex4()
    {
        if (m_pos + 4 > m_text.size())
            fail("short \\u escape");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_pos++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= unsigned(c - 'A' + 10);
            else
                fail("bad \\u escape");
        }
        return value;
    }

    static void appendUtf8(std::string& out, unsigned cp)
    {
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }

    std::string parseString()
    {
        ++m_pos;  // opening quote
        std::string out;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"')
                return out;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (m_pos >= m_text.size())
                break;
            const char e = m_text[m_pos++];
            switch (e) {
            case 'n': out.push_back('\n'); break;
            case 't': out.push_back('\t'); break;
            case 'r': out.push_back('\r'); break;
            case 'b': out.push_back('\b'); break;
            case 'f': out.push_back('\f'); break;
            case 'u': {
                unsigned cp = hex4();
                if (cp >= 0xD800 && cp <= 0xDBFF && take("\\u")) {
                    const unsigned low = hex4();
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                }
                appendUtf8(out, cp);
                break;
            }
            default: out.push_back(e); break;
            }
        }
        fail("unterminated string");
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

Json Json::parse(std::string_view text) { return JsonParser(text).document(); }

namespace {
const Json& nullJson()
{
    static const Json null;
    return null;
}
}  // namespace

bool Json::boolean() const { return m_kind == Kind::Bool ? m_bool : m_kind == Kind::Number && m_number != 0.0; }
double Json::number() const { return m_kind == Kind::Bool ? (m_bool ? 1.0 : 0.0) : m_number; }
const std::string& Json::string() const { return m_string; }
const std::vector<Json>& Json::array() const { return m_array; }
const std::map<std::string, Json>& Json::object() const { return m_object; }

const Json& Json::operator[](const std::string& key) const
{
    const auto it = m_object.find(key);
    return it == m_object.end() ? nullJson() : it->second;
}

const Json& Json::operator[](size_t index) const { return index < m_array.size() ? m_array[index] : nullJson(); }
bool Json::has(const std::string& key) const { return m_object.count(key) != 0; }
size_t Json::size() const { return m_kind == Kind::Array ? m_array.size() : m_object.size(); }
