#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ZrxExport.h"

namespace platform {

// The contents of a registry as a .reg file gives them ("Windows Registry
// Editor Version 5.00" or "REGEDIT4"): keys by full path, hive first
// ("HKEY_LOCAL_MACHINE\SOFTWARE\KORVEL\Tarvo"), with their values. Names of
// keys and values are compared without regard to ASCII case, as the
// registry does.

struct RegistryValue {
    std::string name;           // "" is the key's default value ("@" in the file)
    uint32_t type = 0;          // REG_SZ, REG_DWORD, ...
    std::vector<uint8_t> data;  // as RegQueryValueExA gives it: texts UTF-8 with their zero
};

struct RegistryKeyData {
    std::string path;  // as written in the file
    std::vector<RegistryValue> values;

    const RegistryValue* find(std::string_view valueName) const;
};

class RegistryData {
public:
    // Whether the key exists: written in the file, or the parent of one that is.
    bool hasKey(std::string_view path) const;
    // The key's values; null when the key exists only as a parent (no values)
    // or not at all.
    const RegistryKeyData* key(std::string_view path) const;
    const std::vector<RegistryKeyData>& keys() const { return m_keys; }

    // The key of that path, added when missing.
    RegistryKeyData& addKey(std::string_view path);
    // Removes the key and every key below it.
    void removeKey(std::string_view path);
    // Sets or (with nullopt) removes a value.
    void setValue(std::string_view keyPath, RegistryValue value);
    void removeValue(std::string_view keyPath, std::string_view valueName);

private:
    std::vector<RegistryKeyData> m_keys;  // in the order the file gives them
};

// Whether two registry names are the same (ASCII case ignored).
bool sameRegistryName(std::string_view a, std::string_view b);

// Reads the text of a .reg file (already UTF-8). Nothing, with the line and
// the problem in error, when the text is not a registry file.
std::optional<RegistryData> parseRegistryText(std::string_view text, std::string& error);

// A text as a .reg file quotes it: in quotes, with '\' and '"' escaped.
ZRX_EXPORT std::string quotedRegistryString(std::string_view text);

}  // namespace platform
