#include "platform/render/DrawingFrame.h"

#include "ZcDbBlockTable.h"
#include "platform/db/ObjectAccess.h"
#include "platform/render/ShapeExtents.h"

namespace platform {

Rgb backgroundColour(PictureSettings::Background background)
{
    // Dark is the drawing editor's model-space grey-blue.
    return background == PictureSettings::Background::Light ? Rgb{255, 255, 255} : Rgb{33, 40, 48};
}

Rgb foregroundColour(PictureSettings::Background background)
{
    return background == PictureSettings::Background::Light ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
}

SceneSettings pictureSceneSettings(const PictureSettings& settings, double minPatternLength)
{
    SceneSettings s;
    s.foreground = foregroundColour(settings.background);
    s.minPatternLength = minPatternLength;
    return s;
}

std::optional<Framing> frameDrawing(const ZcDbDatabase& db, const PictureSettings& settings, std::string& error,
                                    std::vector<std::string>& notices)
{
    ShapeExtents extents;
    if (buildScene(db, pictureSceneSettings(settings, 0.0), extents, notices))
        return frameExtents(extents.extents(), settings, error);
    // Cut short, what is drawn is only a corner of the drawing: the picture
    // frames the whole, from the entities' own extents (blocks' are kept).
    ZcDbExtents whole = extents.extents();
    if (const auto* space = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId()))
        for (const ZcDbObjectId& id : space->entityIds()) {
            const auto* entity = ZcDbObjectAccess::peekAs<ZcDbEntity>(id);
            ZcDbExtents own;
            if (entity && !entity->isErased() && entity->getGeomExtents(own) == Zcad::eOk)
                whole.addExt(own);
        }
    return frameExtents(whole, settings, error);
}

}  // namespace platform
