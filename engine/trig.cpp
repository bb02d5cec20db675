// Angle mode and trigonometry: sin, cos and tan of the displayed angle, in degrees or radians.
#include "engine/calculator.h"
#include "engine/elementary.h"
#include "engine/messages.h"

#include "numtext/numtext.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace engine {
namespace {

constexpr double kDegreesFactor = std::numbers::pi / 180;

// The exact value at a whole multiple of 90 degrees (angle already reduced modulo 360), or nothing when
// the angle is no such multiple. Infinity marks the tangent's poles.
std::optional<double> exactAtRightAngle(const std::string& function, double degrees)
{
    if (elementary::fmod(degrees, 90) != 0)
        return std::nullopt;
    const int quadrant = (static_cast<int>(degrees / 90) % 4 + 4) % 4;
    constexpr double kSin[] = {0, 1, 0, -1};
    constexpr double kCos[] = {1, 0, -1, 0};
    constexpr double kTan[] = {0, INFINITY, 0, INFINITY};
    if (function == "sin")
        return kSin[quadrant];
    if (function == "cos")
        return kCos[quadrant];
    return kTan[quadrant];
}

double circular(const std::string& function, double radians)
{
    if (function == "cos")
        return elementary::cos(radians);
    if (function == "sin")
        return elementary::sin(radians);
    return elementary::tan(radians);
}

} // namespace

void Calculator::Trig_Click(std::int16_t index)
{
    m_state.varAngleFactor = kDegreesFactor;
    const bool radians = m_display.optionValue(AngleOption::Rad);
    if (radians)
        m_state.varAngleFactor = std::int16_t{1};
    m_state.strTrig = m_display.caption(KeyArray::Trig, index);

    const std::string& function = m_state.strTrig;
    if (function == "cos" || function == "sin" || function == "tan") {
        const double x = numtext::textToNumber(m_display.text());
        if (radians) {
            m_state.sngResult = static_cast<float>(circular(function, x));
        } else {
            // Reduced exactly first, so that sin 180 is 0 and tan 45 is 1 rather than nearly so.
            const double degrees = elementary::fmod(x, 360);
            const std::optional<double> exact = exactAtRightAngle(function, degrees);
            if (exact && std::isinf(*exact)) {
                m_display.setText(kInvalidInputMessage); // tan at an odd multiple of 90 degrees
                m_state.blnNewEntry = true;
                return;
            }
            m_state.sngResult = static_cast<float>(exact ? *exact : circular(function, degrees * kDegreesFactor));
        }
    }
    m_display.setText(numtext::singleText(m_state.sngResult));
    m_state.blnNewEntry = true;
}

void Calculator::optDeg_Click()
{
    m_display.setOptionValue(AngleOption::Rad, false);
}

void Calculator::optRad_Click()
{
    m_display.setOptionValue(AngleOption::Deg, false);
}

} // namespace engine
