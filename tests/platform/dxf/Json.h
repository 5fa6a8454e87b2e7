#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A JSON value, enough to read what the outside DXF checks print.
class Json {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };

    // Parses a whole document; throws std::runtime_error with the offset on bad input.
    static Json parse(std::string_view text);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    bool boolean() const;
    double number() const;
    const std::string& string() const;
    const std::vector<Json>& array() const;
    const std::map<std::string, Json>& object() const;

    // Member of an object; a shared null value when absent (or not an object).
    const Json& operator[](const std::string& key) const;
    // Element of an array; a shared null value when out of range.
    const Json& operator[](size_t index) const;
    bool has(const std::string& key) const;
    size_t size() const;

private:
    Kind m_kind = Kind::Null;
    bool m_bool = false;
    double m_number = 0.0;
    std::string m_string;
    std::vector<Json> m_array;
    std::map<std::string, Json> m_object;

    friend class JsonParser;
};
