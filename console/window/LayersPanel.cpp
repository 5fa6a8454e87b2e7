#include "console/window/LayersPanel.h"

#include <QColorDialog>
#include <QHeaderView>

#include "ZcDbDatabase.h"
#include "ZcDbLayerTable.h"
#include "ZcDbObjectPointer.h"
#include "zced.h"
#include "zcut.h"

namespace {

enum Column { kName, kColour, kOn, kFrozen, kCurrent, kColumns };

// The colour index drawn white on a dark background and black on a light one.
constexpr uint16_t kWhiteOrBlack = 7;

QColor colourOf(const ZcCmColor& colour)
{
    const uint32_t rgb = colour.isByColor() ? colour.rgb() : uint32_t(zcedGetRGB(colour.colorIndex()));
    return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The swatch as the layer is drawn: colour 7 stands out from the panel.
QColor swatchOf(const ZcCmColor& colour, const QColor& background)
{
    if (!colour.isByColor() && colour.colorIndex() == kWhiteOrBlack)
        return background.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black);
    return colourOf(colour);
}

QTableWidgetItem* flagItem(bool on)
{
    auto* item = new QTableWidgetItem(on ? "✔" : "");
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

}  // namespace

LayersPanel::LayersPanel(QWidget* parent) : QTableWidget(0, kColumns, parent)
{
    setHorizontalHeaderLabels({"Warstwa", "Kolor", "Wł.", "Zamr.", "Bieżąca"});
    horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    for (int column = kColour; column < kColumns; ++column)
        horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTableWidget::cellClicked, this, &LayersPanel::cellClicked);
}

void LayersPanel::showDrawing(ZcDbDatabase* drawing)
{
    m_drawing = drawing;
    m_layers.clear();
    ZcDbObjectPointer<ZcDbLayerTable> table(drawing->layerTableId(), ZcDb::kForRead);
    if (table.openStatus() != Zcad::eOk)
        return;
    const std::vector<ZcDbObjectId> ids = table->recordIds();
    table.close();
    setRowCount(0);
    for (const ZcDbObjectId& id : ids) {
        ZcDbObjectPointer<ZcDbLayerTableRecord> layer(id, ZcDb::kForRead);
        if (layer.openStatus() != Zcad::eOk)
            continue;  // erased
        const int row = int(m_layers.size());
        m_layers.push_back(id);
        setRowCount(row + 1);
        std::string name;
        layer->getName(name);
        auto* nameItem = new QTableWidgetItem(QString::fromStdString(name));
        nameItem->setFlags(Qt::ItemIsEnabled);
        setItem(row, kName, nameItem);
        auto* colour = new QTableWidgetItem;
        colour->setBackground(swatchOf(layer->color(), palette().color(QPalette::Base)));
        colour->setFlags(Qt::ItemIsEnabled);
        setItem(row, kColour, colour);
        setItem(row, kOn, flagItem(!layer->isOff()));
        setItem(row, kFrozen, flagItem(layer->isFrozen()));
        setItem(row, kCurrent, flagItem(drawing->clayer() == m_layers[row]));
    }
}

void LayersPanel::cellClicked(int row, int column)
{
    if (!m_drawing || row < 0 || row >= int(m_layers.size()) || column == kName)
        return;
    const ZcDbObjectId id = m_layers[row];
    bool frozen = false;
    if (ZcDbObjectPointer<ZcDbLayerTableRecord> layer(id, ZcDb::kForRead); layer.openStatus() == Zcad::eOk)
        frozen = layer->isFrozen();
    else
        return;
    // What is drawn next goes on the current layer: it must show.
    const bool current = m_drawing->clayer() == id;
    if (column == kCurrent && !current && frozen) {
        zcutPrintf("\nNie można ustawić warstwy zamrożonej jako bieżącej.\n");
        return;
    }
    if (column == kFrozen && current && !frozen) {
        zcutPrintf("\nNie można zamrozić warstwy bieżącej.\n");
        return;
    }
    if (column == kCurrent) {
        m_drawing->setClayer(id);
    } else {
        ZcDbObjectPointer<ZcDbLayerTableRecord> layer(id, ZcDb::kForWrite);
        if (layer.openStatus() != Zcad::eOk)
            return;
        if (column == kOn) {
            layer->setIsOff(!layer->isOff());
        } else if (column == kFrozen) {
            layer->setIsFrozen(!layer->isFrozen());
        } else if (column == kColour) {
            const QColor chosen = QColorDialog::getColor(colourOf(layer->color()), this, "Kolor warstwy");
            if (!chosen.isValid())
                return;
            ZcCmColor colour;
            colour.setRGB(uint8_t(chosen.red()), uint8_t(chosen.green()), uint8_t(chosen.blue()));
            layer->setColor(colour);
        }
    }
    showDrawing(m_drawing);
    emit layersChanged();
}
