#include "services/RegistryString.h"

#include "services/RegistryKey.h"

std::string ReadRegistryString(const char* subKey, const char* valueName)
{
    RegistryKey key(HKEY_LOCAL_MACHINE, KEY_READ, true);
    key.Open(subKey);  // a failure shows; the read below then fails too
    std::string value = key.ReadString(valueName);
    key.Close();
    return value;
}

std::string InstallationFolder() { return ReadRegistryString(kTarvoRegistryKey, kInstallationFolderValue); }
