// Colours as the gamut code passes them around: D50 Lab, and points of the
// a*b* plane.
#pragma once

struct KvLabPoint {
    double L, a, b;
};

struct KvAbPoint {
    double a, b;
};
