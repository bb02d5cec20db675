// The engine's own elementary functions: the same bits from every compiler and C library.
#pragma once

#include "numtext/plain_double.h"

namespace engine::elementary {

// Correctly rounded but in astronomically rare hard cases. Radians; every finite x is reduced exactly.
// Infinities and NaN give NaN.
double sin(double x);
double cos(double x);
double tan(double x);

// The natural logarithm, correctly rounded but in hard cases: NaN below 0, -infinity at 0.
double log(double x);

// x to the power y, correctly rounded but in hard cases (an exact tie rounds to even), with the special
// cases of the C standard's pow: pow(x, 0) = 1, pow(1, y) = 1, pow(-8, 1/3.) = NaN, pow(0, -1) = infinity...
double pow(double x, double y);

// The exact remainder of x / y with the sign of x; NaN for y = 0 and for infinite x.
double fmod(double x, double y);

// The IEEE square root, one processor instruction.
double sqrt(double x);

// The nearest whole number, a tie to the even one; infinities and NaN unchanged.
double roundHalfEven(double x);

// True for a whole number; false for NaN and the infinities.
bool isInteger(double x);

} // namespace engine::elementary
