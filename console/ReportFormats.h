#pragma once

#include <map>
#include <string>

#include "console/BillOfQuantities.h"

// The report as plain text for the terminal: aligned columns, then the
// warnings.
std::string reportText(const Report& report);

// One table as CSV the way Polish spreadsheets open it: UTF-8 with a byte
// order mark, ";" between fields, "," as the decimal mark, CRLF lines.
std::string tableCsv(const ReportTable& table);
// The warnings as a CSV file of one column.
std::string warningsCsv(const Report& report);

// The report as Markdown: a heading and a table for each table, then the
// warnings as a list.
std::string reportMarkdown(const Report& report, const std::string& title);

// The report as one HTML page that needs no other file. A table whose rows
// name pictures gets a first column of them, each SVG given by its handle
// in pictures embedded in the page.
std::string reportHtml(const Report& report, const std::string& title,
                       const std::map<std::string, std::string>& pictures = {});

// The characters of a UTF-8 text, for the widths of columns.
size_t codePoints(const std::string& s);

// A cell as the designer reads it; quantities with the decimal mark given.
std::string cellText(const ReportCell& cell, char decimalMark);
