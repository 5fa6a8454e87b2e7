#pragma once

#include <gtest/gtest.h>

#include "ZcDbDatabase.h"
#include "platform/db/Opened.h"

// Adds a new record to the drawing's table (both closed afterwards); the
// record's id.
template <class Table, class Record>
ZcDbObjectId addRecord(Zcad::ErrorStatus (ZcDbDatabase::*getTable)(Table*&, ZcDb::OpenMode), ZcDbDatabase& db,
                       Record* record)
{
    Table* raw = nullptr;
    (db.*getTable)(raw, ZcDb::kForWrite);
    platform::Opened<Table> table(raw);
    platform::Opened<Record> owned(record);
    ZcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Zcad::eOk);
    return id;
}
