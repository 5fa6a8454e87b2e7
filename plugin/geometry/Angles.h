#pragma once

// Angles: radians counter-clockwise from +X unless degrees are said.

// pi, as 4 atan(1).
double PiValue();
double DegToRad(double degrees);
double RadToDeg(double radians);
