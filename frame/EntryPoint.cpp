#include "ZcRx.h"
#include "frame/Application.h"

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
