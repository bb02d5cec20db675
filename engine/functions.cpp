// One-argument functions, factorial and pi: keys that work on the displayed number alone.
#include "engine/calculator.h"
#include "engine/elementary.h"
#include "engine/messages.h"

#include "numtext/float_status.h"
#include "numtext/numtext.h"
#include "numtext/runtime_error.h"

#include <cmath>
#include <limits>

namespace engine {

using numtext::FloatStatus;
using numtext::RuntimeError;

namespace {

double squareRoot(double x)
{
    if (x < 0)
        throw RuntimeError(numtext::kInvalidProcedureCall);
    return elementary::sqrt(x);
}

double naturalLog(double x)
{
    if (!(x > 0))
        throw RuntimeError(numtext::kInvalidProcedureCall);
    return elementary::log(x);
}

} // namespace

void Calculator::Functions_Click(std::int16_t index)
{
    numtext::ResumeNext resume;
    FloatStatus status;
    resume.step([&] { m_state.sngOperand1 = displayValue(status); });
    resume.step([&] { m_state.strFunction = m_display.caption(KeyArray::Functions, index); });
    resume.step([&] {
        const double x = m_state.sngOperand1;
        const std::string& function = m_state.strFunction;
        if (function == "sqrt") {
            m_state.sngResult = static_cast<float>(squareRoot(x));
        } else if (function == "X2") {
            m_state.sngResult = status.store(status.multiply(x, x));
            status.test();
        } else if (function == "X3") {
            m_state.sngResult = status.store(status.multiply(status.multiply(x, x), x));
            status.test();
        } else if (function == "1/x") {
            m_state.sngResult = status.store(status.divide(1, x));
            status.test();
        } else if (function == "log") {
            const double ln10 = naturalLog(10);
            m_state.sngResult = status.store(status.divide(naturalLog(x), ln10));
            status.test();
        } else if (function == "ln") {
            m_state.sngResult = static_cast<float>(naturalLog(x));
        }
    });
    m_display.setText(numtext::resultText(m_state.sngResult));
    if (resume.number() == numtext::kInvalidProcedureCall)
        m_display.setText(kInvalidInputMessage);
    m_state.blnNewEntry = true;
}

void Calculator::Factorial_Click()
{
    FloatStatus status;
    m_state.sngOperand1 = displayValue(status);
    const float n = m_state.sngOperand1;
    // NaN has no factorial either; it is refused like a negative argument.
    const bool invalid = n < 0 || std::isnan(n);
    if (!invalid) {
        m_state.sngResult = 1;
        try {
            const std::int16_t last = numtext::roundToInteger(n);
            for (int i = 1; i <= last; ++i) {
                m_state.sngResult = status.store(status.multiply(i, m_state.sngResult));
                status.test();
            }
        } catch (const RuntimeError&) {
            // Overflow is the only failure: past 34 the factorial is beyond the Single range.
            m_state.sngResult = std::numeric_limits<float>::infinity();
        }
    }
    m_display.setText(numtext::resultText(m_state.sngResult));
    if (invalid)
        m_display.setText(kInvalidInputMessage);
    m_state.blnNewEntry = true;
}

void Calculator::cmdPi_Click()
{
    m_display.setText("3.14159");
}

} // namespace engine
