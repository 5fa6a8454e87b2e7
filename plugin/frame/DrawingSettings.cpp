#include "frame/DrawingSettings.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <strings.h>

#include "services/DatabaseServices.h"
#include "zcut.h"

namespace {

bool isText(const resbuf* rb) { return rb->restype >= 1000 && rb->restype <= 1009 && rb->restype != 1004; }

// A real item, an integer item, or a text that is a whole number.
std::optional<double> numberOf(const resbuf* rb)
{
    double v = 0.0;
    if ((rb->restype >= 1010 && rb->restype <= 1042) || rb->restype == RTREAL)
        v = rb->resval.rreal;
    else if (rb->restype == 1070 || rb->restype == RTSHORT)
        v = rb->resval.rint;
    else if (rb->restype == 1071 || rb->restype == RTLONG)
        v = rb->resval.rlong;
    else if (isText(rb) && rb->resval.rstring && *rb->resval.rstring) {
        char* end = nullptr;
        v = std::strtod(rb->resval.rstring, &end);
        if (*end != '\0')
            return std::nullopt;
    } else
        return std::nullopt;
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

void takeText(const resbuf* rb, std::string& field)
{
    if (isText(rb) && rb->resval.rstring)
        field = rb->resval.rstring;
}

void takeNumber(const resbuf* rb, double& field)
{
    if (const auto v = numberOf(rb))
        field = *v;
}

// Assigns the items after the application name to the fields in order.
void assignItems(const resbuf* items, DrawingSettings& s)
{
    int position = 1;
    for (const resbuf* rb = items; rb && position <= kSettingsItemCount; rb = rb->rbnext, ++position) {
        switch (position) {
        case 1: takeText(rb, s.layerDesigned); break;
        case 2: takeText(rb, s.layerTemporary); break;
        case 3: takeText(rb, s.layerRemoved); break;
        case 4: takeText(rb, s.layerExisting); break;
        case 5: takeNumber(rb, s.symbolScale); break;
        case 6: takeText(rb, s.spareName); break;
        case 7: takeNumber(rb, s.markingScale); break;
        case 8: s.groupObjects = isText(rb) && rb->resval.rstring && strcasecmp(rb->resval.rstring, "True") == 0; break;
        case 9: takeNumber(rb, s.drawingScale); break;
        default: break;
        }
    }
}

}  // namespace

DrawingSettings ReadDrawingSettings()
{
    DrawingSettings settings;
    ZcDbDictionary* dictionary = GetOrCreateNamedDictionary(kSettingsDictionary);
    if (!dictionary)
        return settings;
    if (ZcDbObject* record = GetDictionaryEntry(dictionary, kSettingsRecord)) {
        if (resbuf* xdata = GetExtendedData(record, kSettingsApplication)) {
            assignItems(xdata->rbnext, settings);
            zcutRelRb(xdata);
        }
        record->close();
    }
    dictionary->close();
    return settings;
}

std::string LayerForDestination(const DrawingSettings& settings, int destination)
{
    switch (destination) {
    case 0: return settings.layerDesigned;
    case 1: return settings.layerTemporary;
    case 2: return settings.layerExisting;
    case 3: return settings.layerRemoved;
    default: return "0";
    }
}
