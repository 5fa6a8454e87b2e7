#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ZcDbBlockTable.h"
#include "ZcGePoint3d.h"
#include "platform/db/Opened.h"
#include "tests/support/TestDrawing.h"

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr double kPi = 3.14159265358979323846;
// Agreement expected of computed geometry in these small test drawings.
inline constexpr double kGeomTol = 1e-9;

using platform::Opened;

inline void expectNear(const ZcGePoint3d& actual, const ZcGePoint3d& expected, double tol = kGeomTol)
{
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

inline void expectNear(const ZcGePoint2d& actual, const ZcGePoint2d& expected, double tol = kGeomTol)
{
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
}

// A new named block with its origin, holding the given entities (taken and closed).
inline ZcDbObjectId newBlock(TestDrawing& d, const char* name, const ZcGePoint3d& origin,
                             std::initializer_list<ZcDbEntity*> entities)
{
    ZcDbBlockTable* table = nullptr;
    EXPECT_EQ(d.db().getBlockTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* record = new ZcDbBlockTableRecord;
    record->setName(name);
    record->setOrigin(origin);
    ZcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Zcad::eOk);
    for (ZcDbEntity* e : entities) {
        EXPECT_EQ(record->appendZcDbEntity(e), Zcad::eOk);
        e->close();
    }
    record->close();
    table->close();
    return id;
}
