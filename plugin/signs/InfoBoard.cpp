#include "signs/InfoBoard.h"

#include <algorithm>
#include <cmath>

#include "ZcDbExtents.h"
#include "ZcDbMText.h"
#include "ZcDbObjectPointer.h"
#include "services/Blocks.h"
#include "services/DatabaseServices.h"
#include "services/EntityBuilders.h"
#include "services/TextStyle.h"
#include "signs/BoardOutlines.h"

std::string InfoBoardContents(std::string_view typed)
{
    std::string contents;
    contents.reserve(typed.size());
    for (size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n')
                ++i;
            contents += "\\P";
        } else if (c == '\\' || c == '{' || c == '}') {
            contents += '\\';
            contents += c;
        } else {
            contents += c;
        }
    }
    return contents;
}

ZcDbObjectId BuildInfoBoard(const InfoBoardArgs& args)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    if (ZcDbBlockTableRecord* created = CreateAnonymousBlock(ZcDb::kForWrite))
        block.acquire(created);
    if (!block)
        return {};

    const std::string contents = InfoBoardContents(args.text);
    ZcDbMText* made = MakeMText(contents.c_str(), ZcGePoint3d::kOrigin, args.textHeight);
    made->setTextStyle(EnsureTextStyle(kTarvoTextStyle));
    made->setColor(args.textColour);
    made->setAttachment(ZcDbMText::kBottomCenter);
    // Lines wrap inside the board's side margins.
    made->setWidth(std::max(args.width - 2.0 * kInfoBoardMargin, kNarrowestInfoWrap));
    ZcDbObjectPointer<ZcDbMText> text;
    if (!AppendToModelSpace(made, block.object())) {
        delete made;
        block->erase();  // an empty board would stay in the drawing for nothing
        return {};
    }
    text.acquire(made);

    // A text that shows nothing has no extents: the board then frames the
    // point where its text would stand.
    ZcDbExtents extents;
    double halfWidth = args.width / 2.0;
    if (text->getGeomExtents(extents) == Zcad::eOk) {
        // A word wider than the wrapping width stays whole: the other lines
        // may then run as wide as it, and the board grows to keep the
        // margin beside the widest line, as above and below.
        const double widest = extents.maxPoint().x - extents.minPoint().x;
        if (widest > text->width() && text->setWidth(widest) == Zcad::eOk)
            text->getGeomExtents(extents);
        const double widestHalf = std::max(std::fabs(extents.minPoint().x), std::fabs(extents.maxPoint().x));
        halfWidth = std::max(halfWidth, widestHalf + kInfoBoardMargin);
    } else {
        extents = ZcDbExtents();
        extents.addPoint(ZcGePoint3d::kOrigin);
    }
    RoundedBoardArgs board;
    board.corner1 = ZcGePoint3d(-halfWidth, extents.minPoint().y - kInfoBoardMargin, extents.minPoint().z);
    board.corner2 = ZcGePoint3d(halfWidth, extents.maxPoint().y + kInfoBoardMargin, extents.maxPoint().z);
    board.cornerRadius = kInfoBoardCornerRadius;
    board.borderWidth = kInfoBoardBorderWidth;
    board.stripeWidth = kInfoBoardStripeWidth;
    board.boardColour = args.boardColour;
    board.stripeColour = args.textColour;
    ZcDbObjectIdArray hatchIds, outlineIds;
    board.hatchIds = &hatchIds;
    board.outlineIds = &outlineIds;
    board.owner = block.object();
    DrawRoundedBoard(board);
    // Half a board (an outline or a fill the drawing refused) is no board.
    if (outlineIds.length() != kInfoBoardLayers || hatchIds.length() != kInfoBoardLayers) {
        const ZcDbObjectId blockId = block->objectId();
        text.close();
        block.close();
        EraseUnreferencedBlock(blockId);
        return {};
    }

    MoveToTop(block.object(), text->objectId());
    return block->objectId();
}
