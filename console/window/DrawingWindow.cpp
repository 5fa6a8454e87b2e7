#include "console/window/DrawingWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include <charconv>

#include "ZcDbDatabase.h"
#include "console/window/CommandLineWidget.h"
#include "console/window/DrawingView.h"
#include "console/window/LayersPanel.h"
#include "console/window/TarvoCommands.h"
#include "console/window/dialogs/DialogScreen.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/EntityPick.h"
#include "platform/editor/ScriptLine.h"

using platform::commandLine;

namespace {

// The command prompt as the input is asked for it (its last line, shown).
constexpr char kCommandPrompt[] = "Polecenie: ";
// The docks' first sizes, in pixels: the drawing takes most of the window.
constexpr int kCommandLineHeight = 150;
constexpr int kLayersWidth = 260;
// Recent files kept on the File menu.
constexpr int kRecentFiles = 8;
const char* const kRecentKey = "recentFiles";
const char* const kDxfFilter = "Rysunki DXF (*.dxf)";

// The shortest text that reads back as the same number.
std::string numberText(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return {text, end};
}

std::string pointText(const ZcGePoint3d& p) { return numberText(p.x) + "," + numberText(p.y); }

// Host commands that change the view or the command line, not the drawing.
bool changesNothing(const QString& line)
{
    const QString name = line.trimmed().section(' ', 0, 0).toUpper();
    return name.isEmpty() || name == "UCS" || name == "REGEN" || name == "SAVE";
}

}  // namespace

DrawingWindow::DrawingWindow()
    : m_view(new DrawingView), m_commandLine(new CommandLineWidget), m_layers(new LayersPanel),
      m_coordinates(new QLabel), m_snapState(new QLabel)
{
    setCentralWidget(m_view);
    auto* commandDock = new QDockWidget("Wiersz poleceń", this);
    commandDock->setObjectName("commandLine");
    commandDock->setWidget(m_commandLine);
    commandDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::BottomDockWidgetArea, commandDock);
    auto* layersDock = new QDockWidget("Warstwy", this);
    layersDock->setObjectName("layers");
    layersDock->setWidget(m_layers);
    addDockWidget(Qt::RightDockWidgetArea, layersDock);
    resizeDocks({commandDock}, {kCommandLineHeight}, Qt::Vertical);
    resizeDocks({layersDock}, {kLayersWidth}, Qt::Horizontal);
    statusBar()->addWidget(m_coordinates, 1);
    statusBar()->addPermanentWidget(m_snapState);
    buildMenus();
    resize(1280, 800);

    connect(&m_input, &WindowInput::prompted, this, &DrawingWindow::showPrompt);
    connect(&m_input, &WindowInput::replayDue, this, &DrawingWindow::replay);
    // A dialog the platform runs is shown as a real one; the user's action on
    // it is the line the prompt reads.
    m_input.setDialogRunner([this] { return nextDialogAction(this); });
    connect(m_commandLine, &CommandLineWidget::lineEntered, this, &DrawingWindow::typed);
    connect(m_commandLine, &CommandLineWidget::cancelled, this, [this] { m_input.answer("*cancel*"); });
    connect(m_view, &DrawingView::leftClicked, this, &DrawingWindow::clickAt);
    connect(m_view, &DrawingView::rightClicked, this, [this] { m_input.answer(""); });
    connect(m_view, &DrawingView::cursorMoved, this, &DrawingWindow::showCursor);
    // Picks typed or clicked find what lies within the pick box on screen.
    connect(m_view, &DrawingView::mappingChanged, this,
            [this] { commandLine().setPickBox(kPickBoxPixels / m_view->mapping().scale); });
    connect(m_layers, &LayersPanel::layersChanged, this, [this] {
        m_modified = true;
        refreshTitle();
        m_view->showDrawing(*m_drawing);
    });
    m_snapState->setText("OSNAP wył.");
    m_commandLine->edit()->setFocus();
}

// Picks without the window find within the console's own box again.
DrawingWindow::~DrawingWindow() { commandLine().setPickBox(platform::kPickAperture); }

void DrawingWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu("&Plik");
    file->addAction("&Nowy", QKeySequence::New, this, [this] {
        if (atCommandPrompt() && mayDiscard())
            newDrawing();
    });
    file->addAction("&Otwórz…", QKeySequence::Open, this, &DrawingWindow::openAsked);
    file->addAction("&Zapisz", QKeySequence::Save, this, [this] { saveAsked(false); });
    file->addAction("Zapisz &jako…", QKeySequence::SaveAs, this, [this] { saveAsked(true); });
    m_recentMenu = file->addMenu("Ostatnie pliki");
    fillRecentMenu();
    file->addSeparator();
    file->addAction("Za&kończ", QKeySequence::Quit, this, &QWidget::close);

    // Undo and redo are the command line's own commands: the keys type them.
    QMenu* edit = menuBar()->addMenu("&Edycja");
    edit->addAction("&Cofnij", QKeySequence::Undo, this, [this] { runCommand("UNDO"); });
    edit->addAction("&Ponów", QKeySequence(Qt::CTRL | Qt::Key_Y), this, [this] { runCommand("REDO"); });

    QMenu* view = menuBar()->addMenu("&Widok");
    view->addAction("Pokaż &wszystko", QKeySequence(Qt::Key_Home), m_view, &DrawingView::zoomExtents);
    QAction* paper = view->addAction("Tło &papieru");
    paper->setCheckable(true);
    connect(paper, &QAction::toggled, this, [this](bool on) {
        m_view->setDark(!on);
        m_view->showDrawing(*m_drawing);
    });
    QAction* snap = view->addAction("&Lokalizacja punktów (OSNAP)");
    snap->setCheckable(true);
    snap->setShortcut(Qt::Key_F3);
    connect(snap, &QAction::toggled, this, [this](bool on) {
        m_view->setSnapping(on);
        m_snapState->setText(on ? "OSNAP wł." : "OSNAP wył.");
    });

    QMenu* tarvo = menuBar()->addMenu("&Tarvo");
    QToolBar* bar = addToolBar("Tarvo");
    bar->setObjectName("tarvo");
    for (const TarvoCommand& command : tarvoCommands()) {
        QAction* action = tarvo->addAction(commandIcon(command), command.name);
        action->setToolTip(QString::fromUtf8(command.tooltip));
        action->setStatusTip(QString::fromUtf8(command.tooltip));
        const QString name = command.name;
        connect(action, &QAction::triggered, this, [this, name] { runCommand(name); });
        bar->addAction(action);
    }
}

void DrawingWindow::newDrawing() { adopt(std::make_unique<ZcDbDatabase>(true), QString()); }

bool DrawingWindow::openDrawing(const QString& path)
{
    auto drawing = std::make_unique<ZcDbDatabase>(false);
    std::string error;
    if (!platform::readDxfFile(path.toStdString(), *drawing, error)) {
        const QString message = "Nie można odczytać rysunku " + QString::fromStdString(error);
        m_commandLine->appendOutput(message + "\n");
        // Not blocking: the window stays usable while the box is up.
        auto* box = new QMessageBox(QMessageBox::Warning, "Tarvo", message, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        if (!m_drawing)
            newDrawing();
        return false;
    }
    adopt(std::move(drawing), path);
    rememberRecent(path);
    return true;
}

bool DrawingWindow::saveDrawing(const QString& path)
{
    std::string error;
    if (!platform::writeDxfFile(*m_drawing, path.toStdString(), error)) {
        QMessageBox::warning(this, "Tarvo", "Nie można zapisać rysunku: " + QString::fromStdString(error));
        return false;
    }
    m_path = path;
    m_modified = false;
    rememberRecent(path);
    refreshTitle();
    return true;
}

void DrawingWindow::adopt(std::unique_ptr<ZcDbDatabase> drawing, const QString& path)
{
    m_drawing = drawing.get();
    m_drawings.push_back(std::move(drawing));
    zcdbHostApplicationServices()->setWorkingDatabase(m_drawing);
    m_path = path;
    m_modified = false;
    m_view->showDrawing(*m_drawing);
    m_view->zoomExtents();
    m_layers->showDrawing(m_drawing);
    refreshTitle();
}

void DrawingWindow::refreshTitle()
{
    const QString name = m_path.isEmpty() ? QString("Bez nazwy") : QFileInfo(m_path).fileName();
    setWindowTitle(name + (m_modified ? " *" : "") + " — Tarvo");
}

bool DrawingWindow::atCommandPrompt() const { return m_input.waiting() && m_input.prompt() == kCommandPrompt; }

void DrawingWindow::showPrompt(const QString& prompt)
{
    m_commandLine->setPrompt(prompt);
    showRunningDialogs(this);
    const unsigned awaited = commandLine().awaited();
    // Points and numbers hold no blank: Space ends them as Enter does.
    m_commandLine->setSpaceEnds(!(awaited & (platform::kAcceptText | platform::kAcceptDialog)));
    if (m_drawing) {
        m_view->showDrawing(*m_drawing);
        m_layers->showDrawing(m_drawing);
    }
    if (prompt == kCommandPrompt)
        m_view->setHighlighted({});
    const std::optional<platform::PendingPrompt>& pending = commandLine().pending();
    std::optional<ZcGePoint2d> band;
    if (pending && pending->base && (pending->accepted & platform::kAcceptPoint)) {
        const ZcGePoint3d world = commandLine().ucs().toWorld(*pending->base);
        band = ZcGePoint2d(world.x, world.y);
    }
    m_view->setRubberBand(band);
    refreshTitle();
}

void DrawingWindow::showCursor(const QPointF& pixel)
{
    const ZcGePoint2d world = m_view->mapping().toWorld(pixel);
    const ZcGePoint3d user = commandLine().ucs().fromWorld({world.x, world.y, 0.0});
    m_coordinates->setText(QString("%1, %2").arg(user.x, 0, 'f', 3).arg(user.y, 0, 'f', 3));
}

void DrawingWindow::typed(const QString& line)
{
    if (atCommandPrompt() && !changesNothing(line)) {
        m_modified = true;
        refreshTitle();
    }
    m_input.answer(line.toStdString());
}

void DrawingWindow::runCommand(const QString& name)
{
    if (!atCommandPrompt()) {
        m_commandLine->appendOutput("\nNajpierw zakończ bieżące polecenie (Esc).\n");
        return;
    }
    m_commandLine->edit()->setText(name);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(m_commandLine->edit(), &enter);
}

void DrawingWindow::replay(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith("click ", Qt::CaseInsensitive)) {
        if (const auto point = platform::parsePoint(trimmed.mid(6).toStdString())) {
            const QPointF pixel = pixelOfUserPoint(m_view->mapping(), commandLine().ucs(), *point);
            QMouseEvent press(QEvent::MouseButtonPress, pixel, m_view->mapToGlobal(pixel), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_view, &press);
            QMouseEvent release(QEvent::MouseButtonRelease, pixel, m_view->mapToGlobal(pixel), Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(m_view, &release);
        }
        // A click the prompt cannot take is the line as written: the command
        // line says what it expected.
        m_input.answer(line.toStdString());
        return;
    }
    // A dialog's line is carried out on its widgets, which give the line.
    if (dialogAwaitsAction() && replayDialogAction(line.toStdString())) {
        if (const std::optional<std::string> action = nextDialogAction(this))
            m_input.answer(*action);
        else
            m_input.close();
        return;
    }
    m_commandLine->edit()->setText(line);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(m_commandLine->edit(), &enter);
}

void DrawingWindow::clickAt(const QPointF& pixel)
{
    if (!m_input.waiting())
        return;
    const unsigned awaited = commandLine().awaited();
    const platform::UserCoordinateSystem& ucs = commandLine().ucs();
    if (awaited & platform::kAcceptPoint) {
        const auto snap = m_view->snapAt(pixel);
        const ZcGePoint3d point =
            snap ? ucs.fromWorld({snap->point.x, snap->point.y, 0.0}) : clickedPoint(m_view->mapping(), ucs, pixel);
        m_input.answer(pointText(point));
    } else if (awaited & platform::kAcceptPick) {
        // A pick as the script's, at the point under the cursor: the
        // command line finds the entity within its box, set from the pick
        // box in pixels at this zoom. The same rule says what to highlight.
        const ZcGePoint3d point = clickedPoint(m_view->mapping(), ucs, pixel);
        const ZcDbObjectId picked = platform::pickEntity(*m_drawing, ucs.toWorld(point), commandLine().pickBox());
        if (!picked.isNull())
            m_view->setHighlighted({picked});
        m_input.answer("pick " + pointText(point));
    }
}

bool DrawingWindow::mayDiscard()
{
    if (!m_modified)
        return true;
    const auto choice = QMessageBox::question(this, "Tarvo", "Rysunek ma niezapisane zmiany. Zapisać je?",
                                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (choice == QMessageBox::Cancel)
        return false;
    if (choice == QMessageBox::Save) {
        saveAsked(false);
        return !m_modified;
    }
    return true;
}

void DrawingWindow::openAsked()
{
    if (!atCommandPrompt()) {
        m_commandLine->appendOutput("\nNajpierw zakończ bieżące polecenie (Esc).\n");
        return;
    }
    if (!mayDiscard())
        return;
    const QString path = QFileDialog::getOpenFileName(this, "Otwórz rysunek", QString(), kDxfFilter);
    if (!path.isEmpty())
        openDrawing(path);
}

void DrawingWindow::saveAsked(bool choosePath)
{
    QString path = m_path;
    if (choosePath || path.isEmpty())
        path = QFileDialog::getSaveFileName(this, "Zapisz rysunek", m_path, kDxfFilter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(".dxf", Qt::CaseInsensitive))
        path += ".dxf";
    saveDrawing(path);
}

void DrawingWindow::rememberRecent(const QString& path)
{
    QSettings settings("Tarvo", "window");
    QStringList recent = settings.value(kRecentKey).toStringList();
    const QString full = QFileInfo(path).absoluteFilePath();
    recent.removeAll(full);
    recent.prepend(full);
    while (recent.size() > kRecentFiles)
        recent.removeLast();
    settings.setValue(kRecentKey, recent);
    fillRecentMenu();
}

void DrawingWindow::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList recent = QSettings("Tarvo", "window").value(kRecentKey).toStringList();
    for (const QString& path : recent)
        m_recentMenu->addAction(path, this, [this, path] {
            if (atCommandPrompt() && mayDiscard())
                openDrawing(path);
        });
    m_recentMenu->setEnabled(!recent.isEmpty());
}

void DrawingWindow::closeEvent(QCloseEvent* event)
{
    if (!mayDiscard()) {
        event->ignore();
        return;
    }
    event->accept();
    // The command waiting for input is answered as by Esc and unwinds.
    stopWaitingForDialog();
    m_input.close();
}
