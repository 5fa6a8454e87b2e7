#pragma once

#include <string>
#include <utility>

#include "ZrxExport.h"

// A command's handler: called on the command thread with no arguments; it
// asks for its input at prompts.
typedef void (*ZcRxFunctionPtr)();

// Command flags.
#define ZCRX_CMD_MODAL 0x00000000
#define ZCRX_CMD_TRANSPARENT 0x00000001
#define ZCRX_CMD_USEPICKSET 0x00000002
#define ZCRX_CMD_REDRAW 0x00000004

class ZcEdUIContext;

// One registered command of a command group.
class ZRX_EXPORT ZcEdCommand {
public:
    ZcEdCommand(std::string group, std::string globalName, std::string localName, int flags,
                ZcRxFunctionPtr function, const void* module)
        : m_group(std::move(group)), m_global(std::move(globalName)), m_local(std::move(localName)),
          m_flags(flags), m_function(function), m_module(module)
    {
    }

    const char* groupName() const { return m_group.c_str(); }
    const char* globalName() const { return m_global.c_str(); }
    const char* localName() const { return m_local.c_str(); }
    int commandFlags() const { return m_flags; }
    ZcRxFunctionPtr functionAddr() const { return m_function; }
    // The loaded module whose code the handler is (its base address).
    const void* module() const { return m_module; }

private:
    std::string m_group;
    std::string m_global;
    std::string m_local;
    int m_flags;
    ZcRxFunctionPtr m_function;
    const void* m_module;
};
