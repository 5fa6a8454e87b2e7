#include "ZcRxDictionary.h"

#include "ZcEdCommandStack.h"
#include "ZcRxDynamicLinker.h"

ZCRX_DEFINE_MEMBERS(ZcRxDictionary, ZcRxObject)

ZcRxObject* ZcRxDictionary::at(const char* key) const
{
    if (!key)
        return nullptr;
    const auto it = m_entries.find(std::string_view(key));
    return it == m_entries.end() ? nullptr : it->second;
}

ZcRxObject* ZcRxDictionary::atPut(const char* key, ZcRxObject* object)
{
    if (!key)
        return nullptr;
    ZcRxObject*& slot = m_entries[key];
    ZcRxObject* previous = slot;
    slot = object;
    if (!object)
        m_entries.erase(key);
    return previous;
}

ZcRxObject* ZcRxDictionary::remove(const char* key) { return atPut(key, nullptr); }

ZcRxDictionary* zcrxSysRegistry()
{
    static ZcRxDynamicLinker linker;
    static ZcEdCommandStack commands;
    static ZcRxDictionary* registry = [] {
        static ZcRxDictionary d;
        d.atPut(ZCRX_DYNAMIC_LINKER, &linker);
        d.atPut(ZCRX_COMMAND_DOCK, &commands);
        return &d;
    }();
    return registry;
}
