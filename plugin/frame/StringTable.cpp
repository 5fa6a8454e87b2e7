#include "frame/StringTable.h"

#include <algorithm>

namespace {

const StringTableEntry* find(unsigned id)
{
    const std::span<const StringTableEntry> table = TarvoStringTable();
    const auto it = std::lower_bound(table.begin(), table.end(), id,
                                     [](const StringTableEntry& e, unsigned key) { return e.id < key; });
    return it != table.end() && it->id == id ? &*it : nullptr;
}

}  // namespace

const char* LoadTarvoString(unsigned id)
{
    const StringTableEntry* entry = find(id);
    return entry ? entry->text : "";
}

bool HasTarvoString(unsigned id) { return find(id) != nullptr; }
