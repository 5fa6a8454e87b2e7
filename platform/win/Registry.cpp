#include "platform/win/Registry.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>

#include "WinError.h"
#include "WinRegistry.h"
#include "platform/core/InputFile.h"
#include "platform/win/RegistryData.h"
#include "platform/win/TextEncodings.h"

using namespace platform;

namespace {

struct OpenKey {
    std::string path;  // full path, hive first
    REGSAM access = 0;
    RegistryKeyData snapshot;  // values as they were at the open
};

struct RegistryState {
    std::mutex mutex;
    std::optional<std::string> file;
    std::string text;
    std::map<uintptr_t, OpenKey> open;
    // Handles are never given out twice, so a stale handle cannot reach
    // another key.
    uintptr_t nextHandle = 0x1000;
};

RegistryState& state()
{
    static RegistryState s;
    return s;
}

// The registry as it is now; nothing with the reason when it cannot be read.
std::optional<RegistryData> currentRegistry(RegistryState& s, std::string& error)
{
    std::string text = s.text;
    if (s.file) {
        const std::optional<std::string> bytes = readInputFile(*s.file, error);
        if (!bytes)
            return std::nullopt;
        text = utf8FromWindowsText(*bytes);
    } else if (text.empty()) {
        return RegistryData{};
    }
    auto data = parseRegistryText(text, error);
    if (!data && s.file)
        error = *s.file + ": " + error;
    return data;
}

std::optional<std::string> hivePath(HKEY key)
{
    if (key == HKEY_CLASSES_ROOT)
        return "HKEY_CLASSES_ROOT";
    if (key == HKEY_CURRENT_USER)
        return "HKEY_CURRENT_USER";
    if (key == HKEY_LOCAL_MACHINE)
        return "HKEY_LOCAL_MACHINE";
    if (key == HKEY_USERS)
        return "HKEY_USERS";
    if (key == HKEY_CURRENT_CONFIG)
        return "HKEY_CURRENT_CONFIG";
    return std::nullopt;
}

uintptr_t handleValue(HKEY key) { return reinterpret_cast<uintptr_t>(key); }

// A sub-key path as the registry takes it: no empty parts.
bool validSubKey(std::string_view path)
{
    if (path.empty())
        return true;
    if (path.front() == '\\')
        return false;
    if (path.back() == '\\')
        path.remove_suffix(1);
    return path.find("\\\\") == std::string_view::npos;
}

}  // namespace

namespace platform {

void useRegistryFile(const std::string& path)
{
    RegistryState& s = state();
    std::lock_guard lock(s.mutex);
    s.file = path;
    s.text.clear();
}

void useRegistryText(std::string text)
{
    RegistryState& s = state();
    std::lock_guard lock(s.mutex);
    s.file.reset();
    s.text = std::move(text);
}

bool checkRegistry(std::string& error)
{
    RegistryState& s = state();
    std::lock_guard lock(s.mutex);
    return currentRegistry(s, error).has_value();
}

int openRegistryKeyCount()
{
    RegistryState& s = state();
    std::lock_guard lock(s.mutex);
    return int(s.open.size());
}

}  // namespace platform

extern "C" LSTATUS WINAPI RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if ((options & ~DWORD(REG_OPTION_OPEN_LINK)) != 0)
        return ERROR_INVALID_PARAMETER;
    RegistryState& s = state();
    std::lock_guard lock(s.mutex);

    std::string base;
    if (const auto hive = hivePath(root)) {
        base = *hive;
    } else {
        const auto it = s.open.find(handleValue(root));
        if (it == s.open.end())
            return ERROR_INVALID_HANDLE;
        base = it->second.path;
    }
    std::string_view sub = subKey ? subKey : "";
    if (!validSubKey(sub))
        return ERROR_BADKEY;
    if (!sub.empty() && sub.back() == '\\')
        sub.remove_suffix(1);
    const std::string path = sub.empty() ? base : base + "\\" + std::string(sub);

    std::string error;
    const auto data = currentRegistry(s, error);
    if (!data)
        return ERROR_BADDB;
    // The hives themselves always exist.
    if (path.find('\\') != std::string::npos && !data->hasKey(path))
        return ERROR_FILE_NOT_FOUND;

    OpenKey key;
    key.path = path;
    key.access = desired;
    if (const RegistryKeyData* found = data->key(path))
        key.snapshot = *found;
    key.snapshot.path = path;
    const uintptr_t handle = s.nextHandle;
    s.nextHandle += 4;
    s.open.emplace(handle, std::move(key));
    *result = reinterpret_cast<HKEY>(handle);
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                           LPDWORD dataSize)
{
    if (reserved || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    RegistryState& s = state();
    std::lock_guard lock(s.mutex);
    const RegistryValue* value = nullptr;
    std::optional<RegistryData> hive;  // a hive's own values, read now: hives are always open
    if (const auto hiveName = hivePath(key)) {
        std::string error;
        hive = currentRegistry(s, error);
        if (!hive)
            return ERROR_BADDB;
        const RegistryKeyData* own = hive->key(*hiveName);
        value = own ? own->find(valueName ? valueName : "") : nullptr;
    } else {
        const auto it = s.open.find(handleValue(key));
        if (it == s.open.end())
            return ERROR_INVALID_HANDLE;
        if ((it->second.access & KEY_QUERY_VALUE) == 0)
            return ERROR_ACCESS_DENIED;
        value = it->second.snapshot.find(valueName ? valueName : "");
    }
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    const auto size = DWORD(value->data.size());
    if (!dataSize)
        return ERROR_SUCCESS;
    if (data && *dataSize < size) {
        *dataSize = size;
        return ERROR_MORE_DATA;
    }
    if (data && size > 0)
        std::copy(value->data.begin(), value->data.end(), data);
    *dataSize = size;
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegCloseKey(HKEY key)
{
    if (hivePath(key))
        return ERROR_SUCCESS;
    RegistryState& s = state();
    std::lock_guard lock(s.mutex);
    return s.open.erase(handleValue(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
