#include "console/WindowCommand.h"

#include "console/ConsoleModule.h"
#include "console/InstallationServices.h"
#include "console/Session.h"
#include "platform/core/OutputFile.h"
#include "platform/editor/Transcript.h"

using platform::transcript;

int runWindowCommand(const Options& options, const ConsolePaths& paths)
{
    platform::clearOutputProtection();
    if (options.script)
        platform::protectFromOutput(*options.script, "the script being run");
    for (const auto& output : {options.out, options.screenshot}) {
        std::string error;
        if (output && !platform::outputTarget(*output, error)) {
            transcript().error("tarvo: " + error);
            return kExitDrawing;
        }
    }
    if (std::string error; !setUpInstallationServices(options, paths, error)) {
        transcript().error("tarvo: " + error);
        return kExitUsage;
    }
    std::string error;
    void* entry = consoleModuleEntry(kWindowModule, "tarvoRunWindow", error);
    if (!entry) {
        transcript().error("tarvo: no window: " + error);
        return kExitFailure;
    }
    WindowRequest request{options.in, options.script, options.out, options.screenshot,
                          options.apps.empty() ? std::vector<std::string>{paths.plugin} : options.apps};
    return reinterpret_cast<decltype(&tarvoRunWindow)>(entry)(request);
}
