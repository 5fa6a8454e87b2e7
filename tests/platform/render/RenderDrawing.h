#pragma once

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "ZcDbHatch.h"
#include "ZcDbPolyline.h"
#include "platform/render/Picture.h"
#include "tests/support/TestDrawing.h"

// A drawing for picture tests, with the tables and blocks they need.
class RenderDrawing : public TestDrawing {
public:
    ZcDbObjectId layer(const char* name, int colourIndex, bool off = false, bool frozen = false);
    // A linetype of dashes (positive), gaps (negative) and dots (zero).
    ZcDbObjectId linetype(const char* name, std::initializer_list<double> dashes);
    ZcDbObjectId block(const char* name, const ZcGePoint3d& origin = ZcGePoint3d::kOrigin);
    // Appends a new entity to a block (or model space) and closes it.
    ZcDbObjectId appendTo(ZcDbObjectId block, ZcDbEntity* entity);
    ZcDbObjectId reference(ZcDbObjectId owner, ZcDbObjectId block, const ZcGePoint3d& at, double rotation = 0.0,
                           double sx = 1.0, double sy = 1.0);

    // The picture at a resolution (pixels per drawing unit), which fails the test when it cannot be made.
    platform::RasterPicture
    picture(double resolution,
            platform::PictureSettings::Background background = platform::PictureSettings::Background::Light);
};

// A new polyline through points (bulges 0), open or closed.
ZcDbPolyline* polylineThrough(std::initializer_list<ZcGePoint2d> points, bool closed = false);
// A new solid hatch of colour index, loops given as corner lists.
ZcDbHatch* solidHatch(int colourIndex, const std::vector<std::vector<ZcGePoint2d>>& loops,
                      ZcDbHatch::HatchStyle style = ZcDbHatch::kNormal);
// The four corners of an axis-aligned box.
std::vector<ZcGePoint2d> box(double x0, double y0, double x1, double y1);

// The colour at a world point of a picture ({1,2,3} when outside, which no test draws with).
platform::Rgb colourAt(const platform::RasterPicture& picture, double x, double y);

// How much of an ink a pixel shows over the background: 1 all ink, 0 none,
// below 0 for a colour that is no mix of the two.
double inkShare(platform::Rgb pixel, platform::Rgb ink, platform::Rgb background);
// Whether a pixel within one pixel of the world point shows at least that
// share of the ink: a thin line one pixel wide may fall between two rows of
// pixels and colour each half.
bool showsInk(const platform::RasterPicture& picture, double x, double y, platform::Rgb ink, platform::Rgb background,
              double share = 0.45);
// The world box round the pixels that are not background within a world
// box (the whole picture when none is given); empty when there are none.
ZcDbExtents inkBox(const platform::RasterPicture& picture, platform::Rgb background);
ZcDbExtents inkBox(const platform::RasterPicture& picture, platform::Rgb background, double x0, double y0, double x1,
                   double y1);

// Whether the pixel at the world point and its neighbours are all background.
bool blankAround(const platform::RasterPicture& picture, double x, double y, platform::Rgb background);

inline constexpr platform::Rgb kWhite{255, 255, 255};
inline constexpr platform::Rgb kBlack{0, 0, 0};
inline constexpr platform::Rgb kRed{255, 0, 0};
inline constexpr platform::Rgb kGreen{0, 255, 0};
inline constexpr platform::Rgb kBlue{0, 0, 255};

// Readable colours in test messages.
// A frame round the area a test looks at, so that the picture's framing
// does not depend on what the test draws inside.
inline void addFrame(RenderDrawing& d, double x0, double y0, double x1, double y1)
{
    d.append(polylineThrough({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true));
}

inline void PrintTo(const platform::Rgb& c, std::ostream* os)
{
    *os << "rgb(" << int(c.red) << "," << int(c.green) << "," << int(c.blue) << ")";
}
