#include "signs/SignDrawing.h"

#include "ZcDbObjectPointer.h"
#include "frame/DrawingSettings.h"
#include "services/DatabaseServices.h"
#include "signs/BoardBlocks.h"
#include "signs/SignPlacement.h"

namespace {

constexpr int kRemoved = 3;

constexpr SignTraits kSigns[] = {
    {SignKind::E17a, "E17a", "E-17a", false, false}, {SignKind::E18a, "E18a", "E-18a", false, false},
    {SignKind::E21, "E21", "E-21", false, false},    {SignKind::E4, "E4", "E-4", true, false},
    {SignKind::E5, "E5", "E-5", true, true},
};

// Scales of the scale list: the sign's own and whether the drawing's
// symbol scale applies (at 1:1 the board is drawn in its real size).
constexpr SignScale kScales[] = {{2.0, 0.0}, {1.0, 0.0}, {500.0, 1.0}};
constexpr char kSizeLetters[] = {'W', 'D', 'S', 'M'};

void buildBoard(D_SignBoard& sign, SignKind kind)
{
    switch (kind) {
    case SignKind::E17a: BuildE17aBlock(sign); break;
    case SignKind::E18a: BuildE18aBlock(sign); break;
    case SignKind::E21: BuildE21Block(sign); break;
    case SignKind::E4: BuildE4Block(sign); break;
    case SignKind::E5: BuildE5Block(sign); break;
    }
}

void groupPlaced(const ZcDbObjectIdArray& placed)
{
    if (placed.isEmpty())
        return;
    ZcDbObjectPointer<ZcDbGroup> group;
    if (ZcDbGroup* created = CreateGroup("*", ZcDb::kForWrite))
        group.acquire(created);
    if (!group)
        return;
    for (ZcDbObjectId id : placed)
        group->append(id);
}

}  // namespace

const SignTraits& TraitsOf(SignKind kind)
{
    for (const SignTraits& traits : kSigns)
        if (traits.kind == kind)
            return traits;
    return kSigns[0];
}

SignScale ScaleOfIndex(int scaleIndex, double symbolScale)
{
    const SignScale row = scaleIndex >= 0 && scaleIndex < int(std::size(kScales)) ? kScales[scaleIndex] : kScales[0];
    return {row.scale, row.symbolFactor == 0.0 ? symbolScale : row.symbolFactor};
}

char SizeLetterOf(int sizeIndex)
{
    return sizeIndex >= 0 && sizeIndex < int(std::size(kSizeLetters)) ? kSizeLetters[sizeIndex] : 'S';
}

void DrawSign(const SignChoice& choice)
{
    const std::string text = SignText(choice.text);
    if (text.empty())
        return;
    const DrawingSettings drawing = ReadDrawingSettings();
    const std::string layer = LayerForDestination(drawing, choice.destination);
    if (RefuseLockedDestination(layer, "znaku nie narysowano."))
        return;
    const SignTraits& traits = TraitsOf(choice.kind);
    const SignScale scale = ScaleOfIndex(choice.scale, drawing.symbolScale);

    D_SignBoard sign(choice.kind);
    sign.asSign = choice.asSign;
    sign.withDescription = choice.withDescription;
    sign.pointsLeft = traits.hasDirection && choice.direction == 1;
    if (traits.hasSize)
        sign.SetSizeClass(SizeLetterOf(choice.size));
    else
        sign.sizeClass = ' ';
    sign.scale = scale.scale;
    sign.generation = choice.generationName;
    sign.destination = choice.destinationName;
    sign.MakeSignBlockName(text);
    buildBoard(sign, choice.kind);

    ZcDbObjectIdArray placed;
    const ZcDbObjectId board = traits.hasDirection
                                   ? PlaceArrowSign(sign, placed, layer, scale.symbolFactor, drawing.markingScale)
                                   : PlaceSign(sign, placed, layer, scale.symbolFactor, drawing.markingScale);
    if (choice.destination == kRemoved && !board.isNull())
        for (const ZcDbObjectId line : CrossOutEntity(sign, board))
            placed.append(line);
    if (drawing.groupObjects)
        groupPlaced(placed);
}
