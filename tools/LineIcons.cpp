// Draws the line-marking dialog's icons from the catalogue and the
// linetype file: each marking's dash pattern, white on a road-grey square,
// its lines as wide as the catalogue paints them (exaggerated so that the
// narrow and the wide lines differ), the double markings as two lines.
// Usage: line_icons TARVO.LIN OUTDIR; writes OUTDIR/<symbol>.ico.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ZcDbDatabase.h"
#include "ZcDbLinetypeTable.h"
#include "markings/LineCatalogue.h"

namespace {

constexpr int kSize = 32;
constexpr uint32_t kRoadGrey = 0xFF505458;  // ARGB
constexpr uint32_t kPaint = 0xFFFFFFFF;
// The icon shows 16 m of road: half a metre a pixel along the line.
constexpr double kMetresPerPixel = 0.5;
// Across the line: the 0.12 m line is 2 pixels wide, the 0.24 m one 4.
constexpr double kWidthPixelsPerMetre = 2.0 / 0.12;
// The two lines of a double marking, either side of the middle.
constexpr double kDoubleGap = 6.0;

struct Pattern {
    std::vector<double> dashes;  // positive painted, negative gap
    double length = 0.0;
};

Pattern patternOf(ZcDbDatabase& db, const std::string& name)
{
    Pattern pattern;
    if (name == "Continuous")
        return pattern;
    ZcDbLinetypeTable* table = nullptr;
    if (db.getLinetypeTable(table, ZcDb::kForRead) != Zcad::eOk)
        return pattern;
    ZcDbLinetypeTableRecord* record = nullptr;
    if (table->getAt(name.c_str(), record, ZcDb::kForRead) == Zcad::eOk) {
        for (int i = 0; i < record->numDashes(); ++i)
            pattern.dashes.push_back(record->dashLengthAt(i));
        pattern.length = record->patternLength();
        record->close();
    }
    table->close();
    return pattern;
}

bool painted(const Pattern& pattern, double along)
{
    if (pattern.dashes.empty() || pattern.length <= 0.0)
        return true;
    double at = std::fmod(along, pattern.length);
    for (double dash : pattern.dashes) {
        if (at < std::fabs(dash))
            return dash >= 0.0;
        at -= std::fabs(dash);
    }
    return true;
}

// A vertical line centred at x, from the bottom up, in the pixels (row 0 at the top).
void drawLine(std::vector<uint32_t>& pixels, double x, double width, const Pattern& pattern)
{
    const double half = std::max(1.0, width * kWidthPixelsPerMetre) / 2.0;
    for (int row = 0; row < kSize; ++row) {
        const double along = (kSize - 1 - row + 0.5) * kMetresPerPixel;
        if (!painted(pattern, along))
            continue;
        for (int col = 0; col < kSize; ++col)
            if (std::fabs(col + 0.5 - x) < half)
                pixels[size_t(row * kSize + col)] = kPaint;
    }
}

void put16(std::string& out, uint16_t v) { out.append({char(v & 0xFF), char(v >> 8)}); }
void put32(std::string& out, uint32_t v)
{
    put16(out, uint16_t(v & 0xFFFF));
    put16(out, uint16_t(v >> 16));
}

// One 32x32 image of 32-bit colour in an ICO file: the bitmap bottom row
// first, then an all-clear AND mask.
std::string icoFile(const std::vector<uint32_t>& pixels)
{
    std::string dib;
    put32(dib, 40);
    put32(dib, kSize);
    put32(dib, kSize * 2);  // colour and mask
    put16(dib, 1);
    put16(dib, 32);
    for (int i = 0; i < 6; ++i)
        put32(dib, 0);
    for (int row = kSize - 1; row >= 0; --row)
        for (int col = 0; col < kSize; ++col)
            put32(dib, pixels[size_t(row * kSize + col)]);
    dib.append(size_t(kSize * 4), '\0');  // mask rows of 32 bits
    std::string ico;
    put16(ico, 0);
    put16(ico, 1);
    put16(ico, 1);
    ico.append({char(kSize), char(kSize), 0, 0});
    put16(ico, 1);
    put16(ico, 32);
    put32(ico, uint32_t(dib.size()));
    put32(ico, 22);
    return ico + dib;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TARVO.LIN OUTDIR\n", argv[0]);
        return 2;
    }
    ZcDbDatabase db;
    zcdbHostApplicationServices()->setWorkingDatabase(&db);
    int status = 0;
    for (const D_Linetype& entry : LineCatalogue()) {
        for (const std::string& name : {entry.linetype, entry.secondLinetype})
            if (name != "Continuous")
                db.loadLineTypeFile(name.c_str(), argv[1]);
        std::vector<uint32_t> pixels(size_t(kSize * kSize), kRoadGrey);
        const Pattern first = patternOf(db, entry.linetype);
        if (IsDoubleMarking(entry)) {
            // The picked (second) side drawn on the right.
            drawLine(pixels, kSize / 2.0 - kDoubleGap / 2.0, entry.width, first);
            drawLine(pixels, kSize / 2.0 + kDoubleGap / 2.0, entry.width,
                     HasPickedSide(entry) ? patternOf(db, entry.secondLinetype) : first);
        } else {
            drawLine(pixels, kSize / 2.0, entry.width, first);
        }
        const std::string path = std::string(argv[2]) + "/" + entry.symbol + ".ico";
        std::ofstream out(path, std::ios::binary);
        out << icoFile(pixels);
        if (!out) {
            std::fprintf(stderr, "%s cannot be written\n", path.c_str());
            status = 1;
        }
    }
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return status;
}
