// Binary operators and equals: a chain evaluated strictly left to right, one operator pending.
#include "engine/calculator.h"
#include "engine/elementary.h"
#include "engine/messages.h"

#include "numtext/float_status.h"
#include "numtext/numtext.h"
#include "numtext/runtime_error.h"

#include <cmath>

namespace engine {

using numtext::FloatStatus;
using numtext::RuntimeError;

namespace {

// The Double power. Raises 5 for a negative base with a fractional exponent; zero to a negative
// exponent and results beyond the Double range are infinities.
double power(double base, double exponent)
{
    if (base < 0 && std::isfinite(base) && std::isfinite(exponent) && !elementary::isInteger(exponent))
        throw RuntimeError(numtext::kInvalidProcedureCall);
    return elementary::pow(base, exponent);
}

} // namespace

float Calculator::displayValue(FloatStatus& status) const
{
    return status.store(numtext::textToNumber(m_display.text()));
}

void Calculator::computePending(FloatStatus& status)
{
    const double a = m_state.sngOperand1, b = m_state.sngOperand2;
    const std::string& op = m_state.strOperator;
    if (op == "+")
        m_state.sngResult = status.store(status.add(a, b));
    else if (op == "-")
        m_state.sngResult = status.store(status.subtract(a, b));
    else if (op == "/")
        m_state.sngResult = status.store(status.divide(a, b));
    else if (op == "*")
        m_state.sngResult = status.store(status.multiply(a, b));
    else if (op == "Xy") {
        m_state.sngResult = static_cast<float>(power(a, b));
        return; // the power has no float status test
    } else
        return; // nothing pending
    status.test();
}

void Calculator::showFailure(int number)
{
    if (number == numtext::kDivisionByZero)
        m_display.setText(kDivideByZeroMessage);
    else if (number == numtext::kInvalidProcedureCall)
        m_display.setText(kInvalidInputMessage);
    else
        m_display.setText(numtext::resultText(m_state.sngResult));
    m_state.strOperator.clear();
    m_state.blnNewEntry = true;
}

void Calculator::Operator_Click(std::int16_t index)
{
    FloatStatus status;
    if (m_state.strOperator.empty()) {
        m_state.sngOperand1 = displayValue(status);
    } else {
        m_state.sngOperand2 = displayValue(status);
        try {
            computePending(status);
        } catch (const RuntimeError& error) {
            // A failed link ends the chain as = would; the key just pressed is not made pending.
            showFailure(error.number());
            return;
        }
        m_display.setText(numtext::resultText(m_state.sngResult));
        m_state.sngOperand1 = m_state.sngResult;
    }
    m_state.strOperator = m_display.caption(KeyArray::Operator, index);
    m_state.blnNewEntry = true;
}

void Calculator::Egalite_Click()
{
    numtext::ResumeNext resume;
    FloatStatus status;
    resume.step([&] { m_state.sngOperand2 = displayValue(status); });
    resume.step([&] {
        if (m_state.strOperator.empty())
            m_state.sngResult = m_state.sngOperand2; // = alone shows the number typed, not an older result
        else
            computePending(status);
    });
    if (resume.number() != 0) {
        showFailure(resume.number());
        return;
    }
    m_display.setText(numtext::resultText(m_state.sngResult));
    m_state.strOperator.clear();
    m_state.blnNewEntry = true;
}

} // namespace engine
