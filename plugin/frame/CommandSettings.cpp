#include "frame/CommandSettings.h"

#include <cstring>

#include "frame/DrawingSettings.h"

namespace {

// Built during the plug-in's static initialisation, before the host's
// initialise message.
CommandSettings processSettings;

bool isOneOf(const char* name, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        if (std::strcmp(name, n) == 0)
            return true;
    return false;
}

}  // namespace

int32_t ScaleIndexOf(double drawingScale)
{
    // Exact comparisons: only the two scales the lists name choose them.
    if (drawingScale == 0.001)
        return 0;
    if (drawingScale == 0.002)
        return 1;
    return 2;
}

CommandSettings::CommandSettings()
{
    const DrawingSettings drawing = ReadDrawingSettings();
    scaleIndex = ScaleIndexOf(drawing.drawingScale);
    destination = 0;
    lineIndex = 0;
}

CommandSettings& TheCommandSettings() { return processSettings; }

void CopyBackCommandSettings(const char* command, const CommandSettings& dialogCopy, CommandSettings& processWide)
{
    if (!command)
        return;
    if (isOneOf(command, {"E4", "E5", "E17a", "E18a", "E21"})) {
        processWide.destination = dialogCopy.destination;
        processWide.scaleIndex = dialogCopy.scaleIndex;
        processWide.addDescription = dialogCopy.addDescription;
        processWide.directionRight = dialogCopy.directionRight;
        processWide.insertAsBlock = dialogCopy.insertAsBlock;
        processWide.sizeClass = dialogCopy.sizeClass;
        processWide.generation = dialogCopy.generation;
    } else if (isOneOf(command, {"D_Linie"})) {
        processWide.destination = dialogCopy.destination;
        processWide.scaleIndex = dialogCopy.scaleIndex;
        processWide.lineIndex = dialogCopy.lineIndex;
    } else if (isOneOf(command, {"D_Strzalki", "D_Swiatla"})) {
        processWide.destination = dialogCopy.destination;
        processWide.scaleIndex = dialogCopy.scaleIndex;
    }
}
