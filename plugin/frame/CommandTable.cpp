#include "frame/CommandTable.h"

#include "ZcEdCommandStack.h"
#include "islands/D_Ron_wyspy.h"
#include "lights/Swiatla_dlg.h"
#include "markings/Arrows_dlg.h"
#include "markings/CompoundCurveCommand.h"
#include "markings/Linie_dlg.h"
#include "signs/SignDialog.h"
#include "signs/WiteTab_dlg.h"

namespace {

// Every choice of a sign dialog; the catalogue row is not one of them.
constexpr KeptSettings kSignChoices = kKeepDestination | kKeepScaleIndex | kKeepAddDescription | kKeepDirectionRight |
                                      kKeepInsertAsBlock | kKeepSizeClass | kKeepGeneration;

}  // namespace

const std::vector<CommandRow>& CommandTable()
{
    // A command is added here, in its place in the order, once it is built.
    // The information board and the islands start from their own defaults
    // each time, so they keep nothing.
    static const std::vector<CommandRow> rows = {
        {"E4", DrawE4Sign, kSignChoices},
        {"E5", DrawE5Sign, kSignChoices},
        {"E17a", DrawE17aSign, kSignChoices},
        {"E18a", DrawE18aSign, kSignChoices},
        {"E21", DrawE21Sign, kSignChoices},
        {"D_InfoTab", DrawInfoBoard},
        {"D_Linie", DrawLineMarkings, kKeepDestination | kKeepScaleIndex | kKeepLineIndex},
        {"D_Strzalki", InsertArrows, kKeepDestination | kKeepScaleIndex},
        {"D_Koszowa", DrawCompoundCurve},
        {"D_Swiatla", InsertTrafficLights, kKeepDestination | kKeepScaleIndex},
        {"D_Wyspy", DrawIslands},
    };
    return rows;
}

const CommandRow& CommandRowOf(ZcRxFunctionPtr handler)
{
    static const CommandRow none{"", nullptr};
    for (const CommandRow& row : CommandTable())
        if (row.handler == handler)
            return row;
    return none;
}

void RegisterCommands(const std::vector<CommandRow>& rows)
{
    for (const CommandRow& row : rows) {
        ZcEdCommandStack* commands = ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_COMMAND_DOCK));
        if (commands)
            commands->addCommand(kCommandGroup, row.name, row.name, ZCRX_CMD_TRANSPARENT, row.handler, nullptr, -1,
                                 nullptr, nullptr);
    }
}

void RemoveCommands()
{
    ZcEdCommandStack* commands = ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_COMMAND_DOCK));
    if (commands)
        commands->removeGroup(kCommandGroup);
}
