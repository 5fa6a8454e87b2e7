#pragma once

#include <ctime>
#include <string>

#include "console/BillOfQuantities.h"

// Writes the report as a workbook: one sheet per table and one for the
// warnings, a bold header row, numbers as numbers, columns wide enough for
// their texts. False, with the reason in error, when it cannot be written;
// then nothing but what was there before is left at path. created is the
// workbook's date (the drawing's), so that one drawing gives one file.
bool writeReportXlsx(const Report& report, const std::string& path, time_t created, std::string& error);

// The workbook module's entry, which writeReportXlsx loads and calls.
extern "C" bool tarvoWriteReportXlsx(const Report& report, const std::string& path, time_t created, std::string& error);
inline constexpr char kXlsxModule[] = "tarvo_xlsx";
