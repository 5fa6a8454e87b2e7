#include "markings/ArrowInsertion.h"

#include <vector>

#include "ZcDbBlockReference.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "frame/DrawingSettings.h"
#include "geometry/Angles.h"
#include "geometry/Points.h"
#include "markings/ArrowBlocks.h"
#include "resource.h"
#include "services/Blocks.h"
#include "services/DatabaseServices.h"
#include "services/DescriptionBlocks.h"
#include "services/EntityBuilders.h"
#include "services/Input.h"
#include "zcut.h"

namespace {

// Description scales of the scale list: "1:1000", "1:500"; no choice.
constexpr double kScaleAt1000 = 1.0;
constexpr double kScaleAt500 = 2.0;
constexpr double kScaleUnchosen = 10.0;

// The objects of one insertion in a new anonymous group.
void groupInserted(const std::vector<ZcDbObjectId>& inserted)
{
    if (inserted.empty())
        return;
    ZcDbObjectPointer<ZcDbGroup> group;
    ZcDbGroup* created = CreateGroup("*", ZcDb::kForWrite);
    if (!created)
        return;
    group.acquire(created);
    for (ZcDbObjectId id : inserted)
        group->append(id);
}

// The arrow, its description line and its description, as far as the user
// goes; the ids of what was made, in that order.
std::vector<ZcDbObjectId> placeArrow(const ArrowChoice& choice, const ArrowTarget& target, const std::string& layer,
                                     double descriptionScale)
{
    std::vector<ZcDbObjectId> inserted;
    ZcGePoint3d first, second, tail;
    if (GetPointById(first, std::nullopt, IDS_PROMPT_ROAD_FIRST_POINT) != RTNORM ||
        GetNextPointById(second, first, IDS_PROMPT_ROAD_SECOND_POINT) != RTNORM ||
        GetPointById(tail, std::nullopt, IDS_PROMPT_INSERTION_POINT) != RTNORM)
        return inserted;
    // The block is made only now: a cancelled pick leaves the drawing as it was.
    if (!GetArrowBlock(choice.blockName.c_str()))
        return inserted;
    const std::string descriptionBlock = GetHorizontalDescBlock();
    const double rotation = PointAngle(first, second);
    {
        ZcDbObjectPointer<ZcDbBlockReference> arrow;
        ZcDbBlockReference* reference =
            InsertBlockReference(choice.blockName.c_str(), tail, ZcGeScale3d(1.0, 1.0, 1.0), rotation);
        if (!reference)
            return inserted;
        arrow.acquire(reference);
        SetReferenceLayer(arrow.object(), layer);
        inserted.push_back(arrow->objectId());
    }

    ZcGePoint3d descriptionPoint;
    {
        ZcDbObjectPointer<ZcDbPolyline> line(DrawDescriptionLine(), ZcDb::kForWrite);
        if (!line)
            return inserted;
        line->setLayer(layer.c_str());
        line->getPointAt(line->numVerts() - 1, descriptionPoint);
        inserted.push_back(line->objectId());
    }

    if (descriptionBlock.empty())
        return inserted;
    ZcDbObjectPointer<ZcDbBlockReference> description;
    // The arrow points along the road; its description reads upright.
    ZcDbBlockReference* reference = InsertBlockReference(
        descriptionBlock.c_str(), descriptionPoint, ZcGeScale3d(descriptionScale, descriptionScale, descriptionScale),
        ReadableAngle(rotation));
    if (!reference)
        return inserted;
    description.acquire(reference);
    SetReferenceLayer(description.object(), layer);
    inserted.push_back(description->objectId());
    SetAttributeTexts(description.object(), {{"Symbol", choice.symbol},
                                             {"Powierzchnia", choice.area},
                                             {"Długość", choice.length},
                                             {"Przeznaczenie", target.destinationName}});
    return inserted;
}

// Whether the arrow of that block name can be inserted, without making its
// block yet.
bool arrowAvailable(const char* name)
{
    if (ZcDbBlockTableRecord* found = FindBlock(name, ZcDb::kForRead)) {
        found->close();
        return true;
    }
    return FindArrowOutline(name) != nullptr;
}

}  // namespace

double ArrowDescriptionScale(int scaleIndex, double markingScale)
{
    const double scale = scaleIndex == 0 ? kScaleAt1000 : scaleIndex == 1 ? kScaleAt500 : kScaleUnchosen;
    return scale * markingScale;
}

void InsertArrow(const ArrowChoice& choice, const ArrowTarget& target)
{
    const DrawingSettings drawing = ReadDrawingSettings();
    if (!arrowAvailable(choice.blockName.c_str())) {
        zcutPrintf("\nNie ma strzałki \"%s\"; nic nie wstawiono.", choice.blockName.c_str());
        return;
    }
    const std::string layer = LayerForDestination(drawing, target.destination);
    if (RefuseLockedDestination(layer, "strzałki nie wstawiono."))
        return;
    const std::vector<ZcDbObjectId> inserted =
        placeArrow(choice, target, layer, ArrowDescriptionScale(target.scaleIndex, drawing.markingScale));
    if (drawing.groupObjects)
        groupInserted(inserted);
}
