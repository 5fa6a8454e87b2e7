#include "console/window/WindowSession.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include "ZcDbDatabase.h"
#include "ZcRxDynamicLinker.h"
#include "console/Session.h"
#include "console/WindowCommand.h"
#include "console/window/CommandLineWidget.h"
#include "console/window/DrawingWindow.h"
#include "console/window/WindowScreenshot.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/CommandLoop.h"
#include "platform/editor/InputSource.h"
#include "platform/editor/OpenObjectCheck.h"
#include "platform/editor/Transcript.h"
#include "platform/editor/UndoHistory.h"

using platform::commandLine;
using platform::transcript;

namespace {

bool hasEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

void loadApplications(const std::vector<std::string>& apps, const ZcDbDatabase* db)
{
    for (const std::string& app : apps) {
        if (!zcrxDynamicLinker->loadModule(app.c_str(), true)) {
            commandLine().fail(kExitFailure, "Nie załadowano aplikacji \"" + app + "\".");
            return;
        }
        if (!platform::checkNothingLeftOpen(db, "załadowaniu " + app))
            return;
    }
}

// The transcript shown in the command-line widget for the session's length.
struct TranscriptShown {
    explicit TranscriptShown(CommandLineWidget* widget)
    {
        transcript().setListener([widget](std::string_view text) {
            widget->appendOutput(QString::fromUtf8(text.data(), qsizetype(text.size())));
        });
    }
    ~TranscriptShown() { transcript().setListener({}); }
};

}  // namespace

bool windowDisplayAvailable() { return hasEnv("QT_QPA_PLATFORM") || hasEnv("DISPLAY") || hasEnv("WAYLAND_DISPLAY"); }

bool readScriptLines(const std::string& path, std::vector<std::string>& lines, std::string& error)
{
    const auto script = platform::StreamInput::openFile(path, error);
    if (!script)
        return false;
    while (const auto line = script->readLine({}))
        lines.emplace_back(*line);
    error = script->stopReason();
    return error.empty();
}

int runWindowSession(const WindowRequest& request)
{
    if (!windowDisplayAvailable()) {
        std::fputs("tarvo: no display to open the window on (DISPLAY is not set)\n", stderr);
        return kExitUsage;
    }
    std::vector<std::string> script;
    if (request.script) {
        if (std::string error; !readScriptLines(*request.script, script, error)) {
            transcript().error("tarvo: cannot read the script " + error);
            return kExitUsage;
        }
    }
    int argc = 1;
    char name[] = "tarvo";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tarvo");

    // Filled while the window runs, so made before it.
    QImage screenshot;
    size_t linesGiven = 0;
    DrawingWindow window;
    const TranscriptShown shown(window.commandLineWidget());
    window.show();
    const bool opened = request.drawing ? window.openDrawing(QString::fromStdString(*request.drawing)) : true;
    if (!request.drawing)
        window.newDrawing();

    // With an output asked for, the session ends with the script; a drawing
    // that could not be read is not replaced by a new one's output.
    const bool endWithScript = request.out || request.screenshot;
    if (!opened && endWithScript)
        return kExitDrawing;

    platform::CommandLine& cl = commandLine();
    cl.reset();
    cl.setInput(&window.input());
    cl.setApplications(request.applications);
    // A designer at the window undoes with Ctrl+Z: every command is kept.
    platform::undoHistory().setEnabled(true);
    // The screenshot is what the user sees once the script has given its
    // last line: a dialog the script leaves open is in it.
    const size_t scriptLines = script.size();
    if (request.screenshot) {
        QObject::connect(&window.input(), &WindowInput::replayDue, [&linesGiven] { ++linesGiven; });
        QObject::connect(&window.input(), &WindowInput::prompted, [&] {
            if (screenshot.isNull() && linesGiven == scriptLines)
                screenshot = screenPicture(window);
        });
    }
    if (request.script && opened)
        window.input().setScript(std::move(script), *request.script, endWithScript);
    loadApplications(cl.applications(), window.drawing());
    if (!cl.failure())
        platform::runCommandLoop();
    zcrxDynamicLinker->unloadAllAtExit();
    platform::checkNothingLeftOpen(window.drawing(), "wyładowaniu aplikacji");
    transcript().finishLine();
    cl.setInput(nullptr);

    if (cl.failure())
        return cl.failure()->exitStatus;
    if (std::string error; request.out && !platform::writeDxfFile(*window.drawing(), *request.out, error)) {
        transcript().error("tarvo: cannot write the drawing: " + error);
        return kExitDrawing;
    }
    if (screenshot.isNull())
        screenshot = screenPicture(window);
    if (request.screenshot && !screenshot.save(QString::fromStdString(*request.screenshot), "PNG")) {
        transcript().error("tarvo: cannot write the screenshot " + *request.screenshot);
        return kExitDrawing;
    }
    return kExitSuccess;
}
