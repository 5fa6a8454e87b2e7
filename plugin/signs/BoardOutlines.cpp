#include "signs/BoardOutlines.h"

#include <cmath>

#include "ZcDbObjectPointer.h"
#include "geometry/Angles.h"
#include "services/DatabaseServices.h"
#include "services/EntityBuilders.h"

namespace {

// A clockwise quarter arc: every rounded corner of a board.
double cornerBulge() { return -std::tan(DegToRad(90.0) / 4.0); }

// The host's default vertex width, as the arrow boards pass it.
constexpr double kDefaultWidth = -1.0;

// Colours and layers the outline and its id, appends it to the owner and
// closes it; the id is null when the owner refused it.
ZcDbObjectId appendOutline(ZcDbPolyline* outline, const ZcCmColor& colour, ZcDbObjectIdArray* outlineIds,
                           ZcDbBlockTableRecord* owner)
{
    ZcDbObjectPointer<ZcDbPolyline> closer;
    closer.acquire(outline);
    closer->setLayer("0");
    closer->setColor(colour);
    if (!AppendToModelSpace(closer.object(), owner))
        return {};
    const ZcDbObjectId id = closer->objectId();
    if (outlineIds)
        outlineIds->append(id);
    return id;
}

// A solid fill between the outer outline and, when given, the inner one.
void appendFill(ZcDbObjectId outer, ZcDbObjectId inner, const ZcCmColor& colour, ZcDbObjectIdArray* hatchIds,
                ZcDbBlockTableRecord* owner)
{
    if (outer.isNull())
        return;
    ZcDbObjectIdArray outerIds;
    outerIds.append(outer);
    ZcDbObjectIdArray innerIds;
    if (!inner.isNull())
        innerIds.append(inner);
    // A fill the drawing refuses is left out: the caller counts the fills.
    ZcDbHatch* hatch = MakeSolidHatch(outerIds, innerIds);
    if (!hatch)
        return;
    ZcDbObjectPointer<ZcDbHatch> closer;
    closer.acquire(hatch);
    closer->setColor(colour);
    closer->setLayer("0");
    if (AppendToModelSpace(closer.object(), owner) && hatchIds)
        hatchIds->append(closer->objectId());
}

// The three layers of a board from its outlines (outer null without a
// border ring): the ring, the stripe and the field.
void fillBoard(ZcDbObjectId outer, ZcDbObjectId middle, ZcDbObjectId inner, const ZcCmColor& boardColour,
               const ZcCmColor& stripeColour, ZcDbObjectIdArray* hatchIds, ZcDbBlockTableRecord* owner)
{
    if (!outer.isNull())
        appendFill(outer, middle, boardColour, hatchIds, owner);
    appendFill(middle, inner, stripeColour, hatchIds, owner);
    appendFill(inner, {}, boardColour, hatchIds, owner);
}

ZcDbPolyline* closedPolyline(std::initializer_list<ZcGePoint2d> points)
{
    auto* polyline = new ZcDbPolyline;
    for (const ZcGePoint2d& p : points)
        polyline->addVertexAt(polyline->numVerts(), p, 0.0, kDefaultWidth, kDefaultWidth);
    polyline->setClosed(true);
    polyline->setLayer("0");
    return polyline;
}

}  // namespace

ZcDbPolyline* MakeRoundedRectPolyline(const ZcGePoint3d& corner1, const ZcGePoint3d& corner2, double r, double dx,
                                      double dy, double t)
{
    const double x1 = corner1.x + dx;
    const double y1 = corner1.y + dy;
    const double x2 = corner2.x - dx;
    const double y2 = corner2.y - dy;
    const double b = cornerBulge();
    const struct {
        double x, y, bulge;
    } vertices[] = {
        {x1 + r, y1, b}, {x1, y1 + r, 0.0}, {x1, y2 - r, b}, {x1 + r, y2, 0.0},
        {x2 - r, y2, b}, {x2, y2 - r, 0.0}, {x2, y1 + r, b}, {x2 - r, y1, 0.0},
    };
    auto* polyline = new ZcDbPolyline;
    for (const auto& v : vertices)
        polyline->addVertexAt(polyline->numVerts(), ZcGePoint2d(v.x, v.y), v.bulge, t, t);
    polyline->setClosed(true);
    polyline->setLayer("0");
    return polyline;
}

void DrawRoundedBoard(RoundedBoardArgs args)
{
    const double r = args.cornerRadius;
    const double c = args.borderWidth > 0.0 ? args.borderWidth : 0.0;
    const double w = args.stripeWidth;
    ZcDbObjectId outer;
    if (c > 0.0)
        outer = appendOutline(MakeRoundedRectPolyline(args.corner1, args.corner2, r, 0.0, 0.0, 0.0), args.boardColour,
                              args.outlineIds, args.owner);
    const ZcDbObjectId middle = appendOutline(MakeRoundedRectPolyline(args.corner1, args.corner2, r - c, c, c, 0.0),
                                              args.stripeColour, args.outlineIds, args.owner);
    const ZcDbObjectId inner =
        appendOutline(MakeRoundedRectPolyline(args.corner1, args.corner2, r - c - w, c + w, c + w, 0.0),
                      args.boardColour, args.outlineIds, args.owner);
    fillBoard(outer, middle, inner, args.boardColour, args.stripeColour, args.hatchIds, args.owner);
}

void DrawArrowBoard(double length, double height, double borderWidth, double stripeWidth, bool pointsLeft,
                    ZcCmColor boardColour, ZcCmColor stripeColour, ZcDbObjectIdArray* hatchIds,
                    ZcDbObjectIdArray* outlineIds, ZcDbBlockTableRecord* owner)
{
    const double s = pointsLeft ? -1.0 : 1.0;
    const double k = std::sqrt(2.0);
    const double L = length;
    const double h = height / 2.0;
    const double c = borderWidth > 0.0 ? borderWidth : 0.0;
    const double w = stripeWidth;

    ZcDbObjectId outer;
    if (c > 0.0)
        outer = appendOutline(closedPolyline({{0.0, -h}, {s * (L - h), -h}, {s * L, 0.0}, {s * (L - h), h}, {0.0, h}}),
                              boardColour, outlineIds, owner);
    // The middle outline is the outer one moved inwards by c; its slanted
    // sides stay at 45°, so their ends move back by (√2 − 1)·c.
    const double middleRoot = L - h - (k * c - c);
    const ZcDbObjectId middle = appendOutline(closedPolyline({{s * c, -h + c},
                                                              {s * middleRoot, -h + c},
                                                              {s * (L - k * c), 0.0},
                                                              {s * middleRoot, h - c},
                                                              {s * c, h - c}}),
                                              stripeColour, outlineIds, owner);
    // The field is shortened at the point, so the stripe widens towards it.
    const double innerRoot = L - h - k * c - c;
    const double inset = c + w;
    const ZcDbObjectId inner = appendOutline(closedPolyline({{s * inset, -h + inset},
                                                             {s * innerRoot, -h + inset},
                                                             {s * (L - height / 5.0), 0.0},
                                                             {s * innerRoot, h - inset},
                                                             {s * inset, h - inset}}),
                                             boardColour, outlineIds, owner);
    fillBoard(outer, middle, inner, boardColour, stripeColour, hatchIds, owner);
}
