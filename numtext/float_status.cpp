// The float status test.
#include "numtext/float_status.h"

#include "numtext/runtime_error.h"

#include <cmath>

namespace numtext {

float FloatStatus::store(double value)
{
    const auto single = static_cast<float>(value);
    if (std::isfinite(value) && std::isinf(single))
        m_overflow = true;
    return single;
}

double FloatStatus::check(double a, double b, double result)
{
    // A NaN out of non-NaN operands is an invalid operation (inf - inf, 0 * inf, 0 / 0, inf / inf).
    if (std::isnan(result) && !std::isnan(a) && !std::isnan(b))
        m_invalid = true;
    // Wide Double operands (M+) can overflow before the store does.
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b))
        m_overflow = true;
    return result;
}

double FloatStatus::divide(double a, double b)
{
    if (b == 0 && std::isfinite(a) && a != 0)
        m_divisionByZero = true;
    return check(a, b, a / b);
}

void FloatStatus::test() const
{
    if (m_divisionByZero)
        throw RuntimeError(kDivisionByZero);
    if (m_invalid || m_overflow)
        throw RuntimeError(kOverflow);
}

} // namespace numtext
