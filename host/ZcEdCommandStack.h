#pragma once

#include <memory>
#include <vector>

#include "ZcEdCommand.h"
#include "ZcRxDictionary.h"
#include "ZcRxObject.h"
#include "ZcadErrorStatus.h"
#include "ZrxExport.h"

namespace platform {
struct ZcEdCommandStackAccess;
}  // namespace platform

// The registered commands, in groups. A command is found by its global or
// its local name, in any case; a name is taken by at most one command.
class ZRX_EXPORT ZcEdCommandStack : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcEdCommandStack)

    // Refuses a name that is empty, has white space, or is already taken as
    // any command's global or local name (eDuplicateKey), and a null handler
    // (eInvalidInput). The new command is returned through cmdPtrRet.
    Zcad::ErrorStatus addCommand(const char* cmdGroupName, const char* cmdGlobalName, const char* cmdLocalName,
                                 int commandFlags, ZcRxFunctionPtr funcAddress, ZcEdUIContext* UIContext = nullptr,
                                 int fcode = -1, void* hResourceHandle = nullptr, ZcEdCommand** cmdPtrRet = nullptr);
    // A module removes only the commands whose handlers are its own code;
    // another application's commands of the same group stay.
    // eKeyNotFound when the group has no such command.
    Zcad::ErrorStatus removeCmd(const char* cmdGroupName, const char* cmdGlobalName);
    // Removes every command of the group; eKeyNotFound when it has none.
    Zcad::ErrorStatus removeGroup(const char* groupName);

    // By global name (globalFlag) or local name, in any case; null when none.
    ZcEdCommand* lookupCmd(const char* cmdName, bool globalFlag) const;
    ZcEdCommand* lookupGlobalCmd(const char* cmdName) const { return lookupCmd(cmdName, true); }
    ZcEdCommand* lookupLocalCmd(const char* cmdName) const { return lookupCmd(cmdName, false); }
    // A name as typed: its local name first, then its global one.
    ZcEdCommand* lookupTyped(const char* cmdName) const;

    int numCommands() const { return static_cast<int>(m_commands.size()); }
    const ZcEdCommand* commandAt(int index) const { return m_commands[static_cast<size_t>(index)].get(); }

private:
    friend struct platform::ZcEdCommandStackAccess;
    std::vector<std::unique_ptr<ZcEdCommand>> m_commands;
};

// The system registry's command stack, as applications reach it.
#define zcedRegCmds ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_COMMAND_DOCK))
