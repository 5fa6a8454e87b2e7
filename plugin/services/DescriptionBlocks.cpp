#include "services/DescriptionBlocks.h"

#include <memory>
#include <span>

#include "ZcDbAttributeDefinition.h"
#include "ZcDbCircle.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "frame/StringTable.h"
#include "resource.h"
#include "services/Blocks.h"
#include "services/DatabaseServices.h"
#include "services/EntityBuilders.h"
#include "zcut.h"

namespace {

constexpr int kByBlock = 0;
// Rows of a description stand this many text heights apart.
constexpr double kRowSpacing = 1.2;
constexpr double kVerticalTextHeight = 150.0;
constexpr double kHorizontalTextHeight = 1.0;
constexpr double kPostRadius = 5.0;

// One attribute of a description: its tag (and prompt), where it stands in
// rows below the first and text heights to the right, and whether it shows.
struct DescRow {
    unsigned tag;
    double row;
    double across;
    bool visible;
};

constexpr DescRow kVerticalRows[] = {
    {IDS_COLUMN_SYMBOL, 0, 0, true},
    {IDS_COLUMN_DESTINATION, 0, 5, true},
    {IDS_COLUMN_SIZE, 1, 0, false},
    {IDS_COLUMN_REFLECTIVITY, 2, 0, false},
};

constexpr DescRow kHorizontalRows[] = {
    {IDS_COLUMN_SYMBOL, 0, 0, true},          {IDS_COLUMN_AREA, 1, 0, true},
    {IDS_COLUMN_LENGTH, 2, 0, false},         {IDS_COLUMN_DESTINATION, 3, 0, false},
    {IDS_COLUMN_AREA_PER_METRE, 4, 0, false},
};

bool appendClosed(ZcDbBlockTableRecord* block, ZcDbEntity* entity)
{
    if (!entity)
        return false;
    ZcDbObjectPointer<ZcDbEntity> pointer;
    pointer.acquire(entity);
    return AppendToModelSpace(pointer.object(), block);
}

bool fillDescription(ZcDbBlockTableRecord* block, std::span<const DescRow> rows, double height)
{
    // Each row copies the first definition, so all share its height, modes
    // and layer; the rows follow from the height the definition keeps.
    auto first = std::make_unique<ZcDbAttributeDefinition>();
    first->setDatabaseDefaults();
    first->setLayer("0");
    first->setHeight(height);
    first->setHorizontalMode(ZcDbText::kTextLeft);
    first->setVerticalMode(ZcDbText::kTextBase);
    first->setTextString("");
    for (const DescRow& row : rows) {
        ZcDbAttributeDefinition* definition = static_cast<ZcDbAttributeDefinition*>(first->clone());
        const double stored = definition->height();
        definition->setPosition(ZcGePoint3d(row.across * stored, -row.row * kRowSpacing * stored, 0.0));
        definition->setTag(LoadTarvoString(row.tag));
        definition->setPrompt(LoadTarvoString(row.tag));
        definition->setInvisible(!row.visible);
        if (!appendClosed(block, definition))
            return false;
    }
    return true;
}

bool fillPost(ZcDbBlockTableRecord* block)
{
    auto* circle = new ZcDbCircle(ZcGePoint3d::kOrigin, ZcGeVector3d::kZAxis, kPostRadius);
    circle->setLayer("0");
    circle->setColorIndex(kByBlock);
    if (!appendClosed(block, circle))
        return false;

    auto* bar = new ZcDbPolyline;
    for (const ZcGePoint2d p : {ZcGePoint2d(50, -5), ZcGePoint2d(-50, -5), ZcGePoint2d(-50, -10), ZcGePoint2d(50, -10)})
        bar->addVertexAt(0, p);
    bar->setClosed(true);
    bar->setLayer("0");
    bar->setColorIndex(kByBlock);
    ZcDbObjectIdArray outer;
    {
        ZcDbObjectPointer<ZcDbPolyline> closer;
        closer.acquire(bar);
        if (!AppendToModelSpace(closer.object(), block))
            return false;
        outer.append(closer->objectId());
    }

    ZcDbHatch* fill = MakeSolidHatch(outer, {});
    if (!fill)
        return false;
    fill->setColorIndex(kByBlock);
    fill->setLayer("0");
    return appendClosed(block, fill);
}

// The block of that name, filled on first use. A fill that fails half way
// takes the block with it, so that no later action reuses it by name.
template <class Fill>
std::string getBlock(const char* name, Fill fill)
{
    if (ZcDbBlockTableRecord* found = FindBlock(name, ZcDb::kForRead)) {
        found->close();
        return name;
    }
    ZcDbObjectId blockId;
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> block;
        ZcDbBlockTableRecord* created = GetOrCreateBlock(name, ZcDb::kForWrite);
        if (!created)
            return {};
        block.acquire(created);
        if (fill(block.object()))
            return name;
        blockId = block->objectId();
    }
    EraseUnreferencedBlock(blockId);
    zcutPrintf("\nNie udało się zbudować bloku \"%s\".", name);
    return {};
}

}  // namespace

std::string GetPostBlock() { return getBlock(kPostBlock, fillPost); }

std::string GetVerticalDescBlock()
{
    return getBlock(kVerticalDescBlock, [](ZcDbBlockTableRecord* block) {
        return fillDescription(block, kVerticalRows, kVerticalTextHeight);
    });
}

std::string GetHorizontalDescBlock()
{
    return getBlock(kHorizontalDescBlock, [](ZcDbBlockTableRecord* block) {
        return fillDescription(block, kHorizontalRows, kHorizontalTextHeight);
    });
}
