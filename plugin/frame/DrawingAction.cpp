#include "frame/DrawingAction.h"

#include "services/RegistryKey.h"
#include "services/RegistryString.h"
#include "zcut.h"

bool RunDrawingAction(FolderUse folder, const std::function<void()>& action)
{
    try {
        if (folder == FolderUse::Needed)
            InstallationFolder();
        action();
        return true;
    } catch (const RegistryReadError&) {
        zcutPrintf("\nNie odczytano folderu instalacji z rejestru; rysowanie przerwano.");
        return false;
    }
}
