#include "platform/editor/HostCommands.h"

#include <cmath>
#include <numbers>
#include <string>

#include "ZcDbDatabase.h"
#include "ZcDbLayerTable.h"
#include "ZcRxDynamicLinker.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/LineText.h"
#include "platform/editor/Transcript.h"
#include "platform/editor/UndoHistory.h"

namespace platform {

namespace {

ZcDbDatabase* workingDrawing() { return zcdbHostApplicationServices()->workingDatabase(); }

bool usage(std::string_view text)
{
    commandLine().commandError(text);
    return false;
}

bool save(std::string_view arguments)
{
    const std::string path(trimmed(arguments));
    if (path.empty())
        return usage("SAVE: podaj nazwę pliku (SAVE rysunek.dxf)");
    ZcDbDatabase* db = workingDrawing();
    if (!db)
        return usage("SAVE: brak rysunku");
    std::string error;
    if (!writeDxfFile(*db, path, error)) {
        commandLine().commandError("SAVE: nie można zapisać rysunku: " + error, kExitDrawingUnwritable);
        return false;
    }
    transcript().print("\nZapisano rysunek: " + path);
    return true;
}

bool ucs(std::string_view arguments)
{
    std::string_view rest = trimmed(arguments);
    const std::string_view first = takeWord(rest);
    if (first.empty() || equalsIgnoringCase(first, "W") || equalsIgnoringCase(first, "World") ||
        equalsIgnoringCase(first, "Świat")) {
        if (!trimmed(rest).empty())
            return usage("UCS: po W nic więcej");
        commandLine().ucs() = {};
        return true;
    }
    const auto origin = parsePoint(first);
    const std::string_view angleText = trimmed(rest);
    const auto degrees = angleText.empty() ? std::optional<double>(0.0) : parseNumber(angleText);
    if (!origin || !degrees)
        return usage("UCS: oczekiwano początku x,y i kąta w stopniach (UCS 10,5 30) albo W");
    commandLine().ucs() = {*origin, *degrees * std::numbers::pi / 180.0};
    return true;
}

bool layer(std::string_view arguments)
{
    const std::string name(trimmed(arguments));
    if (name.empty())
        return usage("LAYER: podaj nazwę warstwy (LAYER OZN)");
    ZcDbDatabase* db = workingDrawing();
    if (!db)
        return usage("LAYER: brak rysunku");
    ZcDbLayerTable* table = nullptr;
    if (db->getLayerTable(table, ZcDb::kForRead) != Zcad::eOk)
        return usage("LAYER: nie można otworzyć tabeli warstw");
    ZcDbObjectId id;
    Zcad::ErrorStatus es = table->getAt(name.c_str(), id);
    if (es != Zcad::eOk) {
        auto* record = new ZcDbLayerTableRecord;
        es = record->setName(name.c_str());
        if (es == Zcad::eOk)
            es = table->upgradeOpen();
        if (es == Zcad::eOk)
            es = table->add(id, record);
        record->close();
    }
    table->close();
    if (es == Zcad::eOk)
        es = db->setClayer(id);
    if (es != Zcad::eOk)
        return usage("LAYER: nie można ustawić warstwy \"" + quotedExcerpt(name) + "\" (" + Zcad::errorStatusName(es) +
                     ")");
    return true;
}

bool arx(std::string_view arguments)
{
    std::string_view rest = trimmed(arguments);
    const std::string option = asciiLower(takeWord(rest));
    const std::string file(trimmed(rest));
    ZcRxDynamicLinker* linker = zcrxDynamicLinker;
    if (!linker)
        return usage("ARX: brak programu ładującego");
    if (option == "u") {
        if (!file.empty())
            return linker->unloadModule(file.c_str(), true);
        bool all = true;
        const std::vector<std::string> loaded = linker->loadedModules();
        for (auto it = loaded.rbegin(); it != loaded.rend(); ++it)
            all = linker->unloadModule(it->c_str(), true) && all;
        return all;
    }
    if (option == "l") {
        std::vector<std::string> files = commandLine().applications();
        if (!file.empty())
            files = {file};
        for (const std::string& f : files)
            if (!linker->isLoaded(f.c_str()) && !linker->loadModule(f.c_str(), true, true)) {
                commandLine().commandError("ARX: nie załadowano \"" + f + "\"");
                return false;
            }
        return true;
    }
    return usage("ARX: oczekiwano U (wyładuj) lub L (załaduj) i ewentualnie nazwy pliku");
}

bool noArguments(std::string_view name, std::string_view arguments)
{
    if (trimmed(arguments).empty())
        return true;
    return usage(std::string(name) + ": polecenie nie ma argumentów");
}

// Steps an UNDO may go back at once: more than the history keeps is refused
// as a typing slip rather than taken as "all".
constexpr double kMostUndoSteps = 1000;

// U, UNDO [n] and REDO: back or forth over whole commands.
bool undoOrRedo(std::string_view name, std::string_view arguments)
{
    const bool back = !equalsIgnoringCase(name, "REDO");
    int steps = 1;
    if (equalsIgnoringCase(name, "UNDO") && !trimmed(arguments).empty()) {
        const auto n = parseNumber(arguments);
        if (!n || *n < 1 || *n > kMostUndoSteps || *n != std::floor(*n))
            return usage("UNDO: oczekiwano liczby kroków od 1 do 1000 (UNDO 3)");
        steps = int(*n);
    } else if (!noArguments(name, arguments)) {
        return false;
    }
    ZcDbDatabase* db = workingDrawing();
    if (!db)
        return usage(std::string(name) + ": brak rysunku");
    UndoHistory& history = undoHistory();
    if (!history.enabled())
        return usage(std::string(name) + ": historia poleceń nie jest prowadzona");
    for (int i = 0; i < steps; ++i) {
        std::string done, error;
        if (!(back ? history.undo(*db, done, error) : history.redo(*db, done, error))) {
            if (!error.empty()) {
                commandLine().commandError(std::string(name) + ": nie można odtworzyć rysunku: " + error);
                return false;
            }
            transcript().print(back ? "\nNie ma czego cofnąć." : "\nNie ma czego przywrócić.");
            return true;
        }
        transcript().print((back ? "\nCofnięto: " : "\nPrzywrócono: ") + done);
    }
    return true;
}

}  // namespace

bool isHostCommand(std::string_view name)
{
    for (const char* host : {"SAVE", "UCS", "LAYER", "ARX", "REGEN", "QUIT", "U", "UNDO", "REDO"})
        if (equalsIgnoringCase(name, host))
            return true;
    return false;
}

bool runHostCommand(std::string_view name, std::string_view arguments, bool nested)
{
    if (equalsIgnoringCase(name, "SAVE"))
        return save(arguments);
    if (equalsIgnoringCase(name, "UCS"))
        return ucs(arguments);
    if (equalsIgnoringCase(name, "LAYER"))
        return layer(arguments);
    if (equalsIgnoringCase(name, "REGEN")) {
        if (!noArguments(name, arguments))
            return false;
        transcript().print("\nRegenerowanie modelu.");
        return true;
    }
    const bool undo =
        equalsIgnoringCase(name, "U") || equalsIgnoringCase(name, "UNDO") || equalsIgnoringCase(name, "REDO");
    // A command running holds objects open that an undo would free.
    if (nested && (undo || equalsIgnoringCase(name, "ARX") || equalsIgnoringCase(name, "QUIT")))
        return false;
    if (undo)
        return undoOrRedo(name, arguments);
    if (equalsIgnoringCase(name, "ARX"))
        return arx(arguments);
    if (equalsIgnoringCase(name, "QUIT")) {
        if (!noArguments(name, arguments))
            return false;
        commandLine().requestQuit();
        return true;
    }
    return false;
}

}  // namespace platform
