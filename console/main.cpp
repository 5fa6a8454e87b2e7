// tarvo: the CAD host's headless console for the Tarvo plug-in.

#include <cstdio>
#include <string>
#include <vector>

#include "console/ConsolePaths.h"
#include "console/HeapPages.h"
#include "console/Options.h"
#include "console/RenderCommand.h"
#include "console/ReportCommand.h"
#include "console/Session.h"
#include "console/SettingsCommand.h"
#include "console/WindowCommand.h"

int main(int argc, char** argv)
{
    growHeapInLargeSteps();
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The settings writer takes options of its own.
    if (!args.empty() && args[0] == "settings")
        return runSettingsCommand({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "report")
        return runReportCommand({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "render")
        return runRenderCommand({args.begin() + 1, args.end()});
    std::string error;
    const auto options = parseOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "tarvo: %s\nTry 'tarvo --help'.\n", error.c_str());
        return kExitUsage;
    }
    if (options->mode == Options::Mode::Help) {
        std::fputs(usageText(), stdout);
        return kExitSuccess;
    }
    if (options->mode == Options::Mode::Window)
        return runWindowCommand(*options, findConsolePaths());
    return runSession(*options, findConsolePaths());
}
