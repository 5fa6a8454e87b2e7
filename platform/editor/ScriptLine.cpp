#include "platform/editor/ScriptLine.h"

#include <charconv>
#include <cmath>

#include "platform/editor/LineText.h"

std::optional<double> parseNumber(std::string_view text)
{
    text = trimmed(text);
    // from_chars takes no leading '+'; a second sign after it is still refused.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-'))
            return std::nullopt;
    }
    if (text.empty())
        return std::nullopt;
    // Only plain decimal notation: refuse "inf", "nan" and the like.
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+'))
            return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<ZcGePoint3d> parsePoint(std::string_view text)
{
    const std::vector<std::string_view> parts = splitOn(trimmed(text), ',');
    if (parts.size() != 2 && parts.size() != 3)
        return std::nullopt;
    double xyz[3] = {0.0, 0.0, 0.0};
    for (size_t i = 0; i < parts.size(); ++i) {
        const auto value = parseNumber(parts[i]);
        if (!value)
            return std::nullopt;
        xyz[i] = *value;
    }
    return ZcGePoint3d(xyz[0], xyz[1], xyz[2]);
}

ScriptLine parseScriptLine(std::string_view raw)
{
    ScriptLine line;
    const std::string_view text = trimmed(raw);
    line.text = std::string(text);

    if (text.empty()) {
        line.kind = ScriptLine::Kind::Enter;
        return line;
    }
    if (text.front() == ';') {
        line.kind = ScriptLine::Kind::Comment;
        return line;
    }
    if (equalsIgnoringCase(text, "*cancel*")) {
        line.kind = ScriptLine::Kind::Cancel;
        return line;
    }
    if (const auto point = parsePoint(text)) {
        line.kind = ScriptLine::Kind::Point;
        line.point = *point;
        return line;
    }
    if (const auto number = parseNumber(text)) {
        line.kind = ScriptLine::Kind::Number;
        line.number = *number;
        return line;
    }

    std::string_view rest = raw;
    const std::string first = asciiLower(takeWord(rest));
    if (first == "pick") {
        if (const auto point = parsePoint(rest)) {
            line.kind = ScriptLine::Kind::Pick;
            line.point = *point;
        } else {
            line.kind = ScriptLine::Kind::Malformed;
            line.error = "pick: oczekiwano punktu x,y lub x,y,z";
        }
        return line;
    }
    if (first == "dlg") {
        if (auto action = parseDialogAction(rest, line.error)) {
            line.kind = ScriptLine::Kind::Dialog;
            line.dialog = std::move(*action);
        } else {
            line.kind = ScriptLine::Kind::Malformed;
        }
        return line;
    }
    line.kind = ScriptLine::Kind::Text;
    return line;
}
