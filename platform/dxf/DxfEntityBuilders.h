#pragma once

#include <string_view>
#include <vector>

#include "platform/dxf/DxfRecord.h"

class ZcDbEntity;

namespace platform {

class DxfReadContext;

// An entity's own tags (after the common entity part, before extended
// data), subclass markers included.
using DxfEntityBody = std::vector<const DxfTag*>;

// The entity of the object model a kind's tags describe, new and open; null
// when the kind is not modelled or its tags hold something the model cannot
// carry (the caller then keeps the entity as read), and null with the
// context failed on a value that is no number.
ZcDbEntity* buildEntity(DxfReadContext& ctx, std::string_view kind, const DxfEntityBody& body);

// An old file's entity written in the newer form: its tags sorted under the
// subclass markers that form needs. Kinds without a known form keep their
// tags as they are.
struct ZcDbRawTag;
std::vector<ZcDbRawTag> withSubclassMarkers(std::string_view kind, std::vector<ZcDbRawTag> tags);

}  // namespace platform
