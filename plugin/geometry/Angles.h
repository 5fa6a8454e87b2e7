#pragma once

// Angles: radians counter-clockwise from +X unless degrees are said.

// pi, as 4 atan(1).
double PiValue();
double DegToRad(double degrees);
double RadToDeg(double radians);

// A text's direction (0 to 2pi) turned half round when the text would
// otherwise read upside down; the result reads from left to right or from
// bottom to top.
double ReadableAngle(double angle);
