#pragma once

#include <cstdint>
#include <string>

#include "ZcCmColor.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbEntity.h"
#include "ZcDbGroup.h"
#include "resbuf.h"

// The drawing routines' way into the working drawing: each function keeps
// the host's open/close rule and reports failure only by its result.

// Appends a new entity to the owner record (open for write, left open for
// further appends) or, without one, to model space, which is opened and
// closed around the append. The entity stays open either way; its creator
// closes it.
bool AppendToModelSpace(ZcDbEntity* entity, ZcDbBlockTableRecord* owner = nullptr);

// The named-object dictionary's entry of that name, added as a new empty
// dictionary when missing (returned open for write) or found (open for
// read). Null when there is no working drawing or the entry is not a
// dictionary.
[[nodiscard]] ZcDbDictionary* GetOrCreateNamedDictionary(const char* name);

// The dictionary's entry opened for write, or null.
[[nodiscard]] ZcDbObject* GetDictionaryEntry(ZcDbDictionary* dictionary, const char* key);

// The object's extended data of one application, or null; the caller
// releases it with zcutRelRb.
[[nodiscard]] resbuf* GetExtendedData(const ZcDbObject* object, const char* regappName);

// A new group (selectable) put in the group dictionary under the name ("*"
// for an anonymous one), returned open for the caller to fill and close.
// The dictionary is opened in the given mode; null when it cannot be
// opened or will not take the group.
[[nodiscard]] ZcDbGroup* CreateGroup(const char* name, ZcDb::OpenMode dictionaryMode);

// Puts the entity on top of the record's draw order, creating the record's
// draw-order table when it has none.
void MoveToTop(ZcDbBlockTableRecord* owner, ZcDbObjectId entityId);

// Layer, colour, linetype, linetype scale and lineweight of the source,
// given to the target (open for write) in that order.
void CopyEntityProperties(const ZcDbEntity* source, ZcDbEntity* target);

// Whether the entity's layer is locked: the host then refuses to change it.
bool IsOnLockedLayer(const ZcDbEntity* entity);

// Whether the working drawing has a layer of that name and it is locked.
// What a command puts there it cannot open again to finish (a double
// marking's lines, a description line, a half-made board taken away), so
// the commands refuse such a destination before they draw, saying so with
// what was not drawn ("oznaczenia nie narysowano.").
bool RefuseLockedDestination(const std::string& layer, const char* notDrawn);

// The palette colour nearest to a colour given as zcedGetRGB gives one (red
// in bits 0-7, green 8-15, blue 16-23): least sum of channel differences
// over indexes 1 to 254, the lower index on a tie.
ZcCmColor NearestColorIndex(int32_t rgb);
