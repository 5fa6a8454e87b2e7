#include "tools/LightTemplateFiles.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbHatch.h"
#include "ZcDbMText.h"
#include "ZcDbPolyline.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/render/IconFile.h"
#include "platform/render/Picture.h"
#include "tools/LightSymbols.h"

using platform::backgroundColour;
using platform::dxfToString;
using platform::iconFile;
using platform::PictureSettings;
using platform::RasterPicture;
using platform::rasterPicture;
using platform::Rgb;
using platform::writePicture;

namespace {

constexpr int kIconSize = 32;
// An icon's strokes as a share of the symbol's longer side: about one and
// a half pixels at 32, where hairlines would fade out.
constexpr double kIconStrokeShare = 0.05;
// The sheet: cells of this size in block units, so many in a row, names
// this high under the symbols.
constexpr double kSheetCell = 2100.0;
constexpr size_t kSheetColumns = 6;
constexpr double kSheetLabelHeight = 160.0;
constexpr int kSheetPixels = 1800;

// The drawing's model space, open for write while the object lives.
class ModelSpace {
public:
    explicit ModelSpace(ZcDbDatabase& db) { zcdbOpenObject(m_record, db.modelSpaceId(), ZcDb::kForWrite); }
    ~ModelSpace()
    {
        if (m_record)
            m_record->close();
    }
    ModelSpace(const ModelSpace&) = delete;
    ModelSpace& operator=(const ModelSpace&) = delete;

    // Appends the entity and closes it; one the drawing refuses is deleted.
    bool append(ZcDbEntity* entity)
    {
        entity->setLayer("0");
        if (!m_record || m_record->appendZcDbEntity(entity) != Zcad::eOk) {
            delete entity;
            return false;
        }
        entity->close();
        return true;
    }

private:
    ZcDbBlockTableRecord* m_record = nullptr;
};

// A solid fill of one outline, given by its geometry: a block definition
// has no use for the fill's link to the outline.
ZcDbHatch* solidFill(const ZcGePoint2dArray& points, const ZcGeDoubleArray& bulges)
{
    auto* fill = new ZcDbHatch;
    fill->setPattern(ZcDbHatch::kPreDefined, "SOLID");
    fill->appendLoop(ZcDbHatch::kExternal | ZcDbHatch::kPolyline, points, bulges);
    return fill;
}

// The symbol in the model space, moved by (dx, dy), its polylines but the
// fine ones strokeWidth wide. False when the drawing refused an entity.
bool drawSymbol(ModelSpace& space, const LightSymbol& symbol, double dx, double dy, double strokeWidth)
{
    for (const LightOutline& o : symbol) {
        ZcGePoint2dArray points;
        ZcGeDoubleArray bulges;
        auto* pline = new ZcDbPolyline;
        for (size_t i = 0; i < o.points.size(); ++i) {
            points.append({o.points[i].x + dx, o.points[i].y + dy});
            bulges.append(o.bulges[i]);
            pline->addVertexAt(pline->numVerts(), points[int(i)], o.bulges[i]);
        }
        pline->setClosed(o.closed);
        pline->setColorIndex(o.colour);
        if (strokeWidth > 0.0 && !o.fine)
            pline->setConstantWidth(strokeWidth);
        if (!space.append(pline))
            return false;
        if (o.filled) {
            ZcDbHatch* fill = solidFill(points, bulges);
            fill->setColorIndex(o.colour);
            if (!space.append(fill))
                return false;
        }
    }
    return true;
}

// The symbol's bounds, arcs taken by points along them.
struct Bounds {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double longer() const { return std::max(x1 - x0, y1 - y0); }
};

Bounds boundsOf(const LightSymbol& symbol)
{
    constexpr int kArcSteps = 16;
    Bounds b{1e300, 1e300, -1e300, -1e300};
    const auto add = [&b](double x, double y) {
        b = {std::min(b.x0, x), std::min(b.y0, y), std::max(b.x1, x), std::max(b.y1, y)};
    };
    for (const LightOutline& o : symbol)
        for (size_t i = 0; i < o.points.size(); ++i) {
            const ZcGePoint2d a = o.points[i], e = o.points[(i + 1) % o.points.size()];
            add(a.x, a.y);
            if (o.bulges[i] == 0.0 || (!o.closed && i + 1 == o.points.size()))
                continue;
            // The arc's centre and sweep from its chord and bulge.
            const double sweep = 4.0 * std::atan(o.bulges[i]);
            const double chord = std::hypot(e.x - a.x, e.y - a.y), radius = chord / (2.0 * std::sin(sweep / 2.0));
            const double mx = (a.x + e.x) / 2, my = (a.y + e.y) / 2, h = radius * std::cos(sweep / 2.0);
            const double cx = mx - h * (e.y - a.y) / chord, cy = my + h * (e.x - a.x) / chord;
            const double start = std::atan2(a.y - cy, a.x - cx);
            for (int k = 1; k < kArcSteps; ++k) {
                const double t = start + sweep * k / kArcSteps;
                add(cx + std::abs(radius) * std::cos(t), cy + std::abs(radius) * std::sin(t));
            }
        }
    return b;
}

bool knownSymbol(size_t index, std::string& error)
{
    if (index < lightCatalogue().size())
        return true;
    error = "no light symbol " + std::to_string(index);
    return false;
}

}  // namespace

std::string lightTemplateDxf(size_t index, std::string& error)
{
    if (!knownSymbol(index, error))
        return {};
    ZcDbDatabase db;
    if (ModelSpace space(db); !drawSymbol(space, lightSymbol(index), 0.0, 0.0, 0.0)) {
        error = std::string(lightCatalogue()[index].name) + ": the drawing refused an entity";
        return {};
    }
    return dxfToString(db, &error);
}

std::string lightIconFile(size_t index, std::string& error)
{
    if (!knownSymbol(index, error))
        return {};
    const LightSymbol symbol = lightSymbol(index);
    ZcDbDatabase db;
    const double stroke = kIconStrokeShare * boundsOf(symbol).longer();
    if (ModelSpace space(db); !drawSymbol(space, symbol, 0.0, 0.0, stroke)) {
        error = std::string(lightCatalogue()[index].name) + ": the drawing refused an entity";
        return {};
    }
    PictureSettings settings;
    settings.size = kIconSize;
    const std::optional<RasterPicture> picture = rasterPicture(db, settings, error);
    if (!picture)
        return {};
    // The picture's longer side is the icon's; the shorter is centred.
    const Rgb clear = backgroundColour(settings.background);
    RasterPicture icon;
    icon.width = icon.height = kIconSize;
    icon.pixels.assign(size_t(kIconSize) * kIconSize, clear.packed());
    const int left = (kIconSize - picture->width) / 2, top = (kIconSize - picture->height) / 2;
    for (int y = 0; y < std::min(picture->height, kIconSize); ++y)
        for (int x = 0; x < std::min(picture->width, kIconSize); ++x)
            icon.pixels[size_t(y + top) * kIconSize + size_t(x + left)] = picture->at(x, y).packed();
    return iconFile(icon, clear);
}

bool writeLightSheet(const std::string& path, std::string& error)
{
    ZcDbDatabase db;
    {
        ModelSpace space(db);
        for (size_t i = 0; i < lightCatalogue().size(); ++i) {
            const LightSymbol symbol = lightSymbol(i);
            const Bounds b = boundsOf(symbol);
            const double cx = double(i % kSheetColumns) * kSheetCell, cy = -double(i / kSheetColumns) * kSheetCell;
            // Each symbol centred in its cell, above its name.
            auto* label = new ZcDbMText;
            label->setLocation({cx, cy - kSheetCell / 2 + 1.5 * kSheetLabelHeight, 0.0});
            label->setAttachment(ZcDbMText::kMiddleCenter);
            label->setTextHeight(kSheetLabelHeight);
            label->setContents(lightCatalogue()[i].name);
            if (!drawSymbol(space, symbol, cx - (b.x0 + b.x1) / 2, cy + kSheetLabelHeight - (b.y0 + b.y1) / 2, 0.0) ||
                !space.append(label)) {
                error = "the sheet's drawing refused an entity";
                return false;
            }
        }
    }
    PictureSettings settings;
    settings.size = kSheetPixels;
    return writePicture(db, path, settings, error);
}
