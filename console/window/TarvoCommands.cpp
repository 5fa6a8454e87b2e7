#include "console/window/TarvoCommands.h"

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
    return QIcon(QStringLiteral(":/commands/%1.png").arg(QString::fromUtf8(command.name)));
}
