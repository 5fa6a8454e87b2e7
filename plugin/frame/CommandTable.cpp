#include "frame/CommandTable.h"

#include "ZcEdCommandStack.h"
#include "islands/D_Ron_wyspy.h"
#include "lights/Swiatla_dlg.h"
#include "markings/Arrows_dlg.h"
#include "markings/CompoundCurveCommand.h"
#include "markings/Linie_dlg.h"
#include "signs/SignDialog.h"
#include "signs/WiteTab_dlg.h"

const std::vector<CommandRow>& CommandTable()
{
    // A command is added here, in its place in the order, once it is built.
    static const std::vector<CommandRow> rows = {
        {"E4", DrawE4Sign},
        {"E5", DrawE5Sign},
        {"E17a", DrawE17aSign},
        {"E18a", DrawE18aSign},
        {"E21", DrawE21Sign},
        {"D_InfoTab", DrawInfoBoard},
        {"D_Linie", DrawLineMarkings},
        {"D_Strzalki", InsertArrows},
        {"D_Koszowa", DrawCompoundCurve},
        {"D_Swiatla", InsertTrafficLights},
        {"D_Wyspy", DrawIslands},
    };
    return rows;
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
