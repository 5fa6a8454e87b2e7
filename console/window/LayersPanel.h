#pragma once

#include <QTableWidget>

#include <vector>

#include "ZcDbObjectId.h"

class ZcDbDatabase;

// The drawing's layers: colour, on or off, frozen or thawed, and which is
// current. Changes made here are made to the drawing itself.
class LayersPanel : public QTableWidget {
    Q_OBJECT
public:
    explicit LayersPanel(QWidget* parent = nullptr);

    // Lists the layers of the drawing as they are now.
    void showDrawing(ZcDbDatabase* drawing);

signals:
    // A layer's state or the current layer was changed in the drawing.
    void layersChanged();

private:
    void cellClicked(int row, int column);

    ZcDbDatabase* m_drawing = nullptr;
    std::vector<ZcDbObjectId> m_layers;  // one per row
};
