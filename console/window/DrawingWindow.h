#pragma once

#include <QMainWindow>
#include <QString>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ZcDbObjectId.h"
#include "console/window/WindowInput.h"

class QLabel;
class QMenu;
class ZcDbDatabase;
class CommandLineWidget;
class DrawingView;
class LayersPanel;

// The drawing window: the view of model space, the command line docked
// below it, the layers beside it, the Tarvo commands on a menu and toolbar.
// It is the command line's input while it is open.
class DrawingWindow : public QMainWindow {
    Q_OBJECT
public:
    DrawingWindow();
    ~DrawingWindow() override;

    WindowInput& input() { return m_input; }
    DrawingView* view() const { return m_view; }
    CommandLineWidget* commandLineWidget() const { return m_commandLine; }
    LayersPanel* layers() const { return m_layers; }
    ZcDbDatabase* drawing() const { return m_drawing; }
    const QString& path() const { return m_path; }
    bool modified() const { return m_modified; }

    // Makes a new drawing the working one.
    void newDrawing();
    // Reads a drawing and makes it the working one; when it cannot be read,
    // says why in a box and on the command line and keeps the drawing there was.
    bool openDrawing(const QString& path);
    // Writes the drawing; false, with the reason shown, when it cannot.
    bool saveDrawing(const QString& path);
    // Feeds one line of a script in as the user would: a "click X,Y" as a
    // left click in the view, anything else typed on the command line.
    void replay(const QString& line);
    // A left click in the view at a pixel, answered as the waiting prompt takes it.
    void clickAt(const QPointF& pixel);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void showPrompt(const QString& prompt);
    void showCursor(const QPointF& pixel);
    void typed(const QString& line);
    // Whether the drawing may be replaced: asks about unsaved changes.
    bool mayDiscard();
    bool atCommandPrompt() const;
    void adopt(std::unique_ptr<ZcDbDatabase> drawing, const QString& path);
    void refreshTitle();
    void rememberRecent(const QString& path);
    void fillRecentMenu();
    void runCommand(const QString& name);
    void openAsked();
    void saveAsked(bool choosePath);

    WindowInput m_input;
    DrawingView* m_view;
    CommandLineWidget* m_commandLine;
    LayersPanel* m_layers;
    QLabel* m_coordinates;
    QLabel* m_snapState;
    QMenu* m_recentMenu = nullptr;
    ZcDbDatabase* m_drawing = nullptr;
    // Drawings replaced stay: the plug-in may still hold their objects' ids.
    std::vector<std::unique_ptr<ZcDbDatabase>> m_drawings;
    QString m_path;
    bool m_modified = false;
    bool m_sawCommand = false;  // a command ran since the prompt was last shown
};
