#include "console/window/dialogs/DialogScreen.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QtTest/QTest>
#include <utility>
#include <vector>

#include "console/window/dialogs/ColorChoiceWindow.h"
#include "console/window/dialogs/DialogWindow.h"
#include "platform/editor/LineText.h"
#include "platform/ui/ColorChoice.h"
#include "platform/ui/DialogRunner.h"

using platform::ZcUiDialogRunner;

namespace {

// A window made here, which its Qt owner may delete first (the main window
// closing with a dialog open): then it is null, never deleted twice.
template <class Window>
class OwnedWindow {
public:
    OwnedWindow() = default;
    explicit OwnedWindow(Window* window) : m_window(window) {}
    ~OwnedWindow() { reset(); }
    OwnedWindow(OwnedWindow&& other) noexcept : m_window(std::exchange(other.m_window, nullptr)) {}
    OwnedWindow& operator=(OwnedWindow&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_window = std::exchange(other.m_window, nullptr);
        }
        return *this;
    }
    // Widgets go only while the application is there; at the process's
    // exit after it, the system takes back what is left.
    void reset()
    {
        if (m_window && QCoreApplication::instance())
            delete m_window.data();
        m_window = nullptr;
    }
    Window* get() const { return m_window.data(); }
    Window* operator->() const { return m_window.data(); }
    explicit operator bool() const { return !m_window.isNull(); }

private:
    QPointer<Window> m_window;
};

struct Screen {
    // The dialogs running, the innermost last.
    std::vector<OwnedWindow<DialogWindow>> dialogs;
    OwnedWindow<ColorChoiceWindow> colour;
    QPointer<QWidget> parent;
    QEventLoop* waiting = nullptr;
};

Screen& screen()
{
    static Screen shown;
    return shown;
}

std::optional<std::string> waitFor(ActionQueue& actions)
{
    Screen& s = screen();
    if (actions.empty()) {
        QEventLoop loop;
        s.waiting = &loop;
        actions.whenAdded([&loop] { loop.quit(); });
        loop.exec();
        actions.whenAdded({});
        s.waiting = nullptr;
    }
    if (actions.empty())
        return std::nullopt;
    return actions.take();
}

// A window whose run has ended outlived its dialog, which lived in the
// command's frame: it must go before anything reads the controls it shows.
void closeEndedDialogs(Screen& s)
{
    std::erase_if(s.dialogs, [](const auto& window) { return !window || !ZcUiDialogRunner::isRunning(window->run()); });
}

DialogWindow* waitingDialog()
{
    Screen& s = screen();
    closeEndedDialogs(s);
    if (s.dialogs.empty() || !s.dialogs.back()->dialog().IsWindowVisible())
        return nullptr;
    return s.dialogs.back().get();
}

}  // namespace

void showRunningDialogs(QWidget* parent)
{
    Screen& s = screen();
    s.parent = parent;
    closeEndedDialogs(s);
    if (CZcUiDialog* dialog = ZcUiDialogRunner::current();
        dialog && (s.dialogs.empty() || s.dialogs.back()->run() != ZcUiDialogRunner::currentRun())) {
        QWidget* owner = s.dialogs.empty() ? parent : s.dialogs.back().get();
        s.dialogs.emplace_back(new DialogWindow(*dialog, ZcUiDialogRunner::currentRun(), owner));
    }
    for (const auto& window : s.dialogs) {
        window->refresh();
        if (window->dialog().IsWindowVisible()) {
            window->show();
        } else if (window->isVisible()) {
            // What the user did before it hid is void: the view takes the picks now.
            window->hide();
            window->actions().clear();
        }
    }
    if (const std::optional<COLORREF> shown = platform::shownColorChoice()) {
        QWidget* owner = s.dialogs.empty() ? parent : s.dialogs.back().get();
        if (!s.colour) {
            s.colour = OwnedWindow<ColorChoiceWindow>(new ColorChoiceWindow(*shown, owner));
            s.colour->show();
        } else if (!s.colour->isVisible() && s.colour->actions().empty()) {
            s.colour->showAgain(*shown);
        }
    } else {
        s.colour.reset();
    }
}

bool dialogAwaitsAction() { return screen().colour || waitingDialog(); }

std::optional<std::string> nextDialogAction(QWidget* parent)
{
    showRunningDialogs(parent);
    Screen& s = screen();
    if (s.colour)
        return waitFor(s.colour->actions());
    if (DialogWindow* window = waitingDialog())
        return waitFor(window->actions());
    return std::nullopt;
}

bool replayDialogAction(const std::string& line)
{
    Screen& s = screen();
    showRunningDialogs(s.parent);
    QDialog* target = shownDialogWindow();
    if (!target)
        return false;
    const std::string_view trimmedLine = platform::trimmed(line);
    if (trimmedLine.empty() || platform::asciiLower(trimmedLine) == "*cancel*") {
        QTest::keyClick(target, trimmedLine.empty() ? Qt::Key_Return : Qt::Key_Escape);
        return true;
    }
    std::string_view rest = trimmedLine;
    std::string error;
    std::optional<platform::DialogAction> action;
    if (platform::asciiLower(platform::takeWord(rest)) == "dlg")
        action = platform::parseDialogAction(rest, error);
    if (s.colour) {
        if (action)
            s.colour->replay(line, *action);
        else
            return false;
    } else if (DialogWindow* window = waitingDialog(); window && action) {
        window->replay(line, *action);
    } else {
        return false;
    }
    return true;
}

void stopWaitingForDialog()
{
    if (QEventLoop* loop = screen().waiting)
        loop->quit();
}

QDialog* shownDialogWindow()
{
    Screen& s = screen();
    if (s.colour && s.colour->isVisible())
        return s.colour.get();
    DialogWindow* window = waitingDialog();
    return window;
}
