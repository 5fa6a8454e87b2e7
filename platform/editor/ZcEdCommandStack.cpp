#include "ZcEdCommandStack.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

#include "platform/editor/CommandStackAccess.h"
#include "platform/editor/LineText.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcEdCommandStack, ZcRxObject)

namespace {

bool typeable(const char* name)
{
    if (!name || !*name)
        return false;
    for (const char* c = name; *c; ++c)
        if (isBlank(*c) || *c == '\n' || *c == '\r')
            return false;
    return true;
}

// The loaded module (its base address) whose code the address is in.
const void* moduleOf(const void* code)
{
    Dl_info info{};
    if (dladdr(code, &info) == 0)
        return nullptr;
    return info.dli_fbase;
}

const void* moduleOf(ZcRxFunctionPtr function) { return moduleOf(reinterpret_cast<const void*>(function)); }

// Whether the command belongs to the module that asks to remove it: a copy
// of an application, whose commands were refused as taken, must not take
// out the first one's when it goes.
bool removableBy(const ZcEdCommand& command, const void* caller) { return command.module() == caller; }

}  // namespace

Zcad::ErrorStatus ZcEdCommandStack::addCommand(const char* cmdGroupName, const char* cmdGlobalName,
                                               const char* cmdLocalName, int commandFlags,
                                               ZcRxFunctionPtr funcAddress, ZcEdUIContext*, int, void*,
                                               ZcEdCommand** cmdPtrRet)
{
    if (cmdPtrRet)
        *cmdPtrRet = nullptr;
    if (!cmdGroupName || !*cmdGroupName || !typeable(cmdGlobalName) || !typeable(cmdLocalName) || !funcAddress)
        return Zcad::eInvalidInput;
    for (const auto& c : m_commands)
        for (const char* taken : {c->globalName(), c->localName()})
            if (equalsIgnoringCase(taken, cmdGlobalName) || equalsIgnoringCase(taken, cmdLocalName))
                return Zcad::eDuplicateKey;
    m_commands.push_back(std::make_unique<ZcEdCommand>(cmdGroupName, cmdGlobalName, cmdLocalName, commandFlags,
                                                       funcAddress, moduleOf(funcAddress)));
    if (cmdPtrRet)
        *cmdPtrRet = m_commands.back().get();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcEdCommandStack::removeCmd(const char* cmdGroupName, const char* cmdGlobalName)
{
    if (!cmdGroupName || !cmdGlobalName)
        return Zcad::eInvalidInput;
    const void* caller = moduleOf(__builtin_return_address(0));
    const auto it = std::find_if(m_commands.begin(), m_commands.end(), [&](const auto& c) {
        return equalsIgnoringCase(c->groupName(), cmdGroupName) && equalsIgnoringCase(c->globalName(), cmdGlobalName) &&
               removableBy(*c, caller);
    });
    if (it == m_commands.end())
        return Zcad::eKeyNotFound;
    m_commands.erase(it);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcEdCommandStack::removeGroup(const char* groupName)
{
    if (!groupName)
        return Zcad::eInvalidInput;
    const void* caller = moduleOf(__builtin_return_address(0));
    const size_t removed = std::erase_if(m_commands, [&](const auto& c) {
        return equalsIgnoringCase(c->groupName(), groupName) && removableBy(*c, caller);
    });
    return removed > 0 ? Zcad::eOk : Zcad::eKeyNotFound;
}

ZcEdCommand* ZcEdCommandStack::lookupCmd(const char* cmdName, bool globalFlag) const
{
    if (!cmdName)
        return nullptr;
    for (const auto& c : m_commands)
        if (equalsIgnoringCase(globalFlag ? c->globalName() : c->localName(), cmdName))
            return c.get();
    return nullptr;
}

ZcEdCommand* ZcEdCommandStack::lookupTyped(const char* cmdName) const
{
    if (ZcEdCommand* c = lookupLocalCmd(cmdName))
        return c;
    return lookupGlobalCmd(cmdName);
}

namespace platform {

std::vector<std::string> ZcEdCommandStackAccess::removeCommandsOf(ZcEdCommandStack& stack, const void* module)
{
    std::vector<std::string> removed;
    if (!module)
        return removed;
    std::erase_if(stack.m_commands, [&](const auto& c) {
        if (c->module() != module)
            return false;
        removed.push_back(std::string(c->groupName()) + "/" + c->globalName());
        return true;
    });
    return removed;
}

}  // namespace platform
