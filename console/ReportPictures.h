#pragma once

#include <map>
#include <string>
#include <vector>

#include "console/BillOfQuantities.h"

class ZcDbDatabase;

// The pictures beside a report's rows, drawn from the drawing by the
// picture module: by the handle each row names, an SVG. Empty, with the
// reason in error, when the module cannot be loaded; notices say what the
// pictures leave out.
std::map<std::string, std::string> reportPictures(const ZcDbDatabase& db, const Report& report, std::string& error,
                                                  std::vector<std::string>& notices);

// The picture module's entry, which reportPictures loads and calls: one
// picture (or "") for each handle, size points on its longer side.
extern "C" void tarvoReferencePictures(const ZcDbDatabase& db, const std::vector<std::string>& handles, int size,
                                       std::vector<std::string>& pictures, std::vector<std::string>& notices);

// Writes the report as a PDF of A4 pages: the same tables, each row's
// picture beside it, then the warnings. False, with the reason in error,
// when it cannot be written.
bool writeReportPdf(const ZcDbDatabase& db, const Report& report, const std::string& title, const std::string& path,
                    std::string& error);

// The picture module's entry, which writeReportPdf loads and calls.
extern "C" bool tarvoWriteReportPdf(const ZcDbDatabase& db, const Report& report, const std::string& title,
                                    const std::string& path, std::vector<std::string>& notices, std::string& error);
