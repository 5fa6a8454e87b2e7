#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbEntity.h"
#include "resbuf.h"

class ZcDbPolyline;
class ZcDbSpline;

// A new drawing made the working one for the test's lifetime.
class TestDrawing {
public:
    TestDrawing() : m_db(std::make_unique<ZcDbDatabase>()) { zcdbHostApplicationServices()->setWorkingDatabase(m_db.get()); }
    ~TestDrawing() { zcdbHostApplicationServices()->setWorkingDatabase(nullptr); }

    ZcDbDatabase& db() { return *m_db; }
    // Appends a new entity to model space and closes it; returns its id.
    ZcDbObjectId append(ZcDbEntity* entity);
    // Adds a layer of that name; false when the table refuses it.
    bool addLayer(const char* name);
    // Number of objects of the drawing still open.
    size_t openCount() const;
    // Model space's polylines, in drawing order, and its number of entities.
    std::vector<const ZcDbPolyline*> polylines() const;
    size_t entityCount() const;

private:
    std::unique_ptr<ZcDbDatabase> m_db;
};

// A new cubic spline arching from (x0, 0) to (x0 + 10, 0) over control
// points 10 up: the curve peaks at 7.5 halfway, 2.5 below its control points.
ZcDbSpline* cubicArch(double x0);

// Writes a template drawing whose model space holds the one entity (taken
// over); false, with the reason in error, when it cannot be written.
bool writeTemplateDrawing(const std::string& path, ZcDbEntity* entity, std::string& error);

// The entities of the database's model space, in order, without opening them.
std::vector<const ZcDbEntity*> modelSpace(const ZcDbDatabase& db);

// A new result-buffer item holding a copy of the text.
resbuf* textItem(int code, const std::string& text);
