#include "frame/DrawingSettings.h"

#include <set>
#include <vector>

#include "ZcDbDatabase.h"
#include "services/DatabaseServices.h"
#include "zcut.h"

namespace {

// Every command reads the settings afresh: a refused value is told once
// per drawing, not at each sign. The plug-in knows no file name: its
// drawing is the working one.
void tellRefused(const std::vector<RefusedSetting>& refused)
{
    static std::set<std::pair<const ZcDbDatabase*, std::string>> told;
    const ZcDbDatabase* drawing = zcdbHostApplicationServices()->workingDatabase();
    for (const RefusedSetting& r : refused) {
        const std::string notice = SettingsNotice("the working drawing", r);
        if (told.emplace(drawing, notice).second)
            zcutPrintf("\n%s", notice.c_str());
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
            SettingsReading reading = DecodeSettingsItems(SettingsItemsOf(xdata->rbnext));
            zcutRelRb(xdata);
            tellRefused(reading.refused);
            settings = std::move(reading.settings);
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
