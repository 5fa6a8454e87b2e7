#pragma once

#include "ZcUiResources.h"

// The plug-in's resources: the dialog templates, strings and images of
// resources/Tarvo.rc, compiled into the plug-in at build time.
const ZcUiModuleResources& TarvoResources();

// Keeps the plug-in's resources in the host's search while it lives, as an
// extension module's resource chain does from process attach to detach.
class ModuleResourceChain {
public:
    ModuleResourceChain() { zcuiChainResources(&TarvoResources()); }
    ~ModuleResourceChain() { zcuiUnchainResources(&TarvoResources()); }
    ModuleResourceChain(const ModuleResourceChain&) = delete;
    ModuleResourceChain& operator=(const ModuleResourceChain&) = delete;
};
