#include "markings/LineMarking.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "CString.h"
#include "ZcDbBlockReference.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "frame/DrawingSettings.h"
#include "geometry/Angles.h"
#include "geometry/EntityQueries.h"
#include "geometry/Points.h"
#include "geometry/Tolerances.h"
#include "resource.h"
#include "services/Blocks.h"
#include "services/CurveSplitting.h"
#include "services/DatabaseServices.h"
#include "services/DescriptionBlocks.h"
#include "services/EntityBuilders.h"
#include "services/Input.h"
#include "services/Linetype.h"
#include "zcut.h"

namespace {

constexpr const char* kContinuous = "Continuous";

std::string Formatted(double value)
{
    CString text;
    text.Format("%.2f", value);
    return text.str();
}

constexpr int kColorByLayer = 256;

// The erased centre of a double marking is not in its group: the two lines are.
struct DrawnMarking {
    ZcDbObjectIdArray lines;
    bool drawn = false;
};

void EraseEntity(ZcDbObjectId id)
{
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForWrite);
    if (entity)
        entity->erase();
}

// The lines at a distance from the centre, in model space: more than one
// where a bend too tight for the offset parts it; none when nothing is left.
ZcDbObjectIdArray AppendOffset(const ZcDbPolyline* centre, double distance)
{
    ZcDbObjectIdArray ids;
    ZcDbVoidPtrArray curves;
    if (centre->getOffsetCurves(distance, curves) != Zcad::eOk)
        return ids;
    for (void* curve : curves) {
        auto* line = static_cast<ZcDbEntity*>(curve);
        ZcDbObjectPointer<ZcDbEntity> appended;
        const bool ok = AppendToModelSpace(line);
        appended.acquire(line);
        if (ok)
            ids.append(appended->objectId());
    }
    return ids;
}

double DistanceToCurves(const ZcDbObjectIdArray& ids, ZcGePoint3d point)
{
    double best = 1e300;
    for (ZcDbObjectId id : ids) {
        ZcDbObjectPointer<ZcDbCurve> curve(id, ZcDb::kForRead);
        ZcGePoint3d nearest;
        if (curve && curve->getClosestPointTo(point, nearest) == Zcad::eOk)
            best = std::min(best, nearest.distanceTo(point));
    }
    return best;
}

void SetLinetype(ZcDbObjectId id, const char* linetype)
{
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForWrite);
    if (entity)
        entity->setLinetype(linetype);
}

// The marking's look on the piece (open for write); for a double marking
// the two lines replace it. Not drawn, with one line saying why, when the
// offsets fail or the side is not picked.
DrawnMarking ApplyMarkingStyle(ZcDbPolyline* piece, const D_Linetype& entry)
{
    DrawnMarking result;
    for (const std::string& name : {entry.linetype, entry.secondLinetype})
        if (name != kContinuous)
            EnsureLinetype(name.c_str());
    piece->setLinetype(entry.linetype.c_str());
    // The working copy took the edge's colour and lineweight; a marking
    // shows as its layer says, like everything else on it.
    piece->setColorIndex(kColorByLayer);
    piece->setLineWeight(ZcDb::kLnWtByLayer);
    piece->setPlinegen(true);
    piece->setLinetypeScale(1.0);
    piece->setConstantWidth(entry.width);
    if (!IsDoubleMarking(entry)) {
        result.lines.append(piece->objectId());
        result.drawn = true;
        return result;
    }
    const ZcDbObjectIdArray right = AppendOffset(piece, kDoubleLineOffset);
    const ZcDbObjectIdArray left = AppendOffset(piece, -kDoubleLineOffset);
    if (right.isEmpty() || left.isEmpty()) {
        for (const ZcDbObjectIdArray* side : {&right, &left})
            for (ZcDbObjectId id : *side)
                EraseEntity(id);
        zcutPrintf("\n%s: linie odsunięte o %.2f nie mieszczą się na tym odcinku (zbyt ciasny łuk); "
                   "oznaczenia nie narysowano.",
                   entry.symbol.c_str(), kDoubleLineOffset);
        return result;
    }
    if (HasPickedSide(entry)) {
        CString prompt;
        prompt.LoadString(IDS_PROMPT_DASHED_SIDE);
        const std::optional<ZcGePoint3d> side = PickPoint(std::nullopt, prompt, true);
        if (!side) {
            for (const ZcDbObjectIdArray* lines : {&right, &left})
                for (ZcDbObjectId id : *lines)
                    EraseEntity(id);
            piece->erase();
            zcutPrintf("\n%s: nie wskazano strony przerywanej; oznaczenia nie narysowano.", entry.symbol.c_str());
            return result;
        }
        // On a tie the right-hand line gets the second linetype.
        const bool leftNearer = DistanceToCurves(left, *side) < DistanceToCurves(right, *side);
        for (ZcDbObjectId id : leftNearer ? left : right)
            SetLinetype(id, entry.secondLinetype.c_str());
    }
    piece->erase();
    result.lines.append(right);
    result.lines.append(left);
    result.drawn = true;
    return result;
}

// The marking, its description line and its description on one piece
// (open for write, closed by the caller).
void DrawOnPiece(ZcDbPolyline* piece, const LineMarkingChoice& choice, ZcGePoint3d from, ZcGePoint3d to)
{
    const D_Linetype& entry = choice.entry;
    // By parameter: a piece once round a closed edge ends where it starts.
    double endParam = 0.0, length = 0.0;
    piece->getEndParam(endParam);
    piece->getDistAtParam(endParam, length);
    const DrawingSettings settings = ReadDrawingSettings();
    const std::string layer = LayerForDestination(settings, choice.destination);
    piece->setLayer(layer.c_str());
    const DrawnMarking marking = ApplyMarkingStyle(piece, entry);
    if (!marking.drawn)
        return;
    for (ZcDbObjectId id : marking.lines)
        if (id != piece->objectId()) {
            ZcDbObjectPointer<ZcDbEntity> line(id, ZcDb::kForWrite);
            if (line)
                line->setLayer(layer.c_str());
        }

    ZcDbObjectIdArray inserted = marking.lines;
    const ZcDbObjectId leaderId = DrawDescriptionLine();
    if (leaderId.isNull())
        return;
    inserted.append(leaderId);
    ZcGePoint3d at;
    {
        ZcDbObjectPointer<ZcDbPolyline> leader(leaderId, ZcDb::kForWrite);
        if (leader) {
            leader->setLayer(layer.c_str());
            leader->getEndPoint(at);
        }
    }
    const std::string block = GetHorizontalDescBlock();
    const double scale = DescriptionScale(choice.scaleIndex, settings.markingScale);
    // The order of the picks chooses nothing on an open edge and should not
    // turn the text.
    const double readable = ReadableAngle(PointAngle(from, to));
    if (ZcDbBlockReference* made =
            block.empty() ? nullptr
                          : InsertBlockReference(block.c_str(), at, ZcGeScale3d(scale, scale, scale), readable)) {
        ZcDbObjectPointer<ZcDbBlockReference> reference;
        reference.acquire(made);
        inserted.append(reference->objectId());
        SetReferenceLayer(reference.object(), layer);
        SetAttributeTexts(reference.object(), {{"Symbol", entry.symbol},
                                               {"Długość", Formatted(length)},
                                               {"Powierzchnia", Formatted(length * entry.areaPerMetre) + " m2"},
                                               {"Powierzchnia_na_mb", Formatted(entry.areaPerMetre)},
                                               {"Przeznaczenie", choice.destinationName}});
    }
    if (settings.groupObjects) {
        ZcDbObjectPointer<ZcDbGroup> group;
        if (ZcDbGroup* made = CreateGroup("*", ZcDb::kForWrite)) {
            group.acquire(made);
            for (ZcDbObjectId id : inserted)
                group->append(id);
        }
    }
}

// Whether the piece is the one to draw between the two points: on an open
// edge either way round, on a closed one from the first to the second.
bool IsWantedPiece(const ZcDbCurve* piece, ZcGePoint3d from, ZcGePoint3d to, bool closedEdge)
{
    if (!closedEdge)
        return CurveJoinsPoints(piece, from, to);
    ZcGePoint3d start, end;
    piece->getStartPoint(start);
    piece->getEndPoint(end);
    return start.distanceTo(from) < kJoinTolerance && end.distanceTo(to) < kJoinTolerance;
}

// A copy of the polyline appended to model space, or null.
ZcDbObjectId AppendWorkingCopy(ZcDbObjectId polylineId, bool& closed)
{
    ZcDbObjectPointer<ZcDbPolyline> polyline(polylineId, ZcDb::kForRead);
    if (!polyline)
        return ZcDbObjectId::kNull;
    closed = polyline->isClosed();
    auto* copy = static_cast<ZcDbPolyline*>(polyline->clone());
    if (!copy)
        return ZcDbObjectId::kNull;
    ZcDbObjectPointer<ZcDbPolyline> appended;
    const bool ok = AppendToModelSpace(copy);
    appended.acquire(copy);
    return ok ? appended->objectId() : ZcDbObjectId::kNull;
}

enum class EdgeFault { None, NotAnEdge, NoLength, LockedLayer, SamePoints };

const char* MessageOf(EdgeFault fault)
{
    switch (fault) {
    case EdgeFault::NotAnEdge: return "\nWskazany obiekt nie jest linią, łukiem, okręgiem ani polilinią.";
    case EdgeFault::NoLength: return "\nWskazana krawędź ma zerową długość; oznaczenia nie narysowano.";
    case EdgeFault::LockedLayer: return "\nObiekt leży na warstwie zablokowanej; oznaczenia nie narysowano.";
    case EdgeFault::SamePoints: return "\nOba punkty wskazują to samo miejsce krawędzi; oznaczenia nie narysowano.";
    case EdgeFault::None: break;
    }
    return "";
}

// Why the picked entity (open) cannot carry a marking. A line, an arc or a
// circle is replaced by its polyline, so an entity on a locked layer is
// refused before anything is changed.
EdgeFault FaultOfEdge(const ZcDbEntity* picked)
{
    const ZcDbCurve* curve = ZcDbCurve::cast(picked);
    if (!curve || !IsConvertibleEdge(picked))
        return EdgeFault::NotAnEdge;
    if (IsOnLockedLayer(picked))
        return EdgeFault::LockedLayer;
    double endParam = 0.0, length = 0.0;
    if (curve->getEndParam(endParam) != Zcad::eOk || curve->getDistAtParam(endParam, length) != Zcad::eOk ||
        !(length > kMinSize))
        return EdgeFault::NoLength;
    return EdgeFault::None;
}

}  // namespace

double DescriptionScale(int scaleIndex, double markingScale) { return (scaleIndex == 1 ? 2.0 : 1.0) * markingScale; }

void DrawLineMarking(const LineMarkingChoice& choice)
{
    if (RefuseLockedDestination(LayerForDestination(ReadDrawingSettings(), choice.destination),
                                "oznaczenia nie narysowano."))
        return;
    ZcDbEntity* picked = nullptr;
    if (!SelectEntity(picked, ZcDb::kForRead))
        return;
    const ZcDbObjectId pickedId = picked->objectId();
    const EdgeFault fault = FaultOfEdge(picked);
    picked->close();
    if (fault != EdgeFault::None) {
        zcutPrintf("%s", MessageOf(fault));
        return;
    }
    const ZcDbObjectId edge = ConvertToPolyline(pickedId);
    if (edge.isNull()) {
        zcutPrintf("%s", MessageOf(EdgeFault::NotAnEdge));
        return;
    }
    bool closed = false;
    const ZcDbObjectId copyId = AppendWorkingCopy(edge, closed);
    if (copyId.isNull())
        return;

    ZcGePoint3d p1, p2;
    if (GetPointById(p1, std::nullopt, IDS_PROMPT_FIRST_POINT) != RTNORM ||
        GetPointById(p2, p1, IDS_PROMPT_SECOND_POINT) != RTNORM) {
        // The copy lies exactly over the edge: left there it would be
        // invisible and counted twice.
        EraseEntity(copyId);
        return;
    }
    ZcGePoint3d from, to;
    {
        ZcDbObjectPointer<ZcDbCurve> copy(copyId, ZcDb::kForRead);
        copy->getClosestPointTo(p1, from);
        copy->getClosestPointTo(p2, to);
    }
    // Round a closed edge the same point twice is the whole way round; on
    // an open one it is no piece at all.
    if (!closed && from.distanceTo(to) <= kJoinTolerance) {
        EraseEntity(copyId);
        zcutPrintf("%s", MessageOf(EdgeFault::SamePoints));
        return;
    }

    const ZcDbObjectIdArray first = SplitPolylineAt(copyId, from);
    ZcDbObjectIdArray pieces = first;
    for (ZcDbObjectId id : first)
        pieces = MergeIdArrays(SplitPolylineAt(id, to), pieces);

    for (ZcDbObjectId id : pieces) {
        ZcDbObjectPointer<ZcDbPolyline> piece(id, ZcDb::kForWrite);
        if (!piece)
            continue;
        if (!IsWantedPiece(piece.object(), from, to, closed)) {
            piece->erase();
            continue;
        }
        DrawOnPiece(piece.object(), choice, from, to);
    }
}
