#include "console/window/TarvoCommands.h"

#include <QPainter>
#include <QPixmap>

#include <cstring>

namespace {

// Icons are drawn at this size; the toolbar scales them.
constexpr int kIconSize = 48;

struct IconLook {
    QColor board;
    QColor ink;
    const char* label;
};

IconLook lookOf(const char* name)
{
    const QColor green(0, 120, 60), blue(0, 70, 160), white(Qt::white), grey(70, 70, 70), amber(230, 160, 0);
    static const struct {
        const char* name;
        IconLook look;
    } looks[] = {
        {"E4", {green, white, "E-4"}},     {"E5", {white, blue, "E-5"}},
        {"E17a", {green, white, "E-17a"}}, {"E18a", {green, QColor(220, 30, 30), "E-18a"}},
        {"E21", {white, blue, "E-21"}},    {"D_InfoTab", {blue, white, "Tab"}},
        {"D_Linie", {grey, white, "P-1"}}, {"D_Strzalki", {grey, white, "P-8"}},
        {"D_Koszowa", {white, grey, "R"}}, {"D_Swiatla", {QColor(30, 30, 30), amber, "S"}},
        {"D_Wyspy", {grey, white, "W"}},
    };
    for (const auto& entry : looks)
        if (std::strcmp(entry.name, name) == 0)
            return entry.look;
    return {grey, white, name};
}

}  // namespace

const std::vector<TarvoCommand>& tarvoCommands()
{
    static const std::vector<TarvoCommand> commands = {
        {"E4", "Tablica kierunkowa E-4"},
        {"E5", "Tablica kierunkowa E-5"},
        {"E17a", "Tablica miejscowości E-17a"},
        {"E18a", "Tablica końca miejscowości E-18a"},
        {"E21", "Tablica miejscowości E-21"},
        {"D_InfoTab", "Tablica informacyjna"},
        {"D_Linie", "Linie poziomego oznakowania (P-1A … P-7D, P-19)"},
        {"D_Strzalki", "Strzałki kierunkowe (P-8A … P-9B, P-6A)"},
        {"D_Koszowa", "Krzywa koszowa krawężnika"},
        {"D_Swiatla", "Sygnalizacja świetlna"},
        {"D_Wyspy", "Wyspy kanalizujące przy rondzie"},
    };
    return commands;
}

QIcon commandIcon(const TarvoCommand& command)
{
    const IconLook look = lookOf(command.name);
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(look.ink, 2.0));
    painter.setBrush(look.board);
    painter.drawRoundedRect(QRectF(3, 9, kIconSize - 6, kIconSize - 18), 5, 5);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::strlen(look.label) > 3 ? 11 : 15);
    painter.setFont(font);
    painter.drawText(QRectF(3, 9, kIconSize - 6, kIconSize - 18), Qt::AlignCenter, QString::fromUtf8(look.label));
    return QIcon(pixmap);
}
