// The float status test: the IEEE invalid, division-by-zero and overflow flags, tracked explicitly.
#pragma once

#include "numtext/plain_double.h"

namespace numtext {

// Records the flags that the arithmetic of one operation raises, from the moment the display text is read
// until test(). Explicit checks rather than <cfenv>: the compiler may fold or reorder flag-raising code.
class FloatStatus {
public:
    // Rounds to the nearest Single; a finite value that becomes infinite sets the overflow flag.
    float store(double value);

    double add(double a, double b) { return check(a, b, a + b); }
    double subtract(double a, double b) { return check(a, b, a - b); }
    double multiply(double a, double b) { return check(a, b, a * b); }
    double divide(double a, double b);

    // Raises 11 if division by zero was flagged, else 6 if invalid operation or overflow was.
    void test() const;

private:
    double check(double a, double b, double result);

    bool m_invalid = false;
    bool m_divisionByZero = false;
    bool m_overflow = false;
};

} // namespace numtext
