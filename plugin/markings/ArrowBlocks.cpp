#include "markings/ArrowBlocks.h"

#include <algorithm>
#include <iterator>

#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "services/Blocks.h"
#include "services/DatabaseServices.h"
#include "services/EntityBuilders.h"
#include "zcut.h"

namespace {

constexpr int kByBlock = 0;

constexpr ArrowVertex kP8AD[] = {{0, -0.075},   {5.45, -0.075}, {5.45, -0.375}, {7.5, 0},
                                 {5.45, 0.375}, {5.45, 0.075},  {0, 0.075}};
constexpr ArrowVertex kP8AK[] = {{0, 0}, {0, -0.075},   {2.95, -0.075}, {2.95, -0.375},
                                 {5, 0}, {2.95, 0.375}, {2.95, 0.075},  {0, 0.075}};
constexpr ArrowVertex kP8BD[] = {{0, -0.375},  {4.6, -0.375}, {5.2, 0.225},   {4, 0.225}, {5.7, 0.525},
                                 {7.5, 0.225}, {6.2, 0.225},  {5.45, -0.525}, {0, -0.525}};
constexpr ArrowVertex kP8BK[] = {{0, -0.525},  {3.45, -0.525}, {4.2, 0.225},  {5, 0.225}, {3.7, 0.525},
                                 {2.5, 0.225}, {3.2, 0.225},   {2.6, -0.375}, {0, -0.375}};
constexpr ArrowVertex kP8C[] = {{0, -0.75},   {3.25, -0.75}, {4.25, -0.75}, {5, 0},      {4.25, 0.75},
                                {2.65, 0.75}, {2.65, 1.05},  {0.6, 0.675},  {2.65, 0.3}, {2.65, 0.6},
                                {3.4, 0.6},   {4, 0},        {3.4, -0.6},   {0, -0.6}};
constexpr ArrowVertex kP8DD[] = {{0, 0.375},    {4.6, 0.375},  {5.2, -0.225}, {4, -0.225}, {5.7, -0.525},
                                 {7.5, -0.225}, {6.2, -0.225}, {5.45, 0.525}, {0, 0.525}};
constexpr ArrowVertex kP8DK[] = {{0, 0.525},    {3.45, 0.525}, {4.2, -0.225}, {5, -0.225}, {3.7, -0.525},
                                 {2.5, -0.225}, {3.2, -0.225}, {2.6, 0.375},  {0, 0.375}};
constexpr ArrowVertex kP8ED[] = {{0, -0.375},   {1, -0.375},   {5.45, -0.375}, {5.45, -0.675},
                                 {7.5, -0.3},   {5.45, 0.075}, {5.45, -0.225}, {3, -0.225},
                                 {3.75, 0.375}, {5.05, 0.375}, {3.25, 0.675},  {1.55, 0.375},
                                 {2.75, 0.375}, {2, -0.225},   {1, -0.225},    {0, -0.225}};
constexpr ArrowVertex kP8EK[] = {{2.85, 0.675}, {1.55, 0.975}, {0.35, 0.675},  {1.1, 0.675},   {0.5, 0.075},
                                 {0, 0.075},    {0, -0.075},   {2.95, -0.075}, {2.95, -0.375}, {5, 0},
                                 {2.95, 0.375}, {2.95, 0.075}, {1.45, 0.075},  {2.05, 0.675}};
constexpr ArrowVertex kP8FD[] = {{0, 0.375},     {1, 0.375},     {5.45, 0.375},  {5.45, 0.675},
                                 {7.5, 0.3},     {5.45, -0.075}, {5.45, 0.225},  {3, 0.225},
                                 {3.75, -0.375}, {5.05, -0.375}, {3.25, -0.675}, {1.55, -0.375},
                                 {2.75, -0.375}, {2, 0.225},     {1, 0.225},     {0, 0.225}};
constexpr ArrowVertex kP8FK[] = {{2.85, -0.675}, {1.55, -0.975}, {0.35, -0.675}, {1.1, -0.675}, {0.5, -0.075},
                                 {0, -0.075},    {0, 0.075},     {2.95, 0.075},  {2.95, 0.375}, {5, 0},
                                 {2.95, -0.375}, {2.95, -0.075}, {1.45, -0.075}, {2.05, -0.675}};
constexpr ArrowVertex kP8GD[] = {{5.2, -0.675}, {4, -0.675},  {5.7, -0.975}, {7.5, -0.675}, {6.2, -0.675},
                                 {5.525, 0},    {6.2, 0.675}, {7.5, 0.675},  {5.7, 0.975},  {4, 0.675},
                                 {5.2, 0.675},  {4.6, 0.075}, {0, 0.075},    {0, -0.075},   {4.6, -0.075}};
constexpr ArrowVertex kP8GK[] = {{4.2, -0.675},  {3.525, 0},     {4.2, 0.675},  {5, 0.675},    {3.7, 0.975},
                                 {2.5, 0.675},   {3.25, 0.675},  {2.65, 0.075}, {0, 0.075},    {0, -0.075},
                                 {2.65, -0.075}, {3.25, -0.675}, {2.5, -0.675}, {3.7, -0.975}, {5, -0.675}};
constexpr ArrowVertex kP8HD[] = {
    {1.15, 0.075}, {1.75, 0.675}, {0.5, 0.675},  {2.2, 0.975},   {4, 0.675},     {2.7, 0.675},  {2.1, 0.075},
    {5.45, 0.075}, {5.45, 0.375}, {7.5, 0},      {5.45, -0.375}, {5.45, -0.075}, {2.1, -0.075}, {2.7, -0.675},
    {4, -0.675},   {2.2, -0.975}, {0.5, -0.675}, {1.75, -0.675}, {1.15, -0.075}, {0, -0.075},   {0, 0.075}};
constexpr ArrowVertex kP8HK[] = {
    {5, 0},         {2.95, -0.375}, {2.95, -0.075}, {1.45, -0.075}, {2.05, -0.675}, {2.85, -0.675}, {1.55, -0.975},
    {0.35, -0.675}, {1.1, -0.675},  {0.5, -0.075},  {0, -0.075},    {0, 0.075},     {0.5, 0.075},   {1.1, 0.675},
    {0.35, 0.675},  {1.55, 0.975},  {2.85, 0.675},  {2.05, 0.675},  {1.45, 0.075},  {2.95, 0.075},  {2.95, 0.375}};
constexpr ArrowVertex kP8I[] = {{0.6, 0.825}, {2.65, 0.45}, {2.65, 0.75},  {2.85, 0.75},  {3.6, 0},      {3, -0.6},
                                {0, -0.6},    {0, -0.75},   {5.45, -0.75}, {5.45, -1.05}, {7.5, -0.675}, {5.45, -0.3},
                                {5.45, -0.6}, {4, -0.6},    {4.6, 0},      {3.7, 0.9},    {2.65, 0.9},   {2.65, 1.2}};
constexpr ArrowVertex kP9A[] = {{2.2414, -0.15}, {1.1414, -0.15}, {5, 1.45},  {4.1793, -0.15},
                                {3.1793, -0.15}, {1.7, -1.45},    {0, -1.45}, {2.2287, -0.15}};
constexpr ArrowVertex kP9B[] = {{2.2414, 0.15}, {1.1414, 0.15}, {5, -1.45}, {4.1793, 0.15},
                                {3.1793, 0.15}, {1.7, 1.45},    {0, 1.45},  {2.2287, 0.15}};
// The warning arrow is the one with arcs: its two long flanks bend the same
// way, so that the arrow curves across the lane towards its tip.
constexpr ArrowVertex kP6A[] = {{0, 0.35, -0.0692}, {4.1, 0.044},          {4.5, 0.24}, {6, -0.5},
                                {3.5, -0.25},       {3.9, -0.054, 0.0549}, {0, 0.1}};

constexpr ArrowOutline kOutlines[] = {
    {"P-8A_D", kP8AD}, {"P-8A_K", kP8AK}, {"P-8B_D", kP8BD}, {"P-8B_K", kP8BK}, {"P-8C", kP8C},
    {"P-8D_D", kP8DD}, {"P-8D_K", kP8DK}, {"P-8E_D", kP8ED}, {"P-8E_K", kP8EK}, {"P-8F_D", kP8FD},
    {"P-8F_K", kP8FK}, {"P-8G_D", kP8GD}, {"P-8G_K", kP8GK}, {"P-8H_D", kP8HD}, {"P-8H_K", kP8HK},
    {"P-8I", kP8I},    {"P-9A", kP9A},    {"P-9B", kP9B},    {"P-6A", kP6A},
};

// The outline as a closed polyline and its solid fill, appended to the new
// block (open for write), which its caller closes.
bool fillArrow(ZcDbBlockTableRecord* block, const ArrowOutline& outline)
{
    auto* boundary = new ZcDbPolyline;
    for (const ArrowVertex& v : outline.vertices)
        boundary->addVertexAt(boundary->numVerts(), ZcGePoint2d(v.x, v.y), v.bulge);
    boundary->setClosed(true);
    boundary->setLayer("0");
    boundary->setColorIndex(kByBlock);
    ZcDbObjectIdArray outer;
    {
        ZcDbObjectPointer<ZcDbPolyline> closer;
        closer.acquire(boundary);
        if (!AppendToModelSpace(closer.object(), block))
            return false;
        outer.append(closer->objectId());
    }

    ZcDbHatch* hatch = MakeSolidHatch(outer, {});
    if (!hatch)
        return false;
    ZcDbObjectPointer<ZcDbHatch> fill;
    fill.acquire(hatch);
    fill->setColorIndex(kByBlock);
    fill->setLayer("0");
    return AppendToModelSpace(fill.object(), block);
}

}  // namespace

std::span<const ArrowOutline> ArrowOutlines() { return kOutlines; }

const ArrowOutline* FindArrowOutline(std::string_view name)
{
    const auto* found = std::find_if(std::begin(kOutlines), std::end(kOutlines),
                                     [name](const ArrowOutline& o) { return o.name == name; });
    return found == std::end(kOutlines) ? nullptr : found;
}

bool GetArrowBlock(const char* name)
{
    if (ZcDbBlockTableRecord* found = FindBlock(name, ZcDb::kForRead)) {
        found->close();
        return true;
    }
    // Checked before anything is made, so that an unknown name leaves no
    // empty block behind.
    const ArrowOutline* outline = FindArrowOutline(name);
    if (!outline)
        return false;
    ZcDbObjectId blockId;
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> block;
        ZcDbBlockTableRecord* created = GetOrCreateBlock(name, ZcDb::kForWrite);
        if (!created)
            return false;
        block.acquire(created);
        if (fillArrow(block.object(), *outline))
            return true;
        blockId = block->objectId();
    }
    // Half an arrow would be reused by name ever after.
    EraseUnreferencedBlock(blockId);
    zcutPrintf("\nNie udało się zbudować bloku \"%s\".", name);
    return false;
}
