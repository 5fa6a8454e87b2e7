#include "islands/IslandLimits.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "ZcGeTol.h"
#include "geometry/Angles.h"
#include "geometry/Tolerances.h"

namespace {

const char* const kNothingDrawn = "; wyspy nie narysowano.";

// The lane a kerb parameter belongs to: Rw, Rw1, Sw are the inlet's.
const char* laneOf(const char* parameter)
{
    return std::strchr(parameter, 'w') ? "wlotu" : "wylotu";
}

}  // namespace

std::string IslandFaultMessage(const IslandFault& fault)
{
    const std::string name = fault.parameter;
    std::string text;
    switch (fault.limit) {
    case IslandLimit::None:
    case IslandLimit::NoSkew:
        return "";
    case IslandLimit::SamePoints:
        text = "\nWskazany kierunek pokrywa się z pierwszym punktem";
        break;
    case IslandLimit::NotPositive: text = "\nParametr " + name + " musi być liczbą nie mniejszą niż 0,0001 m"; break;
    case IslandLimit::Negative:
        text = "\nParametr " + name + " nie może być ujemny";
        break;
    case IslandLimit::NotANumber:
        text = "\nParametr " + name + " musi być liczbą";
        break;
    case IslandLimit::TooLarge: {
        char largest[32];
        std::snprintf(largest, sizeof largest, "%.0f", kLargestIslandLength);
        text = "\nParametr " + name + " nie może przekraczać " + largest;
        break;
    }
    case IslandLimit::SkewAngle:
        text = "\nSkos wyspy A musi dawać kąt większy od 0° i mniejszy od 90° (np. 1:10)";
        break;
    case IslandLimit::IslandLength:
        text = "\nDługość wyspy L musi być mniejsza od odległości wierzchołka jej boków od podstawy (S/2 przez tangens "
               "skosu A)";
        break;
    case IslandLimit::CornerRounding:
        text = "\nPromień wyokrąglenia R1 nie mieści się na podstawie i bokach wyspy";
        break;
    case IslandLimit::Crossing:
        text = "\nPrzejście dla pieszych o szerokości L2 w odległości L1 od końca wyspy nie mieści się na jej prostych "
               "bokach (" + name + ")";
        break;
    case IslandLimit::KerbCircle:
        text = std::string("\nKrawędź ") + laneOf(fault.parameter) + " odsunięta o " + name +
               " nie przecina w dwóch punktach okręgu o promieniu R + " + name;
        break;
    case IslandLimit::KerbInsideRoad:
        text = std::string("\nKrawędź ") + laneOf(fault.parameter) + " (S, " + name +
               ") nie dochodzi do krawędzi jezdni o szerokości Sd za wyspą";
        break;
    case IslandLimit::KerbBreak:
        text = std::string("\nŁuk załamania krawędzi ") + laneOf(fault.parameter) + " o promieniu " + name +
               " nie mieści się między jej odcinkami";
        break;
    case IslandLimit::KerbEntryArc:
        text = std::string("\nŁuk krawędzi ") + laneOf(fault.parameter) + " o promieniu " + name +
               " sięga od ronda poza jej załamanie ku krawędzi jezdni";
        break;
    case IslandLimit::KerbArcs:
        text = std::string("\nŁuki krawędzi ") + laneOf(fault.parameter) + " o promieniach " + name + " i " +
               fault.second + " nie mieszczą się razem między jej odcinkami";
        break;
    case IslandLimit::OutOfRange:
        text = "\nWymiary wyspy wykraczają poza zakres liczb rysunku";
        break;
    }
    return text + kNothingDrawn;
}

IslandFault KerbArcsFault(bool entryAloneTooBig, bool breakAloneTooBig, const char* entryName, const char* breakName)
{
    if (entryAloneTooBig && !breakAloneTooBig)
        return {IslandLimit::KerbEntryArc, entryName};
    if (breakAloneTooBig && !entryAloneTooBig)
        return {IslandLimit::KerbBreak, breakName};
    return {IslandLimit::KerbArcs, entryName, breakName};
}

IslandFault CheckCommonLimits(const IslandParameters& p, ZcGePoint3d p1, ZcGePoint3d p2, double alpha)
{
    // Picks closer than this in plan give no direction.
    if (std::hypot(p2.x - p1.x, p2.y - p1.y) <= kZcGeEqualPoint)
        return {IslandLimit::SamePoints, "P2"};
    struct Named {
        const char* name;
        double value;
    };
    // In the order the dialog lists them, so the first one named is the
    // first one the user meets.
    const auto tooLarge = [](double value) { return std::fabs(value) > kLargestIslandLength; };
    for (const Named& n : {Named{"R", p.R}, Named{"S", p.S}, Named{"L", p.L}, Named{"Sw", p.Sw}, Named{"Su", p.Su},
                           Named{"Sd", p.Sd}}) {
        if (!(std::isfinite(n.value) && n.value >= kMinSize))
            return {IslandLimit::NotPositive, n.name};
        if (tooLarge(n.value))
            return {IslandLimit::TooLarge, n.name};
    }
    if (!(std::isfinite(p.R1) && p.R1 >= 0.0))
        return {IslandLimit::Negative, "R1"};
    if (tooLarge(p.R1))
        return {IslandLimit::TooLarge, "R1"};
    for (const Named& n : {Named{"Ru", p.Ru}, Named{"Rw", p.Rw}, Named{"Ru1", p.Ru1}, Named{"Rw1", p.Rw1}}) {
        if (!(std::isfinite(n.value) && n.value >= kMinSize))
            return {IslandLimit::NotPositive, n.name};
        if (tooLarge(n.value))
            return {IslandLimit::TooLarge, n.name};
    }
    for (const Named& n : {Named{"L1", p.L1}, Named{"L2", p.L2}}) {
        if (!std::isfinite(n.value))
            return {IslandLimit::NotANumber, n.name};
        if (tooLarge(n.value))
            return {IslandLimit::TooLarge, n.name};
    }
    if (!(alpha > 0.0 && alpha < PiValue() / 2.0))
        return {IslandLimit::SkewAngle, "A"};
    return {};
}
