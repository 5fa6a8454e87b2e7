#include "platform/editor/DialogAction.h"

#include <charconv>

#include "platform/editor/LineText.h"

namespace platform {

namespace {

std::optional<int> wholeNumber(std::string_view s, int maxValue)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || value < 0 || value > maxValue)
        return std::nullopt;
    return value;
}

bool isControlName(std::string_view s)
{
    if (s.empty() || (s.front() >= '0' && s.front() <= '9'))
        return false;
    for (const char c : s)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

}  // namespace

std::optional<DialogAction> parseDialogAction(std::string_view rest, std::string& error)
{
    DialogAction action;
    const std::string verb = asciiLower(takeWord(rest));
    if (verb == "set")
        action.verb = DialogAction::Verb::Set;
    else if (verb == "line")
        action.verb = DialogAction::Verb::Line;
    else if (verb == "select")
        action.verb = DialogAction::Verb::Select;
    else if (verb == "check")
        action.verb = DialogAction::Verb::Check;
    else if (verb == "click")
        action.verb = DialogAction::Verb::Click;
    else if (verb == "color") {
        action.verb = DialogAction::Verb::Color;
        const std::string_view answer = trimmed(rest);
        if (asciiLower(answer) == "cancel") {
            action.colorCancelled = true;
            return action;
        }
        const std::vector<std::string_view> parts = splitOn(answer, ',');
        int channels[3] = {0, 0, 0};
        for (size_t i = 0; i < 3; ++i) {
            const auto value = parts.size() == 3 ? wholeNumber(trimmed(parts[i]), 255) : std::nullopt;
            if (!value) {
                error = "dlg color: oczekiwano r,g,b (0-255) lub cancel";
                return std::nullopt;
            }
            channels[i] = *value;
        }
        action.red = uint8_t(channels[0]);
        action.green = uint8_t(channels[1]);
        action.blue = uint8_t(channels[2]);
        return action;
    } else {
        error = "dlg: nieznana czynność „" + std::string(verb) + "” (set, line, select, check, click, color)";
        return std::nullopt;
    }

    const std::string_view control = takeWord(rest);
    if (const auto id = wholeNumber(control, 65535))
        action.controlId = *id;
    else if (!isControlName(control)) {
        error = "dlg " + verb + ": oczekiwano numeru lub nazwy kontrolki";
        return std::nullopt;
    }
    action.control = std::string(control);

    switch (action.verb) {
    case DialogAction::Verb::Set:
    case DialogAction::Verb::Line: action.text = std::string(rest); return action;
    case DialogAction::Verb::Select: {
        const std::string_view item = trimmed(rest);
        if (item.size() >= 2 && item.front() == '"' && item.back() == '"') {
            action.text = std::string(item.substr(1, item.size() - 2));
            return action;
        }
        if (const auto index = wholeNumber(item, 1 << 30)) {
            action.index = *index;
            return action;
        }
        error = "dlg select: oczekiwano numeru pozycji lub tekstu w cudzysłowie";
        return std::nullopt;
    }
    case DialogAction::Verb::Check: {
        const std::string state = asciiLower(trimmed(rest));
        if (state != "on" && state != "off") {
            error = "dlg check: oczekiwano on lub off";
            return std::nullopt;
        }
        action.checked = state == "on";
        return action;
    }
    case DialogAction::Verb::Click:
        if (!trimmed(rest).empty()) {
            error = "dlg click: po kontrolce nic więcej";
            return std::nullopt;
        }
        return action;
    case DialogAction::Verb::Color:
        break;
    }
    return action;
}

}  // namespace platform
