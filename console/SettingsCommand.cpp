#include "console/SettingsCommand.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>

#include "ZcDbDatabase.h"
#include "console/Session.h"
#include "console/SettingsRecord.h"
#include "platform/core/Utf8.h"
#include "platform/db/SymbolName.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"

using platform::isWellFormedUtf8;
using platform::readDxfFile;
using platform::writeDxfFile;

namespace {

std::optional<double> positiveNumber(const std::string& s)
{
    double v = 0.0;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || end != last || first == last || !std::isfinite(v) || !(v > 0.0))
        return std::nullopt;
    return v;
}

std::optional<bool> onOff(const std::string& s)
{
    static const std::map<std::string, bool> words = {{"on", true},  {"true", true},   {"yes", true}, {"1", true},
                                                      {"off", false}, {"false", false}, {"no", false}, {"0", false}};
    std::string lower;
    for (const char c : s)
        lower += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const auto it = words.find(lower);
    return it == words.end() ? std::nullopt : std::optional<bool>(it->second);
}

// The longest name the drawing takes for a layer.

using Setter = std::function<bool(SettingsRecord&, const std::string&, std::string&)>;

// Names and texts of a drawing are UTF-8; other bytes (a terminal in
// another encoding) are refused rather than stored as garbage.
bool refusedAsNotUtf8(const std::string& v, std::string& error)
{
    if (isWellFormedUtf8(v))
        return false;
    error = "the value is not UTF-8 text";
    return true;
}

// Why a value cannot name a layer, as a sentence; empty when it can. The
// drawing's own rule for names, and one more: a name of spaces alone shows
// as nothing in every list of layers.
std::string layerNameFault(const std::string& v)
{
    if (v.find_first_not_of(' ') == std::string::npos)
        return "a layer name cannot be empty or only spaces";
    if (v.size() > kLongestLayerName)
        return "a layer name is at most " + std::to_string(kLongestLayerName) + " bytes long";
    if (std::any_of(v.begin(), v.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return "a layer name cannot hold a tab, a line end or another control character";
    if (!IsLayerName(v) || !platform::isValidSymbolName(v))
        return "\"" + v + "\" is not a layer name: it may not hold any of <>/\\\":;?*|,=`";
    return {};
}

// A field's option sets it after the same check the plug-in makes when it
// reads the record.
Setter setterOf(const SettingsField& field)
{
    return [&field](SettingsRecord& r, const std::string& v, std::string& error) {
        switch (field.kind) {
        case SettingsFieldKind::Layer:
        case SettingsFieldKind::Text:
            if (refusedAsNotUtf8(v, error))
                return false;
            if (field.kind == SettingsFieldKind::Layer) {
                error = layerNameFault(v);
                if (!error.empty())
                    return false;
            }
            r.*field.text = v;
            return true;
        case SettingsFieldKind::Scale: {
            const auto n = positiveNumber(v);
            if (!n || !IsSettingsScale(*n)) {
                error = "\"" + v + "\" is not a positive number from " + ShortestNumberText(kSmallestSettingsScale) +
                        " to " + ShortestNumberText(kLargestSettingsScale);
                return false;
            }
            r.*field.number = *n;
            return true;
        }
        case SettingsFieldKind::OnOff: {
            const auto on = onOff(v);
            if (!on) {
                error = "\"" + v + "\" is not on or off";
                return false;
            }
            r.*field.flag = *on;
            return true;
        }
        }
        return false;
    };
}

// The options, in the record's order.
const std::vector<std::pair<std::string, Setter>>& setters()
{
    static const std::vector<std::pair<std::string, Setter>> list = [] {
        std::vector<std::pair<std::string, Setter>> options;
        for (const SettingsField& field : kSettingsFields)
            options.emplace_back(std::string("--") + field.name, setterOf(field));
        return options;
    }();
    return list;
}

void printRecord(const std::string& drawing, const SettingsRecord& r)
{
    std::printf("Drawing settings of %s (dictionary S_Znaki, record Przeznaczenie, application Tarvo):\n",
                drawing.c_str());
    if (r.itemsPresent < 0)
        std::printf("  (no record: the drawing is drawn with the defaults)\n");
    for (size_t i = 0; i < kSettingsFields.size(); ++i) {
        const bool stored = r.itemsPresent > int(i);
        std::printf("  %-16s %s%s\n", kSettingsFields[i].name, SettingsFieldValue(r, kSettingsFields[i]).c_str(),
                    stored || r.itemsPresent < 0 ? "" : "  (default: not in the record)");
    }
}

// The values the record holds that the plug-in refuses, and so draws with
// the defaults.
void tellRefused(const std::string& drawing, const SettingsRecord& r)
{
    for (const RefusedSetting& refused : r.refused)
        std::fprintf(stderr, "%s\n", SettingsNotice(drawing, refused).c_str());
}

}  // namespace

const char* settingsUsageText()
{
    return R"(Usage:
  tarvo settings DRAWING.dxf [--out OUT.dxf]
                 [--layer-designed NAME] [--layer-temporary NAME]
                 [--layer-removed NAME] [--layer-existing NAME]
                 [--symbol-scale X] [--spare-name TEXT] [--marking-scale X]
                 [--group on|off] [--drawing-scale X]

Shows the drawing's settings for the road-drawing tools: the layers of the
four destinations, the scales of symbols and markings, whether the objects
of a command are grouped, and the drawing scale (0.001 for 1:1000, 0.002
for 1:500). Each option sets its field; the drawing is then written back
(or to --out) with all nine fields stored, and layers it names that the
drawing lacks are added. Scales run from 1e-06 to 1e+06. A stored value
the road-drawing tools would refuse is shown as its default, with a notice.
)";
}

int runSettingsCommand(const std::vector<std::string>& args)
{
    std::optional<std::string> drawing, out;
    std::vector<std::pair<const Setter*, std::string>> changes;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(settingsUsageText(), stdout);
            return kExitSuccess;
        }
        std::string name = arg, value;
        bool hasValue = false;
        if (const size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        const Setter* setter = nullptr;
        for (const auto& [option, s] : setters())
            if (option == name)
                setter = &s;
        if (setter || name == "--out") {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    std::fprintf(stderr, "tarvo settings: %s needs a value\n", name.c_str());
                    return kExitUsage;
                }
                value = args[++i];
            }
            if (setter) {
                changes.emplace_back(setter, value);
            } else if (out || value.empty()) {
                std::fprintf(stderr, "tarvo settings: --out needs one value\n");
                return kExitUsage;
            } else {
                out = value;
            }
        } else if (!arg.empty() && arg[0] != '-' && !drawing) {
            drawing = arg;
        } else {
            std::fprintf(stderr, "tarvo settings: unexpected argument '%s'\nTry 'tarvo settings --help'.\n", arg.c_str());
            return kExitUsage;
        }
    }
    if (!drawing) {
        std::fprintf(stderr, "tarvo settings: no drawing given\nTry 'tarvo settings --help'.\n");
        return kExitUsage;
    }

    SettingsRecord record;
    std::string error;
    for (const auto& [setter, value] : changes)
        if (!(*setter)(record, value, error)) {
            std::fprintf(stderr, "tarvo settings: %s\n", error.c_str());
            return kExitUsage;
        }

    ZcDbDatabase db(false);
    if (!readDxfFile(*drawing, db, error)) {
        std::fprintf(stderr, "tarvo settings: %s\n", error.c_str());
        return kExitDrawing;
    }
    record = readSettingsRecord(db);
    tellRefused(*drawing, record);
    if (changes.empty() && !out) {
        printRecord(*drawing, record);
        return kExitSuccess;
    }

    for (const auto& [setter, value] : changes)
        (*setter)(record, value, error);
    std::string addedLayers;
    if (const Zcad::ErrorStatus es = writeSettingsRecord(db, record, &addedLayers); es != Zcad::eOk) {
        std::fprintf(stderr, "tarvo settings: the record cannot be stored (%s)\n", Zcad::errorStatusName(es));
        return kExitDrawing;
    }
    const std::string target = out ? *out : *drawing;
    if (!writeDxfFile(db, target, error)) {
        std::fprintf(stderr, "tarvo settings: cannot write the drawing: %s\n", error.c_str());
        return kExitDrawing;
    }
    if (!addedLayers.empty())
        std::printf("Layers added: %s\n", addedLayers.c_str());
    printRecord(target, readSettingsRecord(db));
    return kExitSuccess;
}
