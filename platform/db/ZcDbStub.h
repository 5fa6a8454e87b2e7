#pragma once

#include <cstdint>

class ZcDbDatabase;
class ZcDbObject;

namespace platform {

// What an object id points to: the object's place in its drawing. Stubs
// live as long as the drawing, so ids stay valid after an erase.
struct ZcDbStub {
    ZcDbDatabase* database = nullptr;
    uint64_t handle = 0;
    ZcDbObject* object = nullptr;
    // The drawing's count of edits when this object last changed: what is
    // worked out from one object alone stays valid while this has not moved
    // and the object is not open for write.
    uint64_t edited = 0;
    // A model-space entity's rank in the drawing's pick index, plus one;
    // 0 when it has none.
    uint32_t pickSlot = 0;
};

}  // namespace platform
