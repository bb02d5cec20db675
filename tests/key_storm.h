// Key storms: every key of the keypad played in any order, with the state's invariants checked after each.
#pragma once

#include "fake_display.h"

#include "numtext/runtime_error.h"

#include <array>
#include <string>

namespace testing_support {

// The order numbers the keys of the fuzz corpus: append, never reorder.
inline constexpr std::array<const char*, 37> kStormKeys = {
    "0",  "1",  "2",   "3",   "4",   "5",   "6",   "7",    "8",  "9",  ".",   "+/-", "CE",
    "C",  "+",  "-",   "/",   "*",   "Xy",  "=",   "sqrt", "X2", "X3", "1/x", "log", "ln",
    "n!", "pi", "cos", "tan", "sin", "DEG", "RAD", "M",    "M+", "MR", "MC"};

// A keypad that plays keys by number and says what went wrong after each.
struct KeyStorm {
    Keypad pad;
    std::string keys; // all played so far

    // Presses kStormKeys[key % size]; returns a description of the first broken invariant, or "".
    std::string play(std::size_t key)
    {
        const std::string caption = kStormKeys[key % kStormKeys.size()];
        keys += caption + " ";
        try {
            pad.press(caption);
        } catch (const numtext::RuntimeError& error) {
            return caption + " let " + error.what() + " escape";
        }
        const engine::CalculatorState& s = pad.calc.state();
        const std::string& op = s.strOperator;
        if (!(op.empty() || op == "+" || op == "-" || op == "/" || op == "*" || op == "Xy"))
            return caption + " left strOperator \"" + op + "\"";
        if (pad.window.display.empty() || pad.window.option[0] == pad.window.option[1])
            return caption + " left the display empty, or DEG and RAD both selected or both clear";
        if (caption == "C" && !(s.sngOperand1 == 0 && s.sngOperand2 == 0 && s.sngResult == 0 && op.empty() &&
                                pad.window.display == "0" && s.blnNewEntry))
            return "C did not restore the cleared state";
        if (caption == "=" && !(op.empty() && s.blnNewEntry))
            return "= left an operation pending or a number being typed";
        return {};
    }
};

} // namespace testing_support
