#include "platform/editor/CommandLoop.h"

#include <exception>
#include <string>

#include "ZcDbDatabase.h"
#include "ZcEdCommandStack.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/HostCommands.h"
#include "platform/editor/LineText.h"
#include "platform/editor/OpenObjectCheck.h"
#include "platform/editor/Transcript.h"
#include "platform/editor/UndoHistory.h"

namespace platform {

namespace {

void runRegistered(const ZcEdCommand& command, std::string_view typedName)
{
    const std::string name(typedName);
    try {
        command.functionAddr()();
    } catch (const std::exception& e) {
        commandLine().fail(kExitScriptFailure, "Polecenie " + name + " przerwane wyjątkiem: " + e.what());
    } catch (...) {
        commandLine().fail(kExitScriptFailure, "Polecenie " + name + " przerwane wyjątkiem.");
    }
}

}  // namespace

void runCommandLine(std::string_view text)
{
    std::string_view rest = text;
    std::string_view name = takeWord(rest);
    const std::string_view arguments = trimmed(rest);
    // "_NAME" asks for the global name, "." for the built-in command; scripts
    // written for other editions use both.
    bool globalOnly = false;
    while (!name.empty() && (name.front() == '_' || name.front() == '.')) {
        globalOnly = globalOnly || name.front() == '_';
        name.remove_prefix(1);
    }
    const bool inputWasLive = commandLine().live();
    ZcDbDatabase* const db = zcdbHostApplicationServices()->workingDatabase();
    // Whole commands are undone: the drawing is kept before each command
    // that may change it (the plug-in's, and LAYER).
    UndoHistory& history = undoHistory();
    const bool layer = equalsIgnoringCase(name, "LAYER");
    const bool host = isHostCommand(name);

    if (host) {
        if (layer && db)
            history.beforeCommand(*db);
        const bool done = runHostCommand(name, arguments);
        if (layer && db)
            history.afterCommand(*db, "LAYER", done);
    } else {
        ZcEdCommandStack* stack = zcedRegCmds;
        const std::string key(name);
        const ZcEdCommand* command =
            !stack ? nullptr : globalOnly ? stack->lookupGlobalCmd(key.c_str()) : stack->lookupTyped(key.c_str());
        if (!command) {
            transcript().print("\nNieznane polecenie \"" + quotedExcerpt(key) + "\".");
        } else if (!arguments.empty()) {
            commandLine().commandError("Polecenie " + key + " pyta o swoje dane w kolejnych wierszach, " +
                                       "nie w wierszu polecenia");
        } else {
            if (db)
                history.beforeCommand(*db);
            runRegistered(*command, key);
            if (db && zcdbHostApplicationServices()->workingDatabase() == db)
                history.afterCommand(*db, command->globalName());
            if (inputWasLive && commandLine().inputEnded() && !commandLine().failure())
                transcript().print("\nWejście skończyło się w trakcie polecenia " + key + "; przerwano je jak Esc.");
        }
    }
    checkNothingLeftOpen(zcdbHostApplicationServices()->workingDatabase(), "poleceniu ", name);
}

void runCommandLoop()
{
    CommandLine& cl = commandLine();
    while (cl.live()) {
        const auto line = cl.ask("\nPolecenie", kAcceptText, "nazwy polecenia");
        if (!line)
            break;
        if (line->kind == ScriptLine::Kind::Enter || line->kind == ScriptLine::Kind::Cancel)
            continue;
        runCommandLine(line->text);
    }
    transcript().finishLine();
}

}  // namespace platform
