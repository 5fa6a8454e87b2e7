#include "ZcRxDynamicLinker.h"

#include <dlfcn.h>

#include <algorithm>
#include <exception>

#include "ZcEdCommandStack.h"
#include "ZcRx.h"
#include "platform/editor/CommandStackAccess.h"
#include "platform/editor/Transcript.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcRxDynamicLinker, ZcRxObject)

struct ZcRxDynamicLinker::Module {
    std::string path;
    void* handle = nullptr;  // the application's id
    ZcRxEntryPointFunction entry = nullptr;
    const void* base = nullptr;
    bool locked = true;
    bool mdiAware = false;
};

namespace {

std::string fileNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void say(const std::string& text) { transcript().print("\n" + text); }

// Sends a message; an exception thrown out of the application counts as a refusal.
ZcRx::AppRetCode send(ZcRxEntryPointFunction entry, ZcRx::AppMsgCode msg, void* appId, const std::string& path)
{
    try {
        return entry(msg, appId);
    } catch (const std::exception& e) {
        say("Aplikacja \"" + fileNameOf(path) + "\" zgłosiła wyjątek: " + e.what());
    } catch (...) {
        say("Aplikacja \"" + fileNameOf(path) + "\" zgłosiła wyjątek.");
    }
    return ZcRx::kRetError;
}

// Commands the module registered and did not take out itself go before
// its code does.
void dropCommandsOf(const void* base, const std::string& path, bool tell)
{
    ZcEdCommandStack* stack = zcedRegCmds;
    if (!stack)
        return;
    const std::vector<std::string> removed = ZcEdCommandStackAccess::removeCommandsOf(*stack, base);
    if (tell)
        for (const std::string& name : removed)
            say("Usunięto polecenie " + name + " pozostawione przez \"" + fileNameOf(path) + "\".");
}

}  // namespace

ZcRxDynamicLinker::ZcRxDynamicLinker() = default;
// Modules still loaded stay mapped: the process is ending.
ZcRxDynamicLinker::~ZcRxDynamicLinker() = default;

ZcRxDynamicLinker::Module* ZcRxDynamicLinker::find(const char* fileName) const
{
    if (!fileName || !*fileName)
        return nullptr;
    const std::string wanted = fileName;
    for (const auto& m : m_modules)
        if (m->path == wanted)
            return m.get();
    for (const auto& m : m_modules)
        if (fileNameOf(m->path) == fileNameOf(wanted))
            return m.get();
    return nullptr;
}

ZcRxDynamicLinker::Module* ZcRxDynamicLinker::findById(void* appId) const
{
    for (const auto& m : m_modules)
        if (m->handle == appId)
            return m.get();
    return nullptr;
}

bool ZcRxDynamicLinker::loadModule(const char* fileName, bool printit, bool asCmd)
{
    if (!fileName || !*fileName)
        return false;
    if (find(fileName)) {
        if (printit)
            say("Aplikacja \"" + fileNameOf(fileName) + "\" jest już załadowana.");
        return true;
    }
    const std::string path = fileName;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (printit) {
            const char* why = dlerror();
            say("Nie można załadować \"" + path + "\": " + (why ? why : "nieznany błąd"));
        }
        return false;
    }
    // The same file under another name (a link) is the module already
    // loaded: a second start would register its commands twice, and its
    // unloading would take out the first one's.
    if (const Module* loaded = findById(handle)) {
        dlclose(handle);
        if (printit)
            say("Aplikacja \"" + fileNameOf(loaded->path) + "\" jest już załadowana.");
        return true;
    }
    auto entry = reinterpret_cast<ZcRxEntryPointFunction>(dlsym(handle, ZCRX_ENTRY_POINT_NAME));
    Dl_info info{};
    if (!entry || dladdr(reinterpret_cast<void*>(entry), &info) == 0) {
        if (printit)
            say("\"" + path + "\" nie jest aplikacją: brak " ZCRX_ENTRY_POINT_NAME ".");
        dlclose(handle);
        return false;
    }

    auto module = std::make_unique<Module>();
    module->path = path;
    module->handle = handle;
    module->entry = entry;
    module->base = info.dli_fbase;
    m_modules.push_back(std::move(module));

    if (send(entry, ZcRx::kInitAppMsg, handle, path) != ZcRx::kRetOK) {
        dropCommandsOf(info.dli_fbase, path, false);
        m_modules.pop_back();
        dlclose(handle);
        if (printit)
            say("Aplikacja \"" + fileNameOf(path) + "\" nie dała się zainicjować.");
        return false;
    }
    if (asCmd)
        say("Załadowano \"" + fileNameOf(path) + "\".");
    return true;
}

bool ZcRxDynamicLinker::unloadModule(const char* fileName, bool asCmd)
{
    Module* module = find(fileName);
    if (!module) {
        if (asCmd)
            say("Aplikacja \"" + fileNameOf(fileName ? fileName : "") + "\" nie jest załadowana.");
        return false;
    }
    if (module->locked) {
        if (asCmd)
            say("Nie można wyładować \"" + fileNameOf(module->path) + "\": aplikacja jest zablokowana.");
        return false;
    }
    if (send(module->entry, ZcRx::kUnloadAppMsg, module->handle, module->path) != ZcRx::kRetOK) {
        if (asCmd)
            say("Aplikacja \"" + fileNameOf(module->path) + "\" odmówiła wyładowania.");
        return false;
    }
    dropCommandsOf(module->base, module->path, true);
    const std::string name = fileNameOf(module->path);
    void* handle = module->handle;
    std::erase_if(m_modules, [&](const auto& m) { return m.get() == module; });
    dlclose(handle);
    if (asCmd)
        say("Wyładowano \"" + name + "\".");
    return true;
}

void ZcRxDynamicLinker::unloadAllAtExit()
{
    while (!m_modules.empty()) {
        const std::unique_ptr<Module> module = std::move(m_modules.back());
        m_modules.pop_back();
        send(module->entry, ZcRx::kUnloadAppMsg, module->handle, module->path);
        dropCommandsOf(module->base, module->path, false);
    }
}

bool ZcRxDynamicLinker::unlockApplication(void* appId)
{
    Module* m = findById(appId);
    if (m)
        m->locked = false;
    return m != nullptr;
}

bool ZcRxDynamicLinker::lockApplication(void* appId)
{
    Module* m = findById(appId);
    if (m)
        m->locked = true;
    return m != nullptr;
}

bool ZcRxDynamicLinker::isApplicationLocked(const char* fileName) const
{
    const Module* m = find(fileName);
    return m && m->locked;
}

bool ZcRxDynamicLinker::registerAppMDIAware(void* appId)
{
    Module* m = findById(appId);
    if (m)
        m->mdiAware = true;
    return m != nullptr;
}

bool ZcRxDynamicLinker::isAppMDIAware(const char* fileName) const
{
    const Module* m = find(fileName);
    return m && m->mdiAware;
}

bool ZcRxDynamicLinker::isLoaded(const char* fileName) const { return find(fileName) != nullptr; }

std::vector<std::string> ZcRxDynamicLinker::loadedModules() const
{
    std::vector<std::string> paths;
    for (const auto& m : m_modules)
        paths.push_back(m->path);
    return paths;
}

bool zcrxRegisterAppMDIAware(void* appId)
{
    ZcRxDynamicLinker* linker = zcrxDynamicLinker;
    return linker && linker->registerAppMDIAware(appId);
}
