#include "tools/LightSymbols.h"

#include <cmath>
#include <initializer_list>
#include <optional>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Block units. A signal head's chamber is 300 square, so that a
// three-chamber head with its pole is about 1000 long: 10 m at 1:100.
constexpr double kChamber = 300.0;
constexpr double kLensRadius = 115.0;
constexpr double kPoleRadius = 60.0;
constexpr double kHeadGap = 120.0;           // from the pole's centre to the head's near side
constexpr double kBracketReach = 450.0;      // a side bracket: the head's axis beside the pole
constexpr double kCantileverReach = 1000.0;  // a mast: the head's axis along the arm
constexpr double kArmHalfWidth = 40.0;

// Colour indexes: the lamps' own colours; housings and poles in colour 7
// (black on paper, white on screen); a lens that lights a figure is black
// round it. White lamps (tram bars) are light grey, which shows on the
// black lens and is not the white that icons take for transparent.
constexpr int kRed = 1;
constexpr int kAmber = 2;
constexpr int kGreen = 3;
constexpr int kWhite = 7;
constexpr int kDarkLens = 250;
constexpr int kWhiteLamp = 254;

using Points = std::vector<ZcGePoint2d>;

LightOutline polygon(Points points, int colour, bool filled = true)
{
    LightOutline o;
    o.bulges.assign(points.size(), 0.0);
    o.points = std::move(points);
    o.colour = colour;
    o.filled = filled;
    return o;
}

LightOutline path(Points points, int colour)
{
    LightOutline o = polygon(std::move(points), colour, false);
    o.closed = false;
    return o;
}

LightOutline circle(ZcGePoint2d centre, double radius, int colour, bool filled)
{
    LightOutline o;
    o.points = {{centre.x - radius, centre.y}, {centre.x + radius, centre.y}};
    o.bulges = {1.0, 1.0};  // two half circles
    o.colour = colour;
    o.filled = filled;
    return o;
}

LightOutline rectangle(double x0, double y0, double x1, double y1, int colour, bool filled = false)
{
    return polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, colour, filled);
}

// An arc from angle `from` to `to` (radians, counter-clockwise) as an open polyline.
LightOutline arc(ZcGePoint2d centre, double radius, double from, double to, int colour)
{
    LightOutline o = path({{centre.x + radius * std::cos(from), centre.y + radius * std::sin(from)},
                           {centre.x + radius * std::cos(to), centre.y + radius * std::sin(to)}},
                          colour);
    o.bulges[0] = std::tan((to - from) / 4.0);
    return o;
}

// Where a part drawn about its own origin goes: mirrored in its Y axis
// first, then turned, scaled and moved.
struct Placement {
    ZcGePoint2d at{0.0, 0.0};
    double scale = 1.0;
    double angle = 0.0;
    bool mirrored = false;

    ZcGePoint2d map(ZcGePoint2d p) const
    {
        const double x = mirrored ? -p.x : p.x, c = std::cos(angle), s = std::sin(angle);
        return {at.x + scale * (c * x - s * p.y), at.y + scale * (s * x + c * p.y)};
    }
};

void append(LightSymbol& into, const LightSymbol& part, const Placement& where)
{
    for (LightOutline o : part) {
        for (ZcGePoint2d& p : o.points)
            p = where.map(p);
        if (where.mirrored)  // a mirror turns every arc the other way
            for (double& b : o.bulges)
                b = -b;
        into.push_back(std::move(o));
    }
}

// The lit figures of lenses, on a lens of radius 1.
enum class Glyph {
    kDisc,
    kStraight,
    kTurnLeft,
    kTurnRight,
    kStraightLeft,
    kStraightRight,
    kLeftRight,
    kDown,
    kCross,
    kStanding,
    kWalking,
    kBicycle,
    kStandingBicycle,
    kWalkingBicycle,
    kBarStop,
    kBarAhead,
    kBarLeft,
    kBarRight,
    kPrepare,
};

LightSymbol straightArrow(int c)
{
    return {
        polygon({{-0.15, -0.8}, {0.15, -0.8}, {0.15, 0.1}, {0.45, 0.1}, {0.0, 0.8}, {-0.45, 0.1}, {-0.15, 0.1}}, c)};
}

LightSymbol turnRightArrow(int c)
{
    return {polygon({{-0.35, -0.75},
                     {-0.05, -0.75},
                     {-0.05, -0.05},
                     {0.25, -0.05},
                     {0.25, -0.35},
                     {0.8, 0.1},
                     {0.25, 0.55},
                     {0.25, 0.25},
                     {-0.35, 0.25}},
                    c)};
}

LightSymbol straightRightArrow(int c)
{
    LightSymbol g;
    append(g, straightArrow(c), {{-0.3, 0.0}});
    g.push_back(
        polygon({{-0.15, -0.35}, {0.3, -0.35}, {0.3, -0.6}, {0.8, -0.2}, {0.3, 0.2}, {0.3, -0.05}, {-0.15, -0.05}}, c));
    return g;
}

LightSymbol bar(double angle, int c)
{
    LightSymbol g;
    append(g, {rectangle(-0.75, -0.15, 0.75, 0.15, c, true)}, {{0.0, 0.0}, 1.0, angle});
    return g;
}

LightSymbol standingFigure(int c)
{
    return {circle({0.0, 0.55}, 0.17, c, true), polygon({{-0.25, 0.32},
                                                         {0.25, 0.32},
                                                         {0.25, -0.15},
                                                         {0.12, -0.15},
                                                         {0.12, -0.8},
                                                         {-0.12, -0.8},
                                                         {-0.12, -0.15},
                                                         {-0.25, -0.15}},
                                                        c)};
}

LightSymbol walkingFigure(int c)
{
    return {circle({0.08, 0.55}, 0.17, c, true), polygon({{-0.12, 0.32},
                                                          {0.2, 0.32},
                                                          {0.24, -0.1},
                                                          {0.55, -0.72},
                                                          {0.32, -0.8},
                                                          {0.05, -0.28},
                                                          {-0.28, -0.8},
                                                          {-0.5, -0.7},
                                                          {-0.16, -0.1}},
                                                         c)};
}

LightSymbol bicycle(int c)
{
    return {circle({-0.45, -0.25}, 0.3, c, false), circle({0.45, -0.25}, 0.3, c, false),
            polygon({{-0.45, -0.25}, {0.0, -0.25}, {0.3, 0.2}, {-0.2, 0.2}}, c, false),
            path({{0.45, -0.25}, {0.3, 0.2}, {0.25, 0.45}, {0.45, 0.45}}, c)};
}

// A figure and a bicycle side by side on one lens.
LightSymbol figureAndBicycle(const LightSymbol& figure, int c)
{
    LightSymbol g;
    append(g, figure, {{-0.45, 0.0}, 0.65});
    append(g, bicycle(c), {{0.38, 0.05}, 0.55});
    return g;
}

LightSymbol glyph(Glyph kind, int c)
{
    switch (kind) {
    case Glyph::kDisc: return {circle({0.0, 0.0}, 1.0, c, true)};
    case Glyph::kStraight: return straightArrow(c);
    case Glyph::kTurnRight: return turnRightArrow(c);
    case Glyph::kStraightRight: return straightRightArrow(c);
    case Glyph::kDown: {
        LightSymbol g;
        append(g, straightArrow(c), {{0.0, 0.0}, 1.0, kPi});
        return g;
    }
    case Glyph::kTurnLeft:
    case Glyph::kStraightLeft: {
        LightSymbol g;
        append(g, kind == Glyph::kTurnLeft ? turnRightArrow(c) : straightRightArrow(c), {{0.0, 0.0}, 1.0, 0.0, true});
        return g;
    }
    case Glyph::kLeftRight:
        return {polygon({{-0.15, -0.8},
                         {0.15, -0.8},
                         {0.15, -0.05},
                         {0.35, -0.05},
                         {0.35, -0.35},
                         {0.85, 0.1},
                         {0.35, 0.55},
                         {0.35, 0.25},
                         {-0.35, 0.25},
                         {-0.35, 0.55},
                         {-0.85, 0.1},
                         {-0.35, -0.35},
                         {-0.35, -0.05},
                         {-0.15, -0.05}},
                        c)};
    case Glyph::kCross: {
        LightSymbol g = bar(kPi / 4.0, c);
        append(g, bar(-kPi / 4.0, c), {});
        return g;
    }
    case Glyph::kStanding: return standingFigure(c);
    case Glyph::kWalking: return walkingFigure(c);
    case Glyph::kBicycle: return bicycle(c);
    case Glyph::kStandingBicycle: return figureAndBicycle(standingFigure(c), c);
    case Glyph::kWalkingBicycle: return figureAndBicycle(walkingFigure(c), c);
    case Glyph::kBarStop: return bar(0.0, c);
    case Glyph::kBarAhead: return bar(kPi / 2.0, c);
    case Glyph::kBarLeft: return bar(kPi / 2.0 + kPi / 4.0, c);  // leaning left at the top
    case Glyph::kBarRight: return bar(kPi / 2.0 - kPi / 4.0, c);
    case Glyph::kPrepare: return {polygon({{-0.45, -0.35}, {0.45, -0.35}, {0.0, 0.45}}, c)};
    }
    return {};
}

struct Lens {
    Glyph glyph;
    int colour;
};

// A plain lens is lit whole; a figure or an arrow is lit on a dark lens.
LightSymbol lens(const Lens& l, ZcGePoint2d centre)
{
    LightSymbol s;
    if (l.glyph != Glyph::kDisc)
        s.push_back(circle(centre, kLensRadius, kDarkLens, true));
    append(s, glyph(l.glyph, l.colour), {centre, kLensRadius});
    for (LightOutline& o : s)
        o.fine = true;
    return s;
}

// A head's chambers in rows from its top down, each from left to right, as
// the traffic sees it: laid out from the pole towards the traffic, the top
// row next to the pole, so that the face reads the right way up to a
// reader looking along the traffic (+Y) and its arrows point where they lead.
struct Head {
    std::vector<std::vector<Lens>> rows;
    double firstColumn = 0.0;  // the first column's centre beside the head's axis, in chambers
};

enum class Mount { kPole, kBracketLeft, kBracketRight, kCantilever };

LightSymbol headAt(const Head& head, double axisX)
{
    LightSymbol s;
    for (size_t r = 0; r < head.rows.size(); ++r)
        for (size_t c = 0; c < head.rows[r].size(); ++c) {
            const double x = axisX + (head.firstColumn + double(c)) * kChamber;
            const double y = -(kHeadGap + (double(r) + 0.5) * kChamber);
            s.push_back(rectangle(x - kChamber / 2, y - kChamber / 2, x + kChamber / 2, y + kChamber / 2, kWhite));
            append(s, lens(head.rows[r][c], {x, y}), {});
        }
    return s;
}

LightSymbol pole(double radius = kPoleRadius) { return {circle({0.0, 0.0}, radius, kWhite, true)}; }

LightSymbol mountedHead(const Head& head, Mount mount)
{
    LightSymbol s = pole(mount == Mount::kCantilever ? 1.5 * kPoleRadius : kPoleRadius);
    double axis = 0.0;
    switch (mount) {
    case Mount::kPole: s.push_back(path({{0.0, -kPoleRadius}, {0.0, -kHeadGap}}, kWhite)); break;
    case Mount::kBracketLeft:
    case Mount::kBracketRight:
        axis = mount == Mount::kBracketLeft ? -kBracketReach : kBracketReach;
        s.push_back(path({{0.0, 0.0}, {axis, 0.0}, {axis, -kHeadGap}}, kWhite));
        break;
    case Mount::kCantilever:
        axis = kCantileverReach;
        s.push_back(rectangle(1.5 * kPoleRadius, -kArmHalfWidth, axis + kChamber / 2, kArmHalfWidth, kWhite));
        s.push_back(path({{axis, -kArmHalfWidth}, {axis, -kHeadGap}}, kWhite));
        break;
    }
    append(s, headAt(head, axis), {});
    return s;
}

// Symbols that are not signal heads.

LightSymbol pushButton()
{
    LightSymbol s = pole();
    s.push_back(rectangle(-170.0, -560.0, 170.0, -120.0, kWhite));
    s.push_back(circle({0.0, -260.0}, 75.0, kWhite, true));
    s.push_back(polygon({{-60.0, -470.0}, {60.0, -470.0}, {0.0, -380.0}}, kWhite));  // "press" mark
    return s;
}

LightSymbol detectorLoop()
{
    LightSymbol s = {rectangle(-40.0, -40.0, 40.0, 40.0, kWhite, true)};  // the pit the feeder ends in
    const auto loop = [](double inset) {
        const double x0 = -500 + inset, x1 = 500 - inset, y0 = -900 + inset, y1 = -300 - inset, k = 100.0;
        return polygon({{x0 + k, y0},
                        {x1 - k, y0},
                        {x1, y0 + k},
                        {x1, y1 - k},
                        {x1 - k, y1},
                        {x0 + k, y1},
                        {x0, y1 - k},
                        {x0, y0 + k}},
                       kWhite, false);
    };
    s.push_back(loop(0.0));
    s.push_back(loop(40.0));  // the loop's turns
    s.push_back(path({{-20.0, -40.0}, {-20.0, -300.0}}, kWhite));
    s.push_back(path({{20.0, -40.0}, {20.0, -300.0}}, kWhite));
    return s;
}

LightSymbol controllerCabinet()
{
    return {rectangle(-450.0, -250.0, 450.0, 250.0, kWhite),
            polygon({{-450.0, -190.0}, {450.0, 250.0}, {-450.0, 250.0}}, kWhite),
            rectangle(-450.0, -250.0, 450.0, -190.0, kWhite, true)};  // the door, to the front
}

// One seven-segment digit showing 8, centred on c.
LightSymbol digitEight(ZcGePoint2d c, int colour)
{
    constexpr double w = 100.0, h = 180.0, t = 40.0;  // half width, half height, stroke
    LightSymbol s;
    for (double y : {h - t, -t / 2, -h})
        s.push_back(rectangle(c.x - w + t, c.y + y, c.x + w - t, c.y + y + t, colour, true));
    for (double x : {-w, w - t})
        for (double y : {-h + t / 2, t / 2})
            s.push_back(rectangle(c.x + x, c.y + y, c.x + x + t, c.y + y + h - t, colour, true));
    return s;
}

LightSymbol countdownDisplay()
{
    LightSymbol s = pole();
    s.push_back(path({{0.0, -kPoleRadius}, {0.0, -kHeadGap}}, kWhite));
    s.push_back(rectangle(-300.0, -620.0, 300.0, -kHeadGap, kWhite));
    append(s, digitEight({-130.0, -370.0}, kRed), {});
    append(s, digitEight({130.0, -370.0}, kRed), {});
    return s;
}

LightSymbol acousticSignal()
{
    LightSymbol s = pole();
    s.push_back(rectangle(-70.0, -220.0, 70.0, -100.0, kWhite, true));
    s.push_back(polygon({{-70.0, -220.0}, {70.0, -220.0}, {170.0, -380.0}, {-170.0, -380.0}}, kWhite, false));
    for (double r : {260.0, 360.0, 460.0})  // the sound, spread towards the crossing
        s.push_back(arc({0.0, -220.0}, r, -kPi / 2 - 0.6, -kPi / 2 + 0.6, kWhite));
    return s;
}

LightSymbol videoDetector()
{
    LightSymbol s = pole();
    s.push_back(rectangle(-90.0, -420.0, 90.0, -kHeadGap, kWhite));
    s.push_back(path({{0.0, -kPoleRadius}, {0.0, -kHeadGap}}, kWhite));
    s.push_back(polygon({{-60.0, -420.0}, {60.0, -420.0}, {100.0, -490.0}, {-100.0, -490.0}}, kWhite));
    const ZcGePoint2d eye(0.0, -490.0);
    constexpr double kReach = 900.0, kHalfAngle = 0.5;  // the field of view
    const double a0 = -kPi / 2 - kHalfAngle, a1 = -kPi / 2 + kHalfAngle;
    s.push_back(path({{eye.x + kReach * std::cos(a0), eye.y + kReach * std::sin(a0)},
                      {eye.x, eye.y},
                      {eye.x + kReach * std::cos(a1), eye.y + kReach * std::sin(a1)}},
                     kWhite));
    s.push_back(arc(eye, kReach, a0, a1, kWhite));
    return s;
}

LightSymbol poleOnFoundation()
{
    LightSymbol s = {rectangle(-250.0, -250.0, 250.0, 250.0, kWhite)};
    s.push_back(circle({0.0, 0.0}, 190.0, kWhite, false));
    append(s, pole(110.0), {});
    s.push_back(rectangle(-60.0, -250.0, 60.0, -200.0, kWhite, true));  // the cable entry, to the front
    return s;
}

struct Recipe {
    LightEntry entry;
    std::optional<Head> head;  // a signal head, or else
    Mount mount = Mount::kPole;
    LightSymbol (*other)() = nullptr;  // another symbol
};

std::vector<std::vector<Lens>> column(std::initializer_list<Lens> lenses)
{
    std::vector<std::vector<Lens>> rows;
    for (const Lens& l : lenses)
        rows.push_back({l});
    return rows;
}

// Red, amber and green lenses showing one figure.
std::vector<std::vector<Lens>> threeLit(Glyph g) { return column({{g, kRed}, {g, kAmber}, {g, kGreen}}); }

// A tram head: stop, prepare, then the ways it lets the tram go.
std::vector<std::vector<Lens>> tram(std::initializer_list<Glyph> goes, bool prepare = true)
{
    std::vector<std::vector<Lens>> rows = column({{Glyph::kBarStop, kWhiteLamp}});
    if (prepare)
        rows.push_back({{Glyph::kPrepare, kWhiteLamp}});
    for (Glyph g : goes)
        rows.push_back({{g, kWhiteLamp}});
    return rows;
}

const std::vector<Recipe>& recipes()
{
    const Lens red{Glyph::kDisc, kRed}, amber{Glyph::kDisc, kAmber}, green{Glyph::kDisc, kGreen};
    const Head straightHead{threeLit(Glyph::kStraight)};
    static const std::vector<Recipe> table = {
        {{"s_a1", 8049, "vehicle signal head: red, amber and green"}, Head{column({red, amber, green})}},
        {{"s_b1", 8050, "vehicle head with a green conditional right-turn arrow beside the red"},
         Head{{{red, {Glyph::kTurnRight, kGreen}}, {amber}, {green}}}},
        {{"s_c1", 8051, "vehicle head with left-turn arrows"}, Head{threeLit(Glyph::kTurnLeft)}},
        {{"s_c2", 8080, "vehicle head with straight-ahead arrows"}, straightHead},
        {{"s_c3", 8053, "vehicle head with right-turn arrows"}, Head{threeLit(Glyph::kTurnRight)}},
        {{"s_c4", 8054, "straight-ahead arrow head on a bracket left of the pole"}, straightHead, Mount::kBracketLeft},
        {{"s_c5", 8054, "straight-ahead arrow head on a bracket right of the pole (s_c4 mirrored)"},
         straightHead,
         Mount::kBracketRight},
        {{"s_c6", 8055, "vehicle head with straight-and-left arrows"}, Head{threeLit(Glyph::kStraightLeft)}},
        {{"s_c7", 8056, "vehicle head with straight-and-right arrows"}, Head{threeLit(Glyph::kStraightRight)}},
        {{"s_c8", 8057, "vehicle head with left-and-right arrows"}, Head{threeLit(Glyph::kLeftRight)}},
        {{"s_d1", 8059, "pedestrian signal: red standing and green walking figure"},
         Head{column({{Glyph::kStanding, kRed}, {Glyph::kWalking, kGreen}})}},
        {{"s_d2", 8060, "cyclist signal: red, amber and green bicycles"}, Head{threeLit(Glyph::kBicycle)}},
        {{"s_d3", 8061, "pedestrian and cyclist signal: figure and bicycle in red and green"},
         Head{column({{Glyph::kStandingBicycle, kRed}, {Glyph::kWalkingBicycle, kGreen}})}},
        {{"s_e1", 8062, "single flashing amber warning light"}, Head{column({amber})}},
        {{"s_f1", 8063, "lane control signal: red cross and green downward arrow"},
         Head{{{{Glyph::kCross, kRed}, {Glyph::kDown, kGreen}}}, -0.5}},
        {{"s_g1", 8064, "tram signal: stop bar, prepare triangle, straight-ahead bar"}, Head{tram({Glyph::kBarAhead})}},
        {{"s_g2", 8065, "tram signal for turning left"}, Head{tram({Glyph::kBarLeft})}},
        {{"s_g3", 8066, "tram signal for turning right"}, Head{tram({Glyph::kBarRight})}},
        {{"s_g4", 8067, "tram signal with ahead and left bars"}, Head{tram({Glyph::kBarAhead, Glyph::kBarLeft})}},
        {{"s_g5", 8068, "tram signal with ahead and right bars"}, Head{tram({Glyph::kBarAhead, Glyph::kBarRight})}},
        {{"s_g6", 8069, "tram signal without the prepare lens: stop and ahead bars"},
         Head{tram({Glyph::kBarAhead}, false)}},
        {{"s_h1", 8070, "mast with a cantilever carrying a vehicle head over the road"},
         Head{column({red, amber, green})},
         Mount::kCantilever},
        {{"s_i1", 8071, "pedestrian push button"}, std::nullopt, Mount::kPole, pushButton},
        {{"s_j1", 8072, "induction detector loop with its feeder to the pit"},
         std::nullopt,
         Mount::kPole,
         detectorLoop},
        {{"s_k1", 8073, "signal controller cabinet, its door to the front"},
         std::nullopt,
         Mount::kPole,
         controllerCabinet},
        {{"s_l1", 8074, "countdown display"}, std::nullopt, Mount::kPole, countdownDisplay},
        {{"s_m1", 8075, "acoustic signal for blind pedestrians"}, std::nullopt, Mount::kPole, acousticSignal},
        {{"s_n1", 8076, "video vehicle detector with its field of view"}, std::nullopt, Mount::kPole, videoDetector},
        {{"s_o1", 8077, "signal pole on its foundation"}, std::nullopt, Mount::kPole, poleOnFoundation},
        {{"s_p1", 8078, "twin flashing red lights (railway or tram crossing, emergency exit)"},
         Head{{{red, red}}, -0.5}},
    };
    return table;
}

}  // namespace

std::span<const LightEntry> lightCatalogue()
{
    static const std::vector<LightEntry> entries = [] {
        std::vector<LightEntry> e;
        for (const Recipe& r : recipes())
            e.push_back(r.entry);
        return e;
    }();
    return entries;
}

LightSymbol lightSymbol(size_t index)
{
    const std::vector<Recipe>& table = recipes();
    if (index >= table.size())
        return {};
    const Recipe& r = table[index];
    return r.head ? mountedHead(*r.head, r.mount) : r.other();
}
