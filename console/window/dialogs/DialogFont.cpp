#include "console/window/dialogs/DialogFont.h"

QFont dialogFont()
{
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setStyleHint(QFont::SansSerif);
    // 8 points at 96 dots per inch.
    font.setPixelSize(11);
    return font;
}
