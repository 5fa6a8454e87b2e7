#include "console/window/dialogs/DialogScreen.h"

#include <QEventLoop>
#include <QPointer>
#include <QtTest/QTest>
#include <memory>
#include <vector>

#include "console/window/dialogs/ColorChoiceWindow.h"
#include "console/window/dialogs/DialogWindow.h"
#include "platform/editor/LineText.h"
#include "platform/ui/ColorChoice.h"
#include "platform/ui/DialogRunner.h"

using platform::ZcUiDialogRunner;

namespace {

struct Screen {
    // The dialogs running, the innermost last.
    std::vector<std::unique_ptr<DialogWindow>> dialogs;
    std::unique_ptr<ColorChoiceWindow> colour;
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
    std::erase_if(s.dialogs, [](const auto& window) { return !ZcUiDialogRunner::isRunning(window->run()); });
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
        s.dialogs.push_back(std::make_unique<DialogWindow>(*dialog, ZcUiDialogRunner::currentRun(), owner));
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
            s.colour = std::make_unique<ColorChoiceWindow>(*shown, owner);
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
