#include "signs/SignPlacement.h"

#include <optional>

#include "ZcDbBlockReference.h"
#include "ZcDbExtents.h"
#include "ZcDbLeader.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "ZcGeMatrix3d.h"
#include "geometry/Angles.h"
#include "geometry/Points.h"
#include "resource.h"
#include "services/Blocks.h"
#include "services/DatabaseServices.h"
#include "services/DescriptionBlocks.h"
#include "services/EntityBuilders.h"
#include "services/Input.h"
#include "zcut.h"

namespace {

// Board blocks are drawn in millimetres of the real sign; these bring them
// to drawing units at 1:500 (a plain reference is drawn smaller than a
// board on a post, which is shown beside its post for legibility).
constexpr double kPlainBoardUnit = 0.002;
constexpr double kPostUnit = 0.02;
constexpr double kBoardOnPostUnit = 0.005;
constexpr double kDescriptionUnit = 0.01;
// The description's destination is shortened to this many characters.
constexpr size_t kDestinationCharacters = 4;
constexpr double kCrossWidth = 0.5;
constexpr int kRed = 1;

enum class BoardKind { Rounded, Arrow };

ZcGeScale3d uniform(double scale) { return ZcGeScale3d(scale, scale, scale); }

struct Box {
    double width = 0.0;
    double height = 0.0;
};

Box extentsOf(const ZcDbEntity* entity)
{
    ZcDbExtents extents;
    if (entity->getGeomExtents(extents) != Zcad::eOk)
        return {};
    return {extents.maxPoint().x - extents.minPoint().x, extents.maxPoint().y - extents.minPoint().y};
}

ZcGeMatrix3d turnAndMoveTo(double rotation, const ZcGePoint3d& target)
{
    return ZcGeMatrix3d::translation(target.asVector()) * ZcGeMatrix3d::rotation(rotation, ZcGeVector3d::kZAxis);
}

void fillDescription(ZcDbBlockReference* description, const D_SignBoard& sign, BoardKind kind)
{
    SetAttributeTexts(description,
                      {{"Symbol", sign.symbol},
                       {"Przeznaczenie", FirstCharacters(sign.destination, kDestinationCharacters)},
                       {"Wielkość", kind == BoardKind::Arrow ? std::string(1, sign.sizeClass) : std::string()},
                       {"Odblaskowość", sign.generation}});
}

ZcDbObjectId insertPost(const ZcGePoint3d& at, double rotation, double scale, const std::string& layer,
                        ZcDbObjectIdArray& placed)
{
    const std::string post = GetPostBlock();
    if (post.empty())
        return {};
    ZcDbObjectPointer<ZcDbBlockReference> reference;
    if (ZcDbBlockReference* inserted = InsertBlockReference(post.c_str(), at, uniform(scale), rotation))
        reference.acquire(inserted);
    if (!reference)
        return {};
    SetReferenceLayer(reference.object(), layer);
    placed.append(reference->objectId());
    return reference->objectId();
}

// Where the board stands and which way is up: the leader's end and the
// direction of its last segment.
struct Stand {
    ZcGePoint3d point;
    double rotation = 0.0;
};

std::optional<Stand> drawLeader(const ZcGePoint3d& post, const std::string& layer, ZcDbObjectIdArray& placed)
{
    ZcDbObjectPointer<ZcDbLeader> leader(DrawLeader(post), ZcDb::kForWrite);
    if (!leader || leader->numVertices() < 2)
        return std::nullopt;
    leader->setLayer(layer.c_str());
    placed.append(leader->objectId());
    const ZcGePoint3d end = leader->lastVertex();
    const ZcGePoint3d before = leader->vertexAt(leader->numVertices() - 2);
    return Stand{end, PointAngle(end, before) + PiValue() / 2.0};
}

ZcDbObjectId placeOnPost(const D_SignBoard& sign, BoardKind kind, const ZcGePoint3d& first, const ZcGePoint3d& second,
                         const ZcGePoint3d& postPoint, const std::string& layer, double symbolFactor,
                         double descriptionFactor, ZcDbObjectIdArray& placed)
{
    const bool mirrored = kind == BoardKind::Rounded && sign.pointsLeft;
    const double road = mirrored ? PointAngle(second, first) : PointAngle(first, second);
    insertPost(postPoint, road - PiValue() / 2.0, sign.scale * symbolFactor * kPostUnit, layer, placed);
    // Without a leader the board stands at the post, read along the road.
    const Stand stand = drawLeader(postPoint, layer, placed).value_or(Stand{postPoint, road});

    ZcDbObjectPointer<ZcDbBlockReference> board;
    if (ZcDbBlockReference* inserted = InsertBlockReference(sign.blockName.c_str(), ZcGePoint3d::kOrigin,
                                                            uniform(sign.scale * symbolFactor * kBoardOnPostUnit), 0.0))
        board.acquire(inserted);
    if (!board)
        return {};
    SetReferenceLayer(board.object(), layer);
    placed.append(board->objectId());
    const Box box = extentsOf(board.object());
    ZcGeMatrix3d upright = ZcGeMatrix3d::kIdentity;
    if (sign.pointsLeft)
        upright = ZcGeMatrix3d::translation(ZcGeVector3d(box.width, 0.0, 0.0));
    if (kind == BoardKind::Arrow)
        upright = ZcGeMatrix3d::translation(ZcGeVector3d(-box.width / 2.0, box.height / 2.0, 0.0)) * upright;
    const ZcGeMatrix3d toStand = turnAndMoveTo(stand.rotation, stand.point);
    board->transformBy(toStand * upright);

    if (sign.withDescription) {
        const std::string block = GetVerticalDescBlock();
        ZcDbObjectPointer<ZcDbBlockReference> description;
        if (!block.empty())
            if (ZcDbBlockReference* inserted =
                    InsertBlockReference(block.c_str(), ZcGePoint3d::kOrigin,
                                         uniform(sign.scale * descriptionFactor * kDescriptionUnit), 0.0))
                description.acquire(inserted);
        if (description) {
            const ZcGeVector3d beside(box.height / 2.0 + box.width / 2.0, box.height / 2.0, 0.0);
            description->transformBy(toStand * ZcGeMatrix3d::translation(beside));
            SetReferenceLayer(description.object(), layer);
            placed.append(description->objectId());
            fillDescription(description.object(), sign, kind);
        }
    }
    return board->objectId();
}

ZcDbObjectId place(const D_SignBoard& sign, BoardKind kind, ZcDbObjectIdArray& result, const std::string& layer,
                   double symbolFactor, double descriptionFactor)
{
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> block;
        if (ZcDbBlockTableRecord* found = FindBlock(sign.blockName.c_str(), ZcDb::kForRead))
            block.acquire(found);
        if (!block) {
            zcutPrintf("\nNie ma bloku tablicy \"%s\"; znaku nie wstawiono.", sign.blockName.c_str());
            return {};
        }
    }
    ZcGePoint3d first;
    if (GetPointById(first, std::nullopt, IDS_PROMPT_ROAD_FIRST_POINT) != RTNORM)
        return {};
    if (!sign.asSign) {
        ZcDbObjectPointer<ZcDbBlockReference> board;
        if (ZcDbBlockReference* inserted = InsertBlockReference(
                sign.blockName.c_str(), first, uniform(sign.scale * symbolFactor * kPlainBoardUnit), 0.0))
            board.acquire(inserted);
        if (!board)
            return {};
        // On the destination's layer as a board on a post is, not on
        // whatever layer happens to be current.
        SetReferenceLayer(board.object(), layer);
        result.append(board->objectId());
        return board->objectId();
    }
    ZcGePoint3d second, post;
    if (GetNextPointById(second, first, IDS_PROMPT_ROAD_SECOND_POINT) != RTNORM ||
        GetPointById(post, std::nullopt, IDS_PROMPT_INSERTION_POINT) != RTNORM)
        return {};
    ZcDbObjectIdArray placed;
    const ZcDbObjectId board =
        placeOnPost(sign, kind, first, second, post, layer, symbolFactor, descriptionFactor, placed);
    for (ZcDbObjectId id : placed)
        result.append(id);
    return board;
}

ZcDbObjectId drawCrossLine(const ZcGePoint3d& from, const ZcGePoint3d& to, ZcDbObjectId layer)
{
    auto* line = new ZcDbPolyline;
    line->setDatabaseDefaults();
    line->setLayer(layer);
    line->addVertexAt(0, ZcGePoint2d(from.x, from.y));
    line->addVertexAt(1, ZcGePoint2d(to.x, to.y));
    line->setColorIndex(kRed);
    line->setConstantWidth(kCrossWidth);
    if (!AppendToModelSpace(line)) {
        delete line;
        return {};
    }
    const ZcDbObjectId id = line->objectId();
    line->close();
    return id;
}

}  // namespace

ZcDbObjectId PlaceSign(const D_SignBoard& sign, ZcDbObjectIdArray& result, const std::string& layer,
                       double symbolFactor, double descriptionFactor)
{
    return place(sign, BoardKind::Rounded, result, layer, symbolFactor, descriptionFactor);
}

ZcDbObjectId PlaceArrowSign(const D_SignBoard& sign, ZcDbObjectIdArray& result, const std::string& layer,
                            double symbolFactor, double descriptionFactor)
{
    return place(sign, BoardKind::Arrow, result, layer, symbolFactor, descriptionFactor);
}

ZcDbObjectIdArray CrossOutEntity(const D_SignBoard&, ZcDbObjectId id)
{
    ZcDbExtents extents;
    ZcDbObjectId layer;
    {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        if (!entity || entity->getGeomExtents(extents) != Zcad::eOk)
            return {};
        layer = entity->layerId();
    }
    const ZcGePoint3d low = extents.minPoint(), high = extents.maxPoint();
    ZcDbObjectIdArray lines;
    for (const ZcDbObjectId line :
         {drawCrossLine(high, low, layer),
          drawCrossLine(ZcGePoint3d(high.x, low.y, 0.0), ZcGePoint3d(low.x, high.y, 0.0), layer)})
        if (!line.isNull())
            lines.append(line);
    return lines;
}

std::string FirstCharacters(const std::string& text, size_t n)
{
    size_t end = 0;
    for (size_t count = 0; end < text.size() && count < n; ++count) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return text.substr(0, end);
}
