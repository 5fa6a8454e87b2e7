#include "signs/BoardBlocks.h"

#include <cmath>
#include <string_view>

#include "ZcDbMText.h"
#include "ZcDbObjectPointer.h"
#include "geometry/EntityQueries.h"
#include "services/Blocks.h"
#include "services/DatabaseServices.h"
#include "services/EntityBuilders.h"
#include "services/TextStyle.h"
#include "signs/BoardBand.h"
#include "signs/BoardOutlines.h"
#include "signs/InfoBoard.h"

namespace {

// Town-name boards (E-17a, E-18a, E-21): 530 high, the text centred in them.
constexpr double kRoundedHeight = 530.0;
constexpr double kRoundedTextHeight = 162.0;
constexpr double kRoundedCornerRadius = 30.0;
// A text up to this wide stands on a board of the least width; a wider one
// keeps a margin on both sides.
constexpr double kNarrowTextWidth = 800.0;
constexpr double kLeastRoundedWidth = 1000.0;
// Between the stripe and the text.
constexpr double kTextClearance = 75.0;

// E-4: a green arrow board of one size.
constexpr double kE4Height = 350.0;
constexpr double kE4TextHeight = 162.0;
constexpr double kE4Border = 5.0;
constexpr double kE4Stripe = 20.0;

struct RoundedBoard {
    double border;
    double stripe;
};
constexpr RoundedBoard kGreenBoard{5.0, 20.0};  // E-17a, E-18a: a white ring round a white stripe
constexpr RoundedBoard kWhiteBoard{0.0, 25.0};  // E-21: no ring

// A board block while it is built: the block open for write and the text
// in it. Abandoning it erases the block, so that a failure leaves no
// half-built board for a later drawing action to reuse by name.
class BoardBuild {
public:
    explicit BoardBuild(D_SignBoard& sign) : m_sign(sign) {}
    ~BoardBuild()
    {
        m_text.close();
        if (m_block && !m_complete)
            m_block->erase();
        m_block.close();
        m_sign.blockDef = nullptr;
    }
    BoardBuild(const BoardBuild&) = delete;
    BoardBuild& operator=(const BoardBuild&) = delete;

    // Starts the block and puts the text in it; false when the block is
    // there already (kept as it is), the text is blank or the drawing
    // refuses the block or the text.
    bool begin(ZcGePoint3d location, ZcDbMText::AttachmentPoint attachment, double height)
    {
        if (ZcDbBlockTableRecord* found = FindBlock(m_sign.blockName.c_str(), ZcDb::kForRead)) {
            found->close();
            return false;
        }
        if (m_sign.text.find_first_not_of(" \t") == std::string::npos)
            return false;
        ZcDbBlockTableRecord* created = GetOrCreateBlock(m_sign.blockName.c_str(), ZcDb::kForWrite);
        if (!created)
            return false;
        m_block.acquire(created);
        m_sign.blockDef = m_block.object();

        const ZcDbObjectId style = EnsureTextStyle(kTarvoTextStyle);
        // Typed backslashes and braces show as themselves, not as codes.
        ZcDbMText* text = MakeMText(InfoBoardContents(m_sign.text).c_str(), location, height);
        m_text.acquire(text);
        m_text->setAttachment(attachment);
        m_text->setColor(m_sign.textColour);
        if (style.isNull() || m_text->setTextStyle(style) != Zcad::eOk ||
            !AppendToModelSpace(m_text.object(), m_block.object()))
            return false;
        m_textWidth = ExtentsWidth(m_text.object());
        return std::isfinite(m_textWidth) && m_textWidth > 0.0;
    }

    double textWidth() const { return m_textWidth; }
    ZcDbBlockTableRecord* block() const { return m_block.object(); }
    ZcDbMText* text() const { return m_text.object(); }

    // The text above the board's fills.
    void raiseText() { MoveToTop(m_block.object(), m_text->objectId()); }
    void complete() { m_complete = true; }

private:
    D_SignBoard& m_sign;
    ZcDbObjectPointer<ZcDbBlockTableRecord> m_block;
    ZcDbObjectPointer<ZcDbMText> m_text;
    double m_textWidth = 0.0;
    bool m_complete = false;
};

// Width of a town-name board for a text of width t: the least width, or
// the text with the margin (ring, stripe and clearance) on both sides.
double roundedBoardWidth(double t, const RoundedBoard& board)
{
    const double margin = board.border + kTextClearance + board.stripe;
    return t <= kNarrowTextWidth ? kLeastRoundedWidth : t + 2.0 * margin;
}

// E-17a, E-18a and E-21; withBand adds E-18a's red band.
void buildRounded(D_SignBoard& sign, const RoundedBoard& board, bool withBand)
{
    BoardBuild build(sign);
    if (!build.begin(ZcGePoint3d(0.0, kRoundedHeight / 2.0, 0.0), ZcDbMText::kMiddleCenter, kRoundedTextHeight))
        return;
    const double width = roundedBoardWidth(build.textWidth(), board);
    ZcDbObjectIdArray hatchIds;
    ZcDbObjectIdArray outlineIds;
    RoundedBoardArgs args;
    args.corner1 = ZcGePoint3d(-width / 2.0, 0.0, 0.0);
    args.corner2 = ZcGePoint3d(width / 2.0, kRoundedHeight, 0.0);
    args.cornerRadius = kRoundedCornerRadius;
    args.borderWidth = board.border;
    args.stripeWidth = board.stripe;
    args.boardColour = sign.boardColour;
    args.stripeColour = sign.textColour;
    args.hatchIds = &hatchIds;
    args.outlineIds = &outlineIds;
    args.owner = build.block();
    DrawRoundedBoard(args);
    const int expected = board.border > 0.0 ? 3 : 2;
    if (outlineIds.length() != expected || hatchIds.length() != expected)
        return;
    build.raiseText();
    if (withBand && !DrawDiagonalBand(args.corner1, args.corner2, outlineIds[expected - 1], build.block()))
        return;
    build.complete();
}

// E-4 and E-5: the text starts a margin from the flat end; the board runs
// on past it by a margin and half its height to the point.
void buildArrow(D_SignBoard& sign, double height, double textHeight, double border, double stripe)
{
    BoardBuild build(sign);
    if (!build.begin(ZcGePoint3d(sign.textMargin, 0.0, 0.0), ZcDbMText::kMiddleLeft, textHeight))
        return;
    const double t = build.textWidth();
    const double length = sign.textMargin + t + height / 2.0 + sign.textMargin;
    ZcDbObjectIdArray hatchIds;
    ZcDbObjectIdArray outlineIds;
    DrawArrowBoard(length, height, border, stripe, sign.pointsLeft, sign.boardColour, sign.textColour, &hatchIds,
                   &outlineIds, build.block());
    const int expected = border > 0.0 ? 3 : 2;
    if (outlineIds.length() != expected || hatchIds.length() != expected)
        return;
    build.raiseText();
    // A board pointing left lies on the negative side: the text goes with it.
    if (sign.pointsLeft && build.text()->setLocation(ZcGePoint3d(-(t + sign.textMargin), 0.0, 0.0)) != Zcad::eOk)
        return;
    build.complete();
}

}  // namespace

void BuildE17aBlock(D_SignBoard& sign) { buildRounded(sign, kGreenBoard, false); }

void BuildE18aBlock(D_SignBoard& sign) { buildRounded(sign, kGreenBoard, true); }

void BuildE21Block(D_SignBoard& sign) { buildRounded(sign, kWhiteBoard, false); }

void BuildE4Block(D_SignBoard& sign) { buildArrow(sign, kE4Height, kE4TextHeight, kE4Border, kE4Stripe); }

void BuildE5Block(D_SignBoard& sign) { buildArrow(sign, sign.boardHeight, sign.textHeight, 0.0, sign.stripeWidth); }
