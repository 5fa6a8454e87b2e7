#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ZcRxDictionary.h"
#include "ZcRxObject.h"
#include "ZrxExport.h"

// Loads and unloads application modules. A module is loaded, told
// kInitAppMsg, and from then on may only be unloaded once it has unlocked
// itself; unloading tells it kUnloadAppMsg first.
class ZRX_EXPORT ZcRxDynamicLinker : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcRxDynamicLinker)

    ZcRxDynamicLinker();
    ZcRxDynamicLinker(const ZcRxDynamicLinker&) = delete;
    ZcRxDynamicLinker& operator=(const ZcRxDynamicLinker&) = delete;
    ~ZcRxDynamicLinker() override;

    // Loads the module and sends it kInitAppMsg; with printit a failure is
    // explained on the command line. A module already loaded is left as it is.
    bool loadModule(const char* fileName, bool printit, bool asCmd = false);
    // Sends kUnloadAppMsg and unloads the module; refused while it is locked.
    bool unloadModule(const char* fileName, bool asCmd = false);

    bool unlockApplication(void* appId);
    bool lockApplication(void* appId);
    bool isApplicationLocked(const char* fileName) const;
    bool registerAppMDIAware(void* appId);
    bool isAppMDIAware(const char* fileName) const;

    // Whether the module of that file (full path or file name) is loaded.
    bool isLoaded(const char* fileName) const;
    // Paths of the loaded modules, in loading order.
    std::vector<std::string> loadedModules() const;
    // Sends kUnloadAppMsg to every module, last loaded first, locked or not,
    // as the host does when it quits. The code stays mapped until the
    // process ends, so objects it made can still be destroyed safely.
    void unloadAllAtExit();

private:
    struct Module;
    Module* find(const char* fileName) const;
    Module* findById(void* appId) const;

    std::vector<std::unique_ptr<Module>> m_modules;
};

// The system registry's dynamic linker, as applications reach it.
#define zcrxDynamicLinker ZcRxDynamicLinker::cast(zcrxSysRegistry()->at(ZCRX_DYNAMIC_LINKER))
