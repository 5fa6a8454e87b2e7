#pragma once

#include <map>
#include <string>

#include "ZcRxObject.h"
#include "ZrxExport.h"

// Objects kept under names, looked up exactly as named. The dictionary does
// not own what it holds: whoever puts an object in keeps it alive.
class ZRX_EXPORT ZcRxDictionary : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcRxDictionary)

    // The object kept under the key, or null.
    ZcRxObject* at(const char* key) const;
    // Keeps the object under the key; returns what was kept there before, or null.
    ZcRxObject* atPut(const char* key, ZcRxObject* object);
    // Takes the key out; returns what was kept there, or null.
    ZcRxObject* remove(const char* key);
    bool has(const char* key) const { return at(key) != nullptr; }
    int numEntries() const { return static_cast<int>(m_entries.size()); }

private:
    std::map<std::string, ZcRxObject*, std::less<>> m_entries;  // found by any text, with no copy
};

// The host's system registry: the services an application looks up by name.
ZRX_EXPORT ZcRxDictionary* zcrxSysRegistry();

// Names of the system registry's services.
#define ZCRX_DYNAMIC_LINKER "DynamicLinker"
#define ZCRX_COMMAND_DOCK "ZCAD_REGISTERED_COMMANDS"
