#include "console/ReportXlsx.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <xlsxwriter.h>

#include "console/ReportFormats.h"
#include "platform/core/OutputFile.h"

using platform::OutputSink;
using platform::outputTarget;
using platform::writeOutputFile;

namespace {

// Column widths in characters: enough for the longest text, within reason.
constexpr double kMinWidth = 8.0;
constexpr double kMaxWidth = 60.0;

struct Formats {
    lxw_format* heading;
    lxw_format* count;
    lxw_format* quantity;
    lxw_format* totalText;
    lxw_format* totalCount;
    lxw_format* totalQuantity;
};

Formats makeFormats(lxw_workbook* book)
{
    auto make = [book](bool bold, const char* number) {
        lxw_format* f = workbook_add_format(book);
        if (bold)
            format_set_bold(f);
        if (number)
            format_set_num_format(f, number);
        return f;
    };
    Formats f{make(true, nullptr), make(false, "0"), make(false, "0.00#"),
              make(true, nullptr), make(true, "0"),  make(true, "0.00#")};
    format_set_text_wrap(f.heading);
    format_set_bottom(f.heading, LXW_BORDER_THIN);
    format_set_top(f.totalText, LXW_BORDER_THIN);
    format_set_top(f.totalCount, LXW_BORDER_THIN);
    format_set_top(f.totalQuantity, LXW_BORDER_THIN);
    return f;
}

// The first error of a series of writes, so that no cell is lost unnoticed.
struct FirstError {
    lxw_error status = LXW_NO_ERROR;
    void operator()(lxw_error e)
    {
        if (status == LXW_NO_ERROR)
            status = e;
    }
};

void writeTable(lxw_workbook* book, const Formats& f, const ReportTable& table, FirstError& check)
{
    lxw_worksheet* sheet = workbook_add_worksheet(book, table.sheet.c_str());
    std::vector<double> widths(table.headings.size(), kMinWidth);
    for (size_t c = 0; c < table.headings.size(); ++c) {
        check(worksheet_write_string(sheet, 0, lxw_col_t(c), table.headings[c].c_str(), f.heading));
        widths[c] = std::max(widths[c], std::min(double(codePoints(table.headings[c])) / 2.0 + 2.0, kMaxWidth));
    }
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const bool totals = r + 1 == table.rows.size();
        for (size_t c = 0; c < table.rows[r].size(); ++c) {
            const ReportCell& cell = table.rows[r][c];
            const auto row = lxw_row_t(r + 1);
            const auto col = lxw_col_t(c);
            switch (cell.kind) {
            case ReportCell::Kind::Count:
                check(worksheet_write_number(sheet, row, col, double(cell.count), totals ? f.totalCount : f.count));
                break;
            case ReportCell::Kind::Quantity:
                check(worksheet_write_number(sheet, row, col, cell.quantity.value(),
                                             totals ? f.totalQuantity : f.quantity));
                break;
            case ReportCell::Kind::Text:
                // Always a string, never a formula, whatever the drawing's text says.
                check(worksheet_write_string(sheet, row, col, cell.text.c_str(), totals ? f.totalText : nullptr));
                widths[c] = std::max(widths[c], std::min(double(codePoints(cell.text)) + 2.0, kMaxWidth));
                break;
            }
        }
    }
    for (size_t c = 0; c < widths.size(); ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
}

void writeWarnings(lxw_workbook* book, const Formats& f, const Report& report, FirstError& check)
{
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Ostrzeżenia");
    check(worksheet_write_string(sheet, 0, 0, "Ostrzeżenie", f.heading));
    double width = kMinWidth;
    for (size_t i = 0; i < report.warnings.size(); ++i) {
        check(worksheet_write_string(sheet, lxw_row_t(i + 1), 0, report.warnings[i].c_str(), nullptr));
        width = std::max(width, std::min(double(codePoints(report.warnings[i])) + 2.0, 2 * kMaxWidth));
    }
    worksheet_set_column(sheet, 0, 0, width, nullptr);
}

// A private temporary file the library writes to; removed with the object.
struct TemporaryFile {
    std::string path;
    TemporaryFile()
    {
        const char* dir = std::getenv("TMPDIR");
        std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/tarvo-report-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd >= 0) {
            ::close(fd);
            path = pattern;
        }
    }
    ~TemporaryFile()
    {
        if (!path.empty())
            std::remove(path.c_str());
    }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) bool
tarvoWriteReportXlsx(const Report& report, const std::string& path, time_t created, std::string& error)
{
    // The library writes only to a file name: the workbook goes to a
    // temporary file first, then to path by the rules every output keeps.
    if (!outputTarget(path, error))
        return false;
    const TemporaryFile temporary;
    if (temporary.path.empty()) {
        error = "cannot write " + path + ": no temporary file";
        return false;
    }
    lxw_workbook* book = workbook_new(temporary.path.c_str());
    if (!book) {
        error = "cannot write " + path + ": the workbook cannot be made";
        return false;
    }
    lxw_doc_properties properties{};
    properties.title = const_cast<char*>("Zestawienie ilości");
    // Zero would mean "now" to the library.
    properties.created = created > 0 ? created : 1;
    workbook_set_properties(book, &properties);
    const Formats formats = makeFormats(book);
    FirstError check;
    for (const ReportTable& table : report.tables)
        writeTable(book, formats, table, check);
    writeWarnings(book, formats, report, check);
    check(workbook_close(book));
    if (const lxw_error status = check.status; status != LXW_NO_ERROR) {
        error = "cannot write " + path + ": " + lxw_strerror(status);
        return false;
    }
    std::ifstream in(temporary.path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        error = "cannot write " + path + ": the workbook cannot be read back";
        return false;
    }
    return writeOutputFile(
        path, [&](const OutputSink& sink, std::string&) { return sink(bytes); }, error);
}
