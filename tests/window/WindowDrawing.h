#pragma once

#include <memory>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbEntity.h"

// A new drawing, the working one while the test runs, built with the
// host's own calls (the window links the platform as the console does).
class WindowDrawing {
public:
    WindowDrawing() : m_db(std::make_unique<ZcDbDatabase>(true))
    {
        zcdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }
    ~WindowDrawing() { zcdbHostApplicationServices()->setWorkingDatabase(nullptr); }

    ZcDbDatabase& db() { return *m_db; }
    ZcDbObjectId append(ZcDbEntity* entity) { return appendTo(*m_db, entity); }
    // Appends the entity to the drawing's model space and closes it.
    static ZcDbObjectId appendTo(ZcDbDatabase& db, ZcDbEntity* entity)
    {
        ZcDbBlockTable* table = nullptr;
        ZcDbBlockTableRecord* model = nullptr;
        db.getBlockTable(table, ZcDb::kForRead);
        table->getAt(ZCDB_MODEL_SPACE, model, ZcDb::kForWrite);
        table->close();
        entity->setDatabaseDefaults(&db);
        ZcDbObjectId id;
        model->appendZcDbEntity(id, entity);
        model->close();
        entity->close();
        return id;
    }

private:
    std::unique_ptr<ZcDbDatabase> m_db;
};
