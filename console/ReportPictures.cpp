#include "console/ReportPictures.h"

#include <cstdio>
#include <set>

#include "console/ConsoleModule.h"
#include "console/PictureOptions.h"

namespace {

// Points on a picture's longer side: a row's height in a printed table.
constexpr int kPictureSize = 96;

}  // namespace

std::map<std::string, std::string> reportPictures(const ZcDbDatabase& db, const Report& report, std::string& error,
                                                  std::vector<std::string>& notices)
{
    std::set<std::string> wanted;
    for (const ReportTable& table : report.tables)
        for (const std::string& handle : table.pictures)
            if (!handle.empty())
                wanted.insert(handle);
    std::map<std::string, std::string> pictures;
    if (wanted.empty())
        return pictures;
    void* entry = consoleModuleEntry(kPictureModule, "tarvoReferencePictures", error);
    if (!entry)
        return pictures;
    const std::vector<std::string> handles(wanted.begin(), wanted.end());
    std::vector<std::string> svgs;
    reinterpret_cast<decltype(&tarvoReferencePictures)>(entry)(db, handles, kPictureSize, svgs, notices);
    for (size_t i = 0; i < handles.size() && i < svgs.size(); ++i)
        if (!svgs[i].empty())
            pictures.emplace(handles[i], svgs[i]);
    return pictures;
}

bool writeReportPdf(const ZcDbDatabase& db, const Report& report, const std::string& title, const std::string& path,
                    std::string& error)
{
    void* entry = consoleModuleEntry(kPictureModule, "tarvoWriteReportPdf", error);
    if (!entry)
        return false;
    std::vector<std::string> notices;
    const bool written =
        reinterpret_cast<decltype(&tarvoWriteReportPdf)>(entry)(db, report, title, path, notices, error);
    for (const std::string& notice : notices)
        std::printf("%s\n", notice.c_str());
    return written;
}
