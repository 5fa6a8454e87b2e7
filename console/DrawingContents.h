#pragma once

#include "console/BillOfQuantities.h"

class ZcDbDatabase;

// The block references of the drawing's model space, with their attributes
// and groups, and the destinations' layers of its settings. Every object
// opened is closed again.
DrawingContents readDrawingContents(ZcDbDatabase& db);
