#include "console/ReportXlsx.h"

#include "console/ConsoleModule.h"

bool writeReportXlsx(const Report& report, const std::string& path, time_t created, std::string& error)
{
    void* entry = consoleModuleEntry(kXlsxModule, "tarvoWriteReportXlsx", error);
    if (!entry)
        return false;
    return reinterpret_cast<decltype(&tarvoWriteReportXlsx)>(entry)(report, path, created, error);
}
