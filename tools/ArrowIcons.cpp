// Draws the arrow dialog's catalogue icons from the arrows' own outlines:
// each arrow's filled shape in white on a road-grey square, pointing up,
// as a 32 x 32 icon of 256 colours. The long outline stands for an arrow
// that comes in two lengths. Usage: arrow_icons FOLDER (writes P-8A.ico ...)

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "markings/ArrowBlocks.h"
#include "markings/ArrowCatalogue.h"

namespace {

constexpr int kSize = 32;
// Pixels per metre along the arrow and across it: the longest arrow (7.5 m)
// and the widest (2.9 m) fill the square but for a 2-pixel border. Across
// is stretched so that a 0.15 m shaft still shows.
constexpr double kAlong = 28.0 / 7.5;
constexpr double kAcross = 28.0 / 2.9;
// Samples per pixel side; the coverage gives one of the blend levels.
constexpr int kSamples = 4;
constexpr int kLevels = kSamples * kSamples + 1;
constexpr uint8_t kRoad[3] = {96, 96, 96};
constexpr uint8_t kPaint[3] = {255, 255, 255};
// An arc is drawn as this many chords.
constexpr int kArcChords = 32;

struct Point {
    double x, y;
};

// The outline as a polygon in metres, arcs as chords.
std::vector<Point> polygonOf(const ArrowOutline& outline)
{
    std::vector<Point> polygon;
    const auto& v = outline.vertices;
    for (size_t i = 0; i < v.size(); ++i) {
        const ArrowVertex& a = v[i];
        const ArrowVertex& b = v[(i + 1) % v.size()];
        polygon.push_back({a.x, a.y});
        if (a.bulge == 0.0)
            continue;
        // The arc through a and b of sweep 4 atan(bulge), by its centre.
        const double sweep = 4.0 * std::atan(a.bulge);
        const double chord = std::hypot(b.x - a.x, b.y - a.y);
        const double radius = chord / (2.0 * std::sin(sweep / 2.0));
        const double toCentre = radius * std::cos(sweep / 2.0);
        const double ux = (b.x - a.x) / chord, uy = (b.y - a.y) / chord;
        const Point centre{(a.x + b.x) / 2.0 - uy * toCentre, (a.y + b.y) / 2.0 + ux * toCentre};
        const double start = std::atan2(a.y - centre.y, a.x - centre.x);
        const double r = std::abs(radius);
        for (int k = 1; k < kArcChords; ++k) {
            const double t = start + sweep * k / kArcChords;
            polygon.push_back({centre.x + r * std::cos(t), centre.y + r * std::sin(t)});
        }
    }
    return polygon;
}

bool inside(const std::vector<Point>& polygon, Point p)
{
    bool in = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

// Blend levels of the pixels, rows top to bottom: the arrow's tail at the
// bottom, its axis up the middle of the square.
std::vector<uint8_t> rasterize(const ArrowOutline& outline)
{
    const std::vector<Point> polygon = polygonOf(outline);
    double length = 0.0;
    for (const Point& p : polygon)
        length = std::max(length, p.x);
    const double bottom = (kSize + length * kAlong) / 2.0;  // the tail's row, centring the arrow
    std::vector<uint8_t> levels(kSize * kSize);
    for (int row = 0; row < kSize; ++row)
        for (int col = 0; col < kSize; ++col) {
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = col + (sx + 0.5) / kSamples;
                    const double py = row + (sy + 0.5) / kSamples;
                    // Up the picture is along the arrow; left is left.
                    covered += inside(polygon, {(bottom - py) / kAlong, (kSize / 2.0 - px) / kAcross});
                }
            levels[row * kSize + col] = uint8_t(covered);
        }
    return levels;
}

void put16(std::string& out, unsigned v) { out.append({char(v & 0xFF), char((v >> 8) & 0xFF)}); }
void put32(std::string& out, unsigned v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// An icon file of one 32 x 32 image of 256 colours: the blend levels from
// road to paint, then unused entries; all opaque.
std::string iconFile(const std::vector<uint8_t>& levels)
{
    constexpr unsigned kPalette = 256 * 4;
    constexpr unsigned kPixels = kSize * kSize;
    constexpr unsigned kMask = kSize * 4;  // one bit a pixel, rows of 32 bits
    constexpr unsigned kImage = 40 + kPalette + kPixels + kMask;
    std::string out;
    put16(out, 0), put16(out, 1), put16(out, 1);  // icon directory of one image
    out.append({char(kSize), char(kSize), 0, 0});
    put16(out, 1), put16(out, 8), put32(out, kImage), put32(out, 6 + 16);
    put32(out, 40), put32(out, kSize), put32(out, 2 * kSize);  // the height counts the mask too
    put16(out, 1), put16(out, 8), put32(out, 0), put32(out, kPixels + kMask);
    put32(out, 0), put32(out, 0), put32(out, 256), put32(out, 0);
    for (int i = 0; i < 256; ++i) {
        const double t = i < kLevels ? double(i) / (kLevels - 1) : 0.0;
        for (int c = 2; c >= 0; --c)  // blue, green, red
            out.push_back(char(std::lround(kRoad[c] + t * (kPaint[c] - kRoad[c]))));
        out.push_back(0);
    }
    for (int row = kSize - 1; row >= 0; --row)  // bottom-up
        for (int col = 0; col < kSize; ++col)
            out.push_back(char(levels[row * kSize + col]));
    out.append(kMask, '\0');
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: arrow_icons FOLDER\n");
        return 2;
    }
    for (const ArrowRow& row : ArrowCatalogue()) {
        const std::string symbol = row.symbol;
        const ArrowOutline* outline = FindArrowOutline(symbol);
        if (!outline)
            outline = FindArrowOutline(symbol + "_D");
        if (!outline) {
            std::fprintf(stderr, "%s: no outline\n", row.symbol);
            return 1;
        }
        const std::string path = std::string(argv[1]) + "/" + symbol + ".ico";
        std::ofstream file(path, std::ios::binary);
        file << iconFile(rasterize(*outline));
        if (!file.flush()) {
            std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
