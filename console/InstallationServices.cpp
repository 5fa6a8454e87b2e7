#include "console/InstallationServices.h"

#include "platform/text/FontFiles.h"
#include "platform/win/Registry.h"
#include "platform/win/RegistryData.h"

using platform::checkRegistry;
using platform::quotedRegistryString;
using platform::setFontInstallationFolder;
using platform::useRegistryFile;
using platform::useRegistryText;

std::string installationRegistryText(const std::string& dataDir)
{
    // The folder is stored without a trailing separator: the plug-in appends "\Tarvo.lin".
    std::string folder = dataDir;
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return "Windows Registry Editor Version 5.00\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n"
           "\"Path\"=" +
           quotedRegistryString(folder) + "\r\n";
}

bool setUpInstallationServices(const Options& options, const ConsolePaths& paths, std::string& error)
{
    setFontInstallationFolder(paths.dataDir);
    if (!options.registry) {
        useRegistryText(installationRegistryText(paths.dataDir));
        return true;
    }
    useRegistryFile(*options.registry);
    if (!checkRegistry(error)) {
        error = "the registry file " + error;
        return false;
    }
    return true;
}
