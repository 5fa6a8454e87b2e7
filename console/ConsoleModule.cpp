#include "console/ConsoleModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>

#include "console/ConsolePaths.h"

void* consoleModuleEntry(const std::string& module, const char* entry, std::string& error)
{
    // Loaded modules stay for the life of the process, as their code may be
    // running when anything else would unload them.
    static std::map<std::string, void*> loaded;
    void*& handle = loaded[module];
    if (!handle) {
        const std::string file = (std::filesystem::path(findConsolePaths().moduleDir) / (module + ".so")).string();
        // A build of the console alone leaves out the modules it does not
        // need to run scripts: say which one, not dlopen's bare "no such file".
        if (std::error_code ignored; !std::filesystem::exists(file, ignored)) {
            error = file + " is not there: build or install " + module + " beside the console";
            return nullptr;
        }
        handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* reason = ::dlerror();
            error = reason ? reason : "cannot load " + file;
            return nullptr;
        }
    }
    void* address = ::dlsym(handle, entry);
    if (!address)
        error = module + ".so has no " + entry;
    return address;
}
