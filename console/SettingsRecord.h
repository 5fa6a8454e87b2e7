#pragma once

#include <string>
#include <vector>

#include "frame/SettingsFields.h"

#include "ZcadErrorStatus.h"

class ZcDbDatabase;

// The drawing-settings record the plug-in reads, seen from outside it: the
// fields and their checks are the plug-in's (kSettingsFields); they are
// stored as 1000 text and 1040 real items.
struct SettingsRecord : DrawingSettings {
    // How many of the nine items the drawing holds (the rest are the
    // defaults); -1 when it holds no record at all.
    int itemsPresent = -1;
    // Stored values their fields refused, which read as the defaults.
    std::vector<RefusedSetting> refused;
};

// The drawing's record as the plug-in would read it; the drawing is not
// changed (nothing is added where the record is missing).
SettingsRecord readSettingsRecord(const ZcDbDatabase& db);

// Writes all nine items into the record, adding the dictionary and the
// record when missing; the record's other data stays. Layers named in the
// record that the drawing lacks are added, so that the drawing routines can
// put objects on them; their names are appended to addedLayers.
Zcad::ErrorStatus writeSettingsRecord(ZcDbDatabase& db, const SettingsRecord& record, std::string* addedLayers = nullptr);
