#pragma once

#include <cstdint>

#include "WinTypes.h"

// The user's last choices in the dialogs, kept between commands for the
// life of the process (never saved). One record is shared by every dialog
// command; each dialog works on a copy and the command copies some fields
// back. Fields and widths as the dialogs exchange them.
struct CommandSettings {
    int32_t destination = 0;  // 0 designed, 1 temporary, 2 existing, 3 removed
    int32_t scaleIndex = 0;   // index in the running dialog's scale list
    int32_t lineIndex = 0;    // row of the line-marking catalogue
    BOOL addDescription = FALSE;
    BOOL directionRight = FALSE;  // TRUE selects "W prawo" (index 0 of the direction list)
    BOOL insertAsBlock = FALSE;
    int8_t sizeClass = 0;     // 0 "Wielkie" … 3 "Małe"; -1 none
    int32_t generation = 0;   // 0 "I Generacja" … 2 "III Generacja"

    // Starts from the working drawing's settings: the scale index of its
    // drawing scale, destination and catalogue row 0.
    CommandSettings();
};

// The scale list index a drawing scale starts the dialogs at: 0 for 0.001
// (1:1000), 1 for 0.002 (1:500), 2 for any other.
int32_t ScaleIndexOf(double drawingScale);

// The process's record, built when the plug-in is loaded from the drawing
// that is working then, and never read from a drawing again.
CommandSettings& TheCommandSettings();

// The fields of the record a dialog command keeps when its dialog closes:
// bits that combine, one per field.
enum KeptSetting : uint32_t {
    kKeepNothing = 0,
    kKeepDestination = 1u << 0,
    kKeepScaleIndex = 1u << 1,
    kKeepLineIndex = 1u << 2,
    kKeepAddDescription = 1u << 3,
    kKeepDirectionRight = 1u << 4,
    kKeepInsertAsBlock = 1u << 5,
    kKeepSizeClass = 1u << 6,
    kKeepGeneration = 1u << 7,
};
using KeptSettings = uint32_t;

// After a dialog closes: the fields named in kept, from the dialog's copy
// into the process's record; the others stay as they are.
void CopyBackCommandSettings(KeptSettings kept, const CommandSettings& dialogCopy, CommandSettings& processWide);
