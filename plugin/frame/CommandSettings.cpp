#include "frame/CommandSettings.h"

#include "frame/DrawingSettings.h"

namespace {

// Built during the plug-in's static initialisation, before the host's
// initialise message.
CommandSettings processSettings;

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

void CopyBackCommandSettings(KeptSettings kept, const CommandSettings& dialogCopy, CommandSettings& processWide)
{
    if (kept & kKeepDestination)
        processWide.destination = dialogCopy.destination;
    if (kept & kKeepScaleIndex)
        processWide.scaleIndex = dialogCopy.scaleIndex;
    if (kept & kKeepLineIndex)
        processWide.lineIndex = dialogCopy.lineIndex;
    if (kept & kKeepAddDescription)
        processWide.addDescription = dialogCopy.addDescription;
    if (kept & kKeepDirectionRight)
        processWide.directionRight = dialogCopy.directionRight;
    if (kept & kKeepInsertAsBlock)
        processWide.insertAsBlock = dialogCopy.insertAsBlock;
    if (kept & kKeepSizeClass)
        processWide.sizeClass = dialogCopy.sizeClass;
    if (kept & kKeepGeneration)
        processWide.generation = dialogCopy.generation;
}
