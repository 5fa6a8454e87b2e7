#include "geometry/Angles.h"

#include <cmath>

double PiValue() { return 4.0 * std::atan(1.0); }

double DegToRad(double degrees) { return degrees / 180.0 * PiValue(); }

double RadToDeg(double radians) { return 180.0 * radians / PiValue(); }

double ReadableAngle(double angle)
{
    const double pi = PiValue();
    return angle > pi / 2.0 && angle <= 3.0 * pi / 2.0 ? angle - pi : angle;
}
