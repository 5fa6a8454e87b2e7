#include "platform/ui/ResourceChain.h"

#include <algorithm>
#include <vector>

using namespace platform;

namespace {

std::vector<const ZcUiModuleResources*>& chain()
{
    static std::vector<const ZcUiModuleResources*> modules;
    return modules;
}

}  // namespace

void zcuiChainResources(const ZcUiModuleResources* resources)
{
    if (resources && std::find(chain().begin(), chain().end(), resources) == chain().end())
        chain().insert(chain().begin(), resources);
}

void zcuiUnchainResources(const ZcUiModuleResources* resources)
{
    std::erase(chain(), resources);
}

namespace platform {

const char* findChainedString(UINT id)
{
    for (const ZcUiModuleResources* module : chain())
        for (size_t i = 0; i < module->stringCount; ++i)
            if (module->strings[i].id == id)
                return module->strings[i].text;
    return nullptr;
}

const ZcUiDialogTemplate* findChainedDialog(UINT id)
{
    for (const ZcUiModuleResources* module : chain())
        for (size_t i = 0; i < module->dialogCount; ++i)
            if (module->dialogs[i].id == id)
                return &module->dialogs[i];
    return nullptr;
}

const ZcUiImageResource* findChainedImage(UINT id, ZcUiImageKind kind)
{
    for (const ZcUiModuleResources* module : chain())
        for (size_t i = 0; i < module->imageCount; ++i)
            if (module->images[i].id == id && module->images[i].kind == kind)
                return &module->images[i];
    return nullptr;
}

}  // namespace platform
