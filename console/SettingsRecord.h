#pragma once

#include <string>

#include "ZcadErrorStatus.h"

class ZcDbDatabase;

// The drawing-settings record the plug-in reads, seen from outside it: the
// named-object dictionary's "S_Znaki" dictionary holds the record
// "Przeznaczenie", whose extended data of the application "Tarvo" carries
// nine items after the application's name, in this order and of these
// types (1000 text, 1040 real).
struct SettingsRecord {
    std::string layerDesigned = "0";   // 1000
    std::string layerTemporary = "0";  // 1000
    std::string layerRemoved = "0";    // 1000
    std::string layerExisting = "0";   // 1000
    double symbolScale = 1.0;          // 1040
    std::string spareName = "0";       // 1000
    double markingScale = 1.0;         // 1040
    bool groupObjects = false;         // 1000 "True" or "False"
    double drawingScale = 0.001;       // 1040
    // How many of the nine items the drawing holds (the rest are the
    // defaults above); -1 when it holds no record at all.
    int itemsPresent = -1;
};

// The drawing's record as the plug-in would read it; the drawing is not
// changed (nothing is added where the record is missing).
SettingsRecord readSettingsRecord(const ZcDbDatabase& db);

// Writes all nine items into the record, adding the dictionary and the
// record when missing; the record's other data stays. Layers named in the
// record that the drawing lacks are added, so that the drawing routines can
// put objects on them; their names are appended to addedLayers.
Zcad::ErrorStatus writeSettingsRecord(ZcDbDatabase& db, const SettingsRecord& record, std::string* addedLayers = nullptr);
