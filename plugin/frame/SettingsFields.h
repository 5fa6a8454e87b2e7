#pragma once

// The drawing-settings record's fields, declared once: the plug-in reads
// them and the console shows and writes them. Nothing here needs the host,
// so the console includes this header as it stands.

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A drawing's own settings for the road-drawing tools. The system only
// reads them; a drawing without them is drawn with these defaults.
struct DrawingSettings {
    std::string layerDesigned = "0";   // destination 0
    std::string layerTemporary = "0";  // destination 1
    std::string layerRemoved = "0";    // destination 3
    std::string layerExisting = "0";   // destination 2
    double symbolScale = 1.0;          // signs and traffic-light symbols
    std::string spareName = "0";       // kept, used by nothing
    double markingScale = 1.0;         // arrows and lines
    bool groupObjects = false;         // a command's objects go into a new anonymous group
    double drawingScale = 0.001;       // 0.001 is 1:1000, 0.002 is 1:500

    bool operator==(const DrawingSettings&) const = default;
};

// Where the settings are: the named-object dictionary's "S_Znaki"
// dictionary, its record "Przeznaczenie", whose extended data of the
// application "Tarvo" holds the fields in the order of kSettingsFields.
inline constexpr const char* kSettingsDictionary = "S_Znaki";
inline constexpr const char* kSettingsRecord = "Przeznaczenie";
inline constexpr const char* kSettingsApplication = "Tarvo";

enum class SettingsFieldKind {
    Layer,  // a text that is a valid layer name
    Text,   // any text
    Scale,  // a real within the sane scales
    OnOff,  // the text "True" or "False", in any case
};

// One positional field of the record. Its default is the value the field
// has in DrawingSettings{}; exactly one of the member pointers is set.
struct SettingsField {
    const char* name;  // the console's option without "--", and the word of notices
    SettingsFieldKind kind;
    std::string DrawingSettings::*text = nullptr;
    double DrawingSettings::*number = nullptr;
    bool DrawingSettings::*flag = nullptr;
};

// The fields in the record's order.
inline constexpr std::array<SettingsField, 9> kSettingsFields = {{
    {"layer-designed", SettingsFieldKind::Layer, &DrawingSettings::layerDesigned},
    {"layer-temporary", SettingsFieldKind::Layer, &DrawingSettings::layerTemporary},
    {"layer-removed", SettingsFieldKind::Layer, &DrawingSettings::layerRemoved},
    {"layer-existing", SettingsFieldKind::Layer, &DrawingSettings::layerExisting},
    {"symbol-scale", SettingsFieldKind::Scale, nullptr, &DrawingSettings::symbolScale},
    {"spare-name", SettingsFieldKind::Text, &DrawingSettings::spareName},
    {"marking-scale", SettingsFieldKind::Scale, nullptr, &DrawingSettings::markingScale},
    {"group", SettingsFieldKind::OnOff, nullptr, nullptr, &DrawingSettings::groupObjects},
    {"drawing-scale", SettingsFieldKind::Scale, nullptr, &DrawingSettings::drawingScale},
}};

// Scales outside these bounds draw signs too small to see or too large to
// fit any road; zero and negatives would hide or mirror them.
inline constexpr double kSmallestSettingsScale = 1e-6;
inline constexpr double kLargestSettingsScale = 1e6;

inline bool IsSettingsScale(double v) { return v >= kSmallestSettingsScale && v <= kLargestSettingsScale; }

// The longest layer name the host takes, in bytes.
inline constexpr size_t kLongestLayerName = 255;

// A name the host takes for a layer: not longer than it keeps, none of the
// characters it forbids, no control characters, and not only spaces, which
// shows as nothing in every list of layers.
inline bool IsLayerName(std::string_view s)
{
    if (s.find_first_not_of(' ') == std::string_view::npos || s.size() > kLongestLayerName)
        return false;
    for (const char c : s)
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
    return s.find_first_of("<>/\\\":;?*|,=`") == std::string_view::npos;
}

// A number in the fewest digits that read back as the same number.
inline std::string ShortestNumberText(double v)
{
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, v);
    return ec == std::errc() ? std::string(text, end) : std::string("?");
}

// What a field holds, as the console shows it and a notice quotes it.
inline std::string SettingsFieldValue(const DrawingSettings& s, const SettingsField& field)
{
    if (field.text)
        return s.*field.text;
    if (field.flag)
        return s.*field.flag ? "on" : "off";
    return ShortestNumberText(s.*field.number);
}

// An item of the record as stored, whatever its type code: a text, a
// number (real or integer), or neither.
struct SettingsItem {
    std::optional<std::string> text;
    std::optional<double> number;
};

// The items of an extended-data list (the host's result buffers, from the
// one after the application name), up to the record's fields. A template,
// so that this header needs nothing from the host: group codes 1000-1009
// but 1004 are texts, 1010-1042 reals, 1070 and 1071 integers.
template <class ResultBuffer>
std::vector<SettingsItem> SettingsItemsOf(const ResultBuffer* rb)
{
    std::vector<SettingsItem> items;
    for (; rb && items.size() < kSettingsFields.size(); rb = rb->rbnext) {
        SettingsItem& item = items.emplace_back();
        const int code = rb->restype;
        if (code >= 1000 && code <= 1009 && code != 1004) {
            if (rb->resval.rstring)
                item.text = rb->resval.rstring;
        } else if (code >= 1010 && code <= 1042) {
            item.number = rb->resval.rreal;
        } else if (code == 1070) {
            item.number = rb->resval.rint;
        } else if (code == 1071) {
            item.number = rb->resval.rlong;
        }
    }
    return items;
}

// A stored value that its field refused; the field keeps its default.
struct RefusedSetting {
    const SettingsField* field;
    std::string stored;  // as a notice quotes it
};

struct SettingsReading {
    DrawingSettings settings;
    int itemsPresent = 0;  // how many of the fields the record held
    std::vector<RefusedSetting> refused;
};

namespace settings_detail {

inline bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// A number item, or a text that is a number and nothing else.
inline std::optional<double> numberOf(const SettingsItem& item)
{
    if (item.number)
        return item.number;
    if (!item.text || item.text->empty())
        return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(item.text->c_str(), &end);
    return *end == '\0' ? std::optional<double>(v) : std::nullopt;
}

inline std::string quoted(const SettingsItem& item)
{
    if (item.text)
        return *item.text;
    if (item.number)
        return ShortestNumberText(*item.number);
    return "(no value)";
}

// Takes the item into its field when the field's check accepts it.
inline bool take(const SettingsField& field, const SettingsItem& item, DrawingSettings& s)
{
    switch (field.kind) {
    case SettingsFieldKind::Layer:
        if (!item.text || !IsLayerName(*item.text))
            return false;
        s.*field.text = *item.text;
        return true;
    case SettingsFieldKind::Text:
        if (!item.text)
            return false;
        s.*field.text = *item.text;
        return true;
    case SettingsFieldKind::Scale: {
        const auto v = numberOf(item);
        if (!v || !IsSettingsScale(*v))
            return false;
        s.*field.number = *v;
        return true;
    }
    case SettingsFieldKind::OnOff:
        if (!item.text || !(equalsNoCase(*item.text, "True") || equalsNoCase(*item.text, "False")))
            return false;
        s.*field.flag = equalsNoCase(*item.text, "True");
        return true;
    }
    return false;
}

}  // namespace settings_detail

// The settings a record's items give, taken by position; items beyond the
// ninth are ignored. An item its field refuses leaves the default.
inline SettingsReading DecodeSettingsItems(const std::vector<SettingsItem>& items)
{
    SettingsReading reading;
    for (size_t i = 0; i < items.size() && i < kSettingsFields.size(); ++i) {
        const SettingsField& field = kSettingsFields[i];
        if (!settings_detail::take(field, items[i], reading.settings))
            reading.refused.push_back({&field, settings_detail::quoted(items[i])});
        reading.itemsPresent = int(i) + 1;
    }
    return reading;
}

// The one line that tells the user a stored value was refused.
inline std::string SettingsNotice(const std::string& drawing, const RefusedSetting& refused)
{
    return "Drawing settings of " + drawing + ": " + refused.field->name + " \"" + refused.stored +
           "\" is not valid; the default " + SettingsFieldValue(DrawingSettings{}, *refused.field) + " is used.";
}
