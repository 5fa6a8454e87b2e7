#pragma once

#include <span>

// The plug-in's string table: the STRINGTABLE of resources/Tarvo.rc,
// compiled into the plug-in at build time (UTF-8 texts).

struct StringTableEntry {
    unsigned id;
    const char* text;
};

// Every string of the table, sorted by id.
std::span<const StringTableEntry> TarvoStringTable();

// The text of a string of the table; "" for an id the table does not have,
// so a prompt shows nothing rather than anything else.
const char* LoadTarvoString(unsigned id);

// Whether the table has a string of that id.
bool HasTarvoString(unsigned id);
