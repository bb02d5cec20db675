// The calculator engine: one public member per key event, working on CalculatorState and the display.
#pragma once

#include "engine/calc_display.h"
#include "engine/calculator_state.h"

#include <cstdint>

namespace numtext {
class FloatStatus;
}

namespace engine {

class Calculator {
public:
    explicit Calculator(CalcDisplay& display) : m_display(display) {}

    void Form_Load();

    // Number entry
    void Digit_Click(std::int16_t index);
    void Decimal_Click();
    void PlusMinus_Click();
    void Ceclear_Click();
    void Clear_Click(std::int16_t index);

    // Binary operators and equals
    void Operator_Click(std::int16_t index);
    void Egalite_Click();

    // Functions, factorial, pi
    void Functions_Click(std::int16_t index);
    void Factorial_Click();
    void cmdPi_Click();

    // Angle mode and trigonometry
    void Trig_Click(std::int16_t index);
    void optDeg_Click();
    void optRad_Click();

    // Memory
    void Memory_Click();
    void Memoryplus_Click();
    void Memoryreturn_Click();
    void Memoryclear_Click();

    const CalculatorState& state() const { return m_state; }

private:
    // Reads the display leniently and rounds to Single; the store goes through status.
    float displayValue(numtext::FloatStatus& status) const;
    // Computes the pending operation into sngResult. Raises 5, 6 or 11.
    void computePending(numtext::FloatStatus& status);
    // Ends a calculation whose pending operation failed with error `number`.
    void showFailure(int number);

    CalcDisplay& m_display;
    CalculatorState m_state;
};

} // namespace engine
