#pragma once

#include <QPixmap>

#include "ZcUiImages.h"

// The pictures a dialog's controls show, read from the chained modules'
// image resources that the platform's handles name. A stale or unknown
// handle gives an empty pixmap: the control then shows nothing, as it would.
QPixmap bitmapPixmap(HBITMAP bitmap);
QPixmap iconPixmap(HICON icon);
// The image at that index of the list, at the list's size.
QPixmap imageListPixmap(HIMAGELIST list, int index);
