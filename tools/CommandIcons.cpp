// Draws the Tarvo toolbar's command icons: for each command what it puts
// in the drawing, as a road designer knows it (the sign's board in its
// colours, the board of texts, a painted line or arrow on the road, the
// kerb's curve, the signal head, the islands of a roundabout), and a sheet
// of them all with the commands' names and tooltips.
// Usage: command_icons FOLDER (writes FOLDER/<command>.png and sheet.png)

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "console/window/TarvoCommands.h"

namespace {

// Icons are drawn on a grid of this many units a side and saved at this size;
// the toolbar scales them down.
constexpr double kUnits = 48.0;
constexpr int kIconPixels = 48;
// The sheet: each command's icon at full and toolbar size, its name and tooltip.
constexpr int kSheetColumns = 4;
constexpr int kCellWidth = 230;
constexpr int kCellHeight = 118;
constexpr int kToolbarPixels = 24;

const QColor kSignGreen(0, 153, 38);  // the boards' green
const QColor kSignBlue(0, 0, 255);    // the boards' blue text
const QColor kSignRed(220, 20, 30);
const QColor kRoad(88, 90, 94);
const QColor kPaint(Qt::white);
const QColor kInk(30, 30, 30);

using Draw = std::function<void(QPainter&)>;

// A board's text: short bars where the letters would be, too small to read.
void textBars(QPainter& p, const QRectF& area, const QColor& colour, int rows)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double pitch = area.height() / rows;
    for (int i = 0; i < rows; ++i) {
        const double width = area.width() * (i % 2 ? 0.7 : 1.0);
        p.drawRect(
            QRectF(area.left() + (area.width() - width) / 2, area.top() + i * pitch + pitch * 0.2, width, pitch * 0.6));
    }
}

QPainterPath arrowBoard(const QRectF& box)
{
    // The five-cornered board pointing right: its point a right angle.
    const double half = box.height() / 2;
    QPainterPath path;
    path.moveTo(box.left(), box.top());
    path.lineTo(box.right() - half, box.top());
    path.lineTo(box.right(), box.center().y());
    path.lineTo(box.right() - half, box.bottom());
    path.lineTo(box.left(), box.bottom());
    path.closeSubpath();
    return path;
}

// A direction sign: the arrow board with its stripe inside the edge and the town's name.
void directionSign(QPainter& p, const QColor& board, const QColor& stripe, const QColor& text)
{
    const QRectF box(3, 12, 43, 24);
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.setBrush(board);
    p.drawPath(arrowBoard(box));
    p.setPen(QPen(stripe, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrowBoard(box.adjusted(2.5, 2.5, -3.5, -2.5)));
    textBars(p, QRectF(8, 20, 20, 8), text, 1);
}

// A town sign: the rounded board, its stripe, the town's name.
void townSign(QPainter& p, const QColor& board, const QColor& stripe, const QColor& text)
{
    const QRectF box(3, 10, 42, 28);
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.setBrush(board);
    p.drawRoundedRect(box, 5, 5);
    p.setPen(QPen(stripe, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(2.5, 2.5, -2.5, -2.5), 3, 3);
    textBars(p, QRectF(11, 19, 26, 10), text, 1);
}

void roadSquare(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kRoad);
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 4, 4);
}

void drawE4(QPainter& p) { directionSign(p, kSignGreen, kPaint, kPaint); }

void drawE5(QPainter& p) { directionSign(p, kPaint, kSignBlue, kSignBlue); }

void drawE17a(QPainter& p) { townSign(p, kSignGreen, kPaint, kPaint); }

void drawE18a(QPainter& p)
{
    townSign(p, kSignGreen, kPaint, kPaint);
    // The end of the town: the red band across the name.
    p.setPen(QPen(kSignRed, 3.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8, 35), QPointF(40, 13));
}

void drawE21(QPainter& p) { townSign(p, kPaint, kSignBlue, kSignBlue); }

void drawInfoBoard(QPainter& p)
{
    // The board of several rows of texts on its two posts.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRectF(11, 36, 3, 10));
    p.drawRect(QRectF(34, 36, 3, 10));
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.setBrush(QColor(0, 70, 160));
    p.drawRect(QRectF(3, 4, 42, 33));
    p.setPen(QPen(kPaint, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5.5, 6.5, 37, 28));
    textBars(p, QRectF(9, 10, 30, 4), kPaint, 1);
    p.setPen(QPen(kPaint, 0.8));
    p.drawLine(QPointF(5.5, 16), QPointF(42.5, 16));
    textBars(p, QRectF(9, 18, 30, 14), QColor(255, 220, 0), 3);
}

void drawLineMarking(QPainter& p)
{
    roadSquare(p);
    // The broken centre line between the two continuous edge lines.
    p.setPen(Qt::NoPen);
    p.setBrush(kPaint);
    p.drawRect(QRectF(7, 2, 2.5, 44));
    p.drawRect(QRectF(38.5, 2, 2.5, 44));
    for (double y = 4; y < 46; y += 14)
        p.drawRect(QRectF(22.75, y, 2.5, 8));
}

void drawArrowMarking(QPainter& p)
{
    roadSquare(p);
    // A straight-on arrow painted in the lane, pointing the way of travel.
    QPainterPath arrow;
    arrow.moveTo(24, 5);
    arrow.lineTo(35, 21);
    arrow.lineTo(27, 19);
    arrow.lineTo(27, 43);
    arrow.lineTo(21, 43);
    arrow.lineTo(21, 19);
    arrow.lineTo(13, 21);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kPaint);
    p.drawPath(arrow);
}

void drawKerbCurve(QPainter& p)
{
    // A street corner: the road around it, the footway's corner rounded by
    // the kerb of three arcs, their centres on the footway with their radii.
    roadSquare(p);
    QPainterPath kerb;
    kerb.moveTo(6, 46);
    kerb.lineTo(6, 38);
    kerb.cubicTo(6, 30, 10, 25, 14, 21);
    kerb.cubicTo(19, 15, 24, 10, 36, 7);
    kerb.lineTo(46, 6);
    QPainterPath footway = kerb;
    footway.lineTo(46, 46);
    footway.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 206, 190));
    p.drawPath(footway);
    p.setPen(QPen(QColor(120, 110, 95), 0.9, Qt::DashLine));
    p.drawLine(QPointF(42, 42), QPointF(9, 32));
    p.drawLine(QPointF(42, 42), QPointF(18, 17));
    p.drawLine(QPointF(42, 42), QPointF(34, 8));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kPaint, 3.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(kerb);
    p.setPen(QPen(kSignRed, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(QPointF(8.5, 31));
    p.drawPoint(QPointF(17, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(42, 42), 2, 2);
}

void drawTrafficLight(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRectF(22.5, 38, 3, 9));
    p.setPen(QPen(QColor(60, 60, 60), 1.0));
    p.setBrush(QColor(25, 25, 25));
    p.drawRoundedRect(QRectF(14, 1.5, 20, 37), 4, 4);
    const QColor lamps[] = {QColor(235, 30, 30), QColor(250, 180, 0), QColor(20, 200, 70)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lamps[i]);
        p.drawEllipse(QPointF(24, 8 + i * 11.5), 4.3, 4.3);
    }
}

void drawIslands(QPainter& p)
{
    roadSquare(p);
    // The roundabout's central island, and on the road coming in from
    // below the splitter island between its two lanes.
    p.setPen(QPen(kPaint, 1.4));
    p.setBrush(QColor(70, 160, 70));
    p.drawEllipse(QPointF(24, 17), 10, 10);
    QPainterPath island;
    island.moveTo(24, 47);
    island.cubicTo(25, 41, 31, 37, 33, 31);
    island.cubicTo(27, 34, 21, 34, 15, 31);
    island.cubicTo(17, 37, 23, 41, 24, 47);
    p.setBrush(QColor(225, 225, 225));
    p.drawPath(island);
}

struct IconDrawing {
    const char* command;
    Draw draw;
};

const std::vector<IconDrawing>& iconDrawings()
{
    static const std::vector<IconDrawing> drawings = {
        {"E4", drawE4},
        {"E5", drawE5},
        {"E17a", drawE17a},
        {"E18a", drawE18a},
        {"E21", drawE21},
        {"D_InfoTab", drawInfoBoard},
        {"D_Linie", drawLineMarking},
        {"D_Strzalki", drawArrowMarking},
        {"D_Koszowa", drawKerbCurve},
        {"D_Swiatla", drawTrafficLight},
        {"D_Wyspy", drawIslands},
    };
    return drawings;
}

QImage icon(const Draw& draw, int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(pixels / kUnits, pixels / kUnits);
    draw(p);
    return image;
}

const Draw* drawingOf(const char* command)
{
    for (const IconDrawing& drawing : iconDrawings())
        if (std::string(drawing.command) == command)
            return &drawing.draw;
    return nullptr;
}

QImage sheet()
{
    const std::vector<TarvoCommand>& commands = tarvoCommands();
    const int rows = int(commands.size() + kSheetColumns - 1) / kSheetColumns;
    QImage image(kSheetColumns * kCellWidth, rows * kCellHeight, QImage::Format_ARGB32);
    image.fill(QColor(240, 240, 240));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    QFont font = p.font();
    font.setPixelSize(12);
    for (size_t i = 0; i < commands.size(); ++i) {
        const QPoint cell(int(i % kSheetColumns) * kCellWidth, int(i / kSheetColumns) * kCellHeight);
        const Draw* draw = drawingOf(commands[i].name);
        if (!draw)
            continue;
        p.drawImage(cell + QPoint(16, 10), icon(*draw, kIconPixels));
        p.drawImage(cell + QPoint(80, 22), icon(*draw, kToolbarPixels));
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(cell.x() + 8, cell.y() + 62, kCellWidth - 16, 16), Qt::AlignLeft, commands[i].name);
        font.setBold(false);
        p.setFont(font);
        p.drawText(QRect(cell.x() + 8, cell.y() + 78, kCellWidth - 16, 36), Qt::AlignLeft | Qt::TextWordWrap,
                   QString::fromUtf8(commands[i].tooltip));
    }
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    // Fonts for the sheet, no screen needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    int status = 0;
    for (const TarvoCommand& command : tarvoCommands()) {
        const Draw* draw = drawingOf(command.name);
        if (!draw) {
            std::fprintf(stderr, "no icon is drawn for %s\n", command.name);
            status = 1;
            continue;
        }
        const QString path = folder + "/" + command.name + ".png";
        if (!icon(*draw, kIconPixels).save(path)) {
            std::fprintf(stderr, "%s cannot be written\n", qPrintable(path));
            status = 1;
        }
    }
    if (!sheet().save(folder + "/sheet.png")) {
        std::fprintf(stderr, "%s/sheet.png cannot be written\n", qPrintable(folder));
        status = 1;
    }
    return status;
}
