#pragma once

#include "ZrxExport.h"

// Messages the host sends to an application through its entry point, and
// what the entry point answers.
namespace ZcRx {
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
};

enum AppRetCode { kRetOK = 0, kRetError = 3 };
}  // namespace ZcRx

// The one function an application exports; the host finds it by this name
// after loading the module, and passes the module's handle as appId.
extern "C" __attribute__((visibility("default"))) ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode msg,
                                                                                 void* appId);
using ZcRxEntryPointFunction = ZcRx::AppRetCode (*)(ZcRx::AppMsgCode, void*);
#define ZCRX_ENTRY_POINT_NAME "zcrxEntryPoint"

// Declares the application usable with several open drawings at once.
ZRX_EXPORT bool zcrxRegisterAppMDIAware(void* appId);
