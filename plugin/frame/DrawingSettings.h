#pragma once

#include <string>

#include "frame/SettingsFields.h"

// The working drawing's settings, read afresh. The items are taken by
// position; what is missing keeps its default, and so does an item its
// field refuses (see kSettingsFields), of which the command line is told
// once per drawing and value. Reading adds an empty "S_Znaki" dictionary
// to a drawing that has none.
DrawingSettings ReadDrawingSettings();

// The layer of a destination index of the dialogs: 0 designed, 1 temporary,
// 2 existing, 3 removed; "0" for any other.
std::string LayerForDestination(const DrawingSettings& settings, int destination);
