// The calculator's variables; field names are the window's form-level variables.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace engine {

struct CalculatorState {
    float sngOperand1 = 0, sngOperand2 = 0, sngResult = 0, sngMemory = 0;
    std::variant<std::monostate, double, std::int16_t> varAngleFactor; // empty until the first trig key
    std::string strOperator, strFunction, strTrig;
    bool blnNewEntry = false;
};

} // namespace engine
