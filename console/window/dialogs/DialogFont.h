#pragma once

#include <QFont>

// The font the dialogs' templates name (MS Shell Dlg, 8 points) as this
// system has it: a sans serif whose average character is as wide as the
// one the dialog units are measured by, so texts fit their controls.
QFont dialogFont();
