#include "ZcRx.h"
#include "frame/Application.h"
#include "frame/ModuleResources.h"

namespace {

// The module's dialogs, strings and images are found from the moment it is
// loaded until it is unloaded, as an extension module's are.
const ModuleResourceChain kResourceChain;

}  // namespace

extern "C" ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode msg, void* appId)
{
    switch (msg) {
    case ZcRx::kInitAppMsg:
        InitApplication(appId);
        break;
    case ZcRx::kUnloadAppMsg:
        UnloadApplication();
        break;
    default:
        break;
    }
    return ZcRx::kRetOK;
}
