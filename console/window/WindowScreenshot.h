#pragma once

#include <QImage>

class QWidget;

// The window as the user sees it: the main window with the dialogs and
// boxes open over it where they stand, each under a title bar with its
// caption (the screen draws none without a window manager).
QImage screenPicture(QWidget& window);
