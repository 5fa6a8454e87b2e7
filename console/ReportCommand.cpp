#include "console/ReportCommand.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <sys/stat.h>

#include "ZcDbDatabase.h"
#include "console/DrawingContents.h"
#include "console/ReportFormats.h"
#include "console/ReportPictures.h"
#include "console/ReportXlsx.h"
#include "console/SameFile.h"
#include "console/Session.h"
#include "platform/core/OutputFile.h"
#include "platform/dxf/DxfReader.h"

using platform::OutputSink;
using platform::readDxfFile;
using platform::writeOutputFile;

namespace {

constexpr const char* kOutputs[] = {"--csv", "--xlsx", "--html", "--md", "--pdf"};
constexpr const char* kWarningsCsv = "ostrzezenia.csv";

bool writeText(const std::string& path, const std::string& text, std::string& error)
{
    return writeOutputFile(
        path, [&](const OutputSink& sink, std::string&) { return sink(text); }, error);
}

// The CSV files, one per table and one for the warnings, in dir (made when
// missing).
bool writeCsvFiles(const Report& report, const std::string& dir, std::string& error)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir)) {
        error = "cannot write into " + dir + ": not a folder";
        return false;
    }
    for (const ReportTable& table : report.tables)
        if (!writeText((std::filesystem::path(dir) / (table.file + ".csv")).string(), tableCsv(table), error))
            return false;
    return writeText((std::filesystem::path(dir) / kWarningsCsv).string(), warningsCsv(report), error);
}

// Every file the outputs write: each CSV file in its folder, the others as named.
std::vector<std::string> outputFiles(const Report& report, const std::map<std::string, std::string>& outputs)
{
    std::vector<std::string> files;
    for (const auto& [option, path] : outputs) {
        if (option != "--csv") {
            files.push_back(path);
            continue;
        }
        for (const ReportTable& table : report.tables)
            files.push_back((std::filesystem::path(path) / (table.file + ".csv")).string());
        files.push_back((std::filesystem::path(path) / kWarningsCsv).string());
    }
    return files;
}

// The pictures of the rows; without them, when they cannot be drawn, the
// page is still written and the reason said.
std::map<std::string, std::string> pictures(const ZcDbDatabase& db, const Report& report)
{
    std::string error;
    std::vector<std::string> notices;
    auto drawn = reportPictures(db, report, error, notices);
    if (!error.empty())
        std::fprintf(stderr, "tarvo report: no pictures: %s\n", error.c_str());
    for (const std::string& notice : notices)
        std::printf("%s\n", notice.c_str());
    return drawn;
}

}  // namespace

const char* reportUsageText()
{
    return R"(Usage:
  tarvo report DRAWING.dxf [--csv DIR] [--xlsx FILE] [--html FILE] [--md FILE]
                           [--pdf FILE]

Writes the bill of quantities of a drawing: vertical signs by symbol, text,
size, dimensions and reflective film, line markings with their lengths and
areas, arrows by symbol and length class with their areas, traffic-light
symbols and information boards, each split by destination (designed,
temporary, existing, removed) and ending with its totals; then the warnings
(figures that disagree or are not numbers, destinations in doubt,
descriptions with nothing beside them). Without an option the tables are
printed as text.

  --csv DIR     one CSV file per table, and ostrzezenia.csv (UTF-8 with a
                byte order mark, ";" between fields, "," as decimal mark)
  --xlsx FILE   a workbook with one sheet per table
  --html FILE   one HTML page
  --md FILE     Markdown
  --pdf FILE    the tables with their pictures on A4 pages, ready to print

Exit status: 0 done (with or without warnings), 2 wrong usage, 3 a drawing
that cannot be read or a file that cannot be written.
)";
}

int runReportCommand(const std::vector<std::string>& args)
{
    std::optional<std::string> drawing;
    std::map<std::string, std::string> outputs;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(reportUsageText(), stdout);
            return kExitSuccess;
        }
        bool known = false;
        for (const std::string option : kOutputs) {
            if (arg != option && arg.rfind(option + "=", 0) != 0)
                continue;
            known = true;
            std::string value;
            if (arg == option) {
                if (i + 1 >= args.size()) {
                    std::fprintf(stderr, "tarvo report: %s needs a value\n", option.c_str());
                    return kExitUsage;
                }
                value = args[++i];
            } else {
                value = arg.substr(option.size() + 1);
            }
            if (value.empty() || outputs.count(option)) {
                std::fprintf(stderr, "tarvo report: %s needs one value\n", option.c_str());
                return kExitUsage;
            }
            outputs[option] = value;
        }
        if (known)
            continue;
        if (!arg.empty() && arg[0] != '-' && !drawing) {
            drawing = arg;
        } else {
            std::fprintf(stderr, "tarvo report: unexpected argument '%s'\nTry 'tarvo report --help'.\n", arg.c_str());
            return kExitUsage;
        }
    }
    if (!drawing) {
        std::fprintf(stderr, "tarvo report: no drawing given\nTry 'tarvo report --help'.\n");
        return kExitUsage;
    }

    ZcDbDatabase db(false);
    std::string error;
    if (!readDxfFile(*drawing, db, error)) {
        std::fprintf(stderr, "tarvo report: %s\n", error.c_str());
        return kExitDrawing;
    }
    const Report report = makeReport(readDrawingContents(db));
    if (outputs.empty()) {
        std::fputs(reportText(report).c_str(), stdout);
        return kExitSuccess;
    }
    if (!outputsSpareDrawing("tarvo report", *drawing, outputFiles(report, outputs)))
        return kExitUsage;
    const std::string title = "Zestawienie ilości – " + std::filesystem::path(*drawing).filename().string();
    struct stat info {};
    const time_t created = ::stat(drawing->c_str(), &info) == 0 ? info.st_mtime : 0;
    for (const auto& [option, path] : outputs) {
        bool ok = true;
        if (option == "--csv")
            ok = writeCsvFiles(report, path, error);
        else if (option == "--xlsx")
            ok = writeReportXlsx(report, path, created, error);
        else if (option == "--pdf")
            ok = writeReportPdf(db, report, title, path, error);
        else if (option == "--html")
            ok = writeText(path, reportHtml(report, title, pictures(db, report)), error);
        else
            ok = writeText(path, reportMarkdown(report, title), error);
        if (!ok) {
            std::fprintf(stderr, "tarvo report: %s\n", error.c_str());
            return kExitDrawing;
        }
        std::printf("Written: %s\n", path.c_str());
    }
    std::printf("Warnings: %zu\n", report.warnings.size());
    return kExitSuccess;
}
