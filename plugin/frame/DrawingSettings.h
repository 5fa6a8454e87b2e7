#pragma once

#include <string>

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
// application "Tarvo" holds the fields in the order above.
inline constexpr const char* kSettingsDictionary = "S_Znaki";
inline constexpr const char* kSettingsRecord = "Przeznaczenie";
inline constexpr const char* kSettingsApplication = "Tarvo";
// The number of items after the application name that carry fields.
inline constexpr int kSettingsItemCount = 9;

// The working drawing's settings, read afresh. The items are taken by
// position; what is missing keeps its default, and so does an item that
// cannot give its field a value (a text where a number belongs that is no
// number, a number that is not finite, a number where a text belongs).
// Reading adds an empty "S_Znaki" dictionary to a drawing that has none.
DrawingSettings ReadDrawingSettings();

// The layer of a destination index of the dialogs: 0 designed, 1 temporary,
// 2 existing, 3 removed; "0" for any other.
std::string LayerForDestination(const DrawingSettings& settings, int destination);
