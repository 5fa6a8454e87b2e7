#include "frame/Application.h"

#include "ZcRx.h"
#include "ZcRxDynamicLinker.h"
#include "frame/CommandTable.h"
#include "services/TextStyle.h"

void InitApplication(void* appId)
{
    ZcRxDynamicLinker* linker = ZcRxDynamicLinker::cast(zcrxSysRegistry()->at(ZCRX_DYNAMIC_LINKER));
    if (linker)
        linker->unlockApplication(appId);
    zcrxRegisterAppMDIAware(appId);
    LoadApplication();
}

void LoadApplication()
{
    RegisterCommands(CommandTable());
    EnsureTextStyle(kTarvoTextStyle);
}

void UnloadApplication() { RemoveCommands(); }
