#pragma once

#include <optional>

#include "ZcGePoint2d.h"

class SceneCache;
class ZcDbDatabase;

// The points a click snaps to on what is drawn.
enum class SnapKind { End, Middle, Centre, Nearest };

struct Snap {
    SnapKind kind = SnapKind::Nearest;
    ZcGePoint2d point;  // in the world
};

// The snap point within aperture (world units) of the cursor: the closest
// end, middle or centre; failing those, the nearest point of a line.
// Nothing when no line is that near. The drawing's index of entity boxes
// (the pick's own) says which entities' lines are measured: the scene must
// be the drawing's, built since it last changed.
std::optional<Snap> findSnap(const SceneCache& scene, const ZcDbDatabase& db, const ZcGePoint2d& cursor,
                             double aperture);
