#include "console/Session.h"

#include <iostream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "ZcDbDatabase.h"
#include "ZcRxDynamicLinker.h"
#include "console/DrawingContents.h"
#include "console/InstallationServices.h"
#include "console/ReportXlsx.h"
#include "console/SameFile.h"
#include "console/TerminalInput.h"
#include "platform/core/OutputFile.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/CommandLoop.h"
#include "platform/editor/LineText.h"
#include "platform/editor/OpenObjectCheck.h"
#include "platform/editor/Transcript.h"
#include "platform/editor/UndoHistory.h"

using platform::checkNothingLeftOpen;
using platform::clearOutputProtection;
using platform::CommandLine;
using platform::commandLine;
using platform::InputSource;
using platform::outputTarget;
using platform::protectFromOutput;
using platform::readDxfFile;
using platform::runCommandLoop;
using platform::StreamInput;
using platform::transcript;
using platform::undoHistory;
using platform::writeDxfFile;

namespace {

std::string fileNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The drawing left to the system at exit (see ~WorkingDrawing).
[[maybe_unused]] ZcDbDatabase* keptAtExit = nullptr;

// The working drawing for the session's length.
class WorkingDrawing {
public:
    // The drawing read from a file, or a new one.
    explicit WorkingDrawing(std::unique_ptr<ZcDbDatabase> opened)
        : m_db(opened ? std::move(opened) : std::make_unique<ZcDbDatabase>(true))
    {
        zcdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }
    ~WorkingDrawing()
    {
        zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
#ifndef TARVO_FREE_AT_EXIT
        // The process ends right after the session, and the system takes
        // its memory back at once: the drawing's many objects are not freed
        // one by one first, as compilers spare freeing at their exit. Kept
        // reachable, so a leak checker does not count them.
        keptAtExit = m_db.release();
#endif
    }
    WorkingDrawing(const WorkingDrawing&) = delete;
    WorkingDrawing& operator=(const WorkingDrawing&) = delete;
    ZcDbDatabase* get() const { return m_db.get(); }

private:
    std::unique_ptr<ZcDbDatabase> m_db;
};

void loadApplications(ZcRxDynamicLinker& linker, const std::vector<std::string>& apps, const ZcDbDatabase* db)
{
    CommandLine& cl = commandLine();
    for (const std::string& app : apps) {
        if (!linker.loadModule(app.c_str(), true)) {
            cl.fail(kExitFailure, "Nie załadowano aplikacji \"" + app + "\".");
            return;
        }
        if (!checkNothingLeftOpen(db, "załadowaniu " + fileNameOf(app)))
            return;
    }
}

// What a look through the whole script file before it runs finds.
struct ScriptSurvey {
    // Whether a line starts with U, UNDO or REDO (also where it answers a
    // prompt: the history is then kept needlessly, which costs time, never
    // a result).
    bool mayUndo = false;
    // Why the file cannot run (another encoding, a line too long), found
    // before any of it has run; empty when it can.
    std::string fault;
    int faultStatus = kExitFailure;
};

// Read by the same bounded reader as the run, so that a device or a binary
// file stops here with the run's own message.
ScriptSurvey surveyScript(const std::string& path)
{
    ScriptSurvey survey;
    // A pipe or a device gives its lines once: the run alone reads them,
    // checking each as it comes.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        survey.mayUndo = true;
        return survey;
    }
    std::string error;
    const std::unique_ptr<StreamInput> script = StreamInput::openFile(path, error);
    if (!script)
        return survey;  // the run's own opening says why
    while (const auto line = script->readLine({})) {
        std::string_view rest = *line;
        const std::string_view word = platform::takeWord(rest);
        for (const char* name : {"U", "UNDO", "REDO", "_U", "_UNDO", "_REDO", ".U", ".UNDO", ".REDO"})
            if (platform::equalsIgnoringCase(word, name))
                survey.mayUndo = true;
    }
    survey.fault = script->stopReason();
    survey.faultStatus = script->stoppedAsNotText() ? kExitUsage : kExitFailure;
    return survey;
}

// Marks the files the run reads so that no output replaces them, then checks
// each output the options name before anything runs; false (with the
// message shown) when one of them may not be written.
bool outputsAllowed(const Options& options)
{
    clearOutputProtection();
    if (options.script)
        protectFromOutput(*options.script == "-" ? "/dev/stdin" : *options.script, "the script being run");
    if (options.registry)
        protectFromOutput(*options.registry, "the registry file");
    const auto allowed = [](const std::string& path) {
        std::string error;
        if (outputTarget(path, error))
            return true;
        transcript().error("tarvo: " + error);
        return false;
    };
    if (options.out && !allowed(*options.out))
        return false;
    for (const std::string& path : options.pictures.files)
        if (!allowed(path))
            return false;
    return !options.report || allowed(*options.report);
}

// The drawing read is written back only by --out (or a script's own save):
// a picture or a workbook in its place would destroy it.
bool sparesDrawing(const Options& options)
{
    if (!options.in)
        return true;
    std::vector<std::string> outputs = options.pictures.files;
    if (options.report)
        outputs.push_back(*options.report);
    return outputsSpareDrawing("tarvo", *options.in, outputs);
}

}  // namespace

int runSession(const Options& options, const ConsolePaths& paths)
{
    // Nobody watches a script's prompts go by in a file or pipe: they are
    // written in large pieces, and all of them before the run ends.
    struct Gathering {
        explicit Gathering(bool on) { transcript().gather(on); }
        ~Gathering() { transcript().gather(false); }
    } gathering(options.mode != Options::Mode::Shell && !::isatty(STDOUT_FILENO));
    if (!sparesDrawing(options))
        return kExitUsage;
    if (!outputsAllowed(options))
        return kExitDrawing;
    // The bill of quantities is dated by the drawing read (as it was before
    // the run wrote it), so that one run gives one file.
    struct stat info {};
    const time_t drawingDate = options.in && ::stat(options.in->c_str(), &info) == 0 ? info.st_mtime : 0;
    std::unique_ptr<ZcDbDatabase> opened;
    if (options.in) {
        opened = std::make_unique<ZcDbDatabase>(false);
        if (std::string error; !readDxfFile(*options.in, *opened, error)) {
            transcript().error("tarvo: cannot read the drawing " + error);
            return kExitDrawing;
        }
    }

    if (std::string error; !setUpInstallationServices(options, paths, error)) {
        transcript().error("tarvo: " + error);
        return kExitUsage;
    }

    std::unique_ptr<InputSource> input;
    if (options.mode == Options::Mode::Shell) {
        input = std::make_unique<TerminalInput>();
    } else if (options.script && *options.script == "-") {
        input = std::make_unique<StreamInput>(std::cin, "-");
    } else if (options.script) {
        std::string error;
        input = StreamInput::openFile(*options.script, error);
        if (!input) {
            transcript().error("tarvo: cannot read the script " + error);
            return kExitUsage;
        }
    }

    const bool scriptFile = options.mode != Options::Mode::Shell && options.script && *options.script != "-";
    const ScriptSurvey survey = scriptFile ? surveyScript(*options.script) : ScriptSurvey{true, {}, kExitFailure};
    if (!survey.fault.empty()) {
        transcript().error(survey.fault);
        return survey.faultStatus;
    }

    WorkingDrawing drawing(std::move(opened));
    // Keeping the drawing before each command costs a writing of it: a
    // script run keeps the history only when it may go back.
    undoHistory().setEnabled(survey.mayUndo);
    CommandLine& cl = commandLine();
    cl.reset();
    cl.setInput(input.get());
    cl.setApplications(options.apps.empty() ? std::vector<std::string>{paths.plugin} : options.apps);

    ZcRxDynamicLinker* linker = zcrxDynamicLinker;
    loadApplications(*linker, cl.applications(), drawing.get());
    if (!cl.failure())
        runCommandLoop();
    linker->unloadAllAtExit();
    checkNothingLeftOpen(drawing.get(), "wyładowaniu aplikacji");
    transcript().finishLine();
    cl.setInput(nullptr);

    if (cl.failure())
        return cl.failure()->exitStatus;
    if (options.out) {
        std::string error;
        if (!writeDxfFile(*drawing.get(), *options.out, error)) {
            transcript().error("tarvo: cannot write the drawing: " + error);
            return kExitDrawing;
        }
    }
    if (!writePictures(*drawing.get(), options.pictures))
        return kExitDrawing;
    if (options.report) {
        std::string error;
        if (!writeReportXlsx(makeReport(readDrawingContents(*drawing.get())), *options.report, drawingDate, error)) {
            transcript().error("tarvo: cannot write the bill of quantities: " + error);
            return kExitDrawing;
        }
    }
    return kExitSuccess;
}
