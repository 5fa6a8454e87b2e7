#pragma once

#include <cstdint>

class ZcDbDatabase;
class ZcDbObject;

// What an object id points to: the object's place in its drawing. Stubs
// live as long as the drawing, so ids stay valid after an erase.
struct ZcDbStub {
    ZcDbDatabase* database = nullptr;
    uint64_t handle = 0;
    ZcDbObject* object = nullptr;
};
