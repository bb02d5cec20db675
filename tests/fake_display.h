// A window for engine tests: the display text, the key captions and the two option buttons.
#pragma once

#include "engine/calculator.h"

#include <array>
#include <sstream>
#include <stdexcept>
#include <string>

namespace testing_support {

using Calc = engine::Calculator;

// The indexed keys: the first three are engine::KeyArray in order, each caption at its index.
inline const std::pair<void (Calc::*)(std::int16_t), std::array<const char*, 10>> kIndexedKeys[] = {
    {&Calc::Operator_Click, {"+", "-", "/", "*", "Xy"}},
    {&Calc::Functions_Click, {"sqrt", "X2", "X3", "1/x", "log", "ln"}},
    {&Calc::Trig_Click, {"cos", "tan", "sin"}},
    {&Calc::Digit_Click, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    {&Calc::Clear_Click, {"C"}}};

struct FakeDisplay : engine::CalcDisplay {
    std::string display = "0";
    bool option[2] = {true, false}; // by engine::AngleOption: DEG, RAD

    std::string text() const override { return display; }
    void setText(std::string_view text) override { display = text; }
    std::string caption(engine::KeyArray keys, std::int16_t index) const override
    {
        return kIndexedKeys[static_cast<int>(keys)].second.at(index);
    }
    bool optionValue(engine::AngleOption o) const override { return option[static_cast<int>(o)]; }
    void setOptionValue(engine::AngleOption o, bool value) override { option[static_cast<int>(o)] = value; }
};

// A calculator on a fake window, driven by the captions on the keypad.
struct Keypad {
    FakeDisplay window;
    Calc calc{window};

    Keypad() { calc.Form_Load(); }

    // Presses one key by its caption; false for an unknown caption.
    bool press(std::string_view key)
    {
        // clang-format off
        static const std::pair<std::string_view, void (Calc::*)()> kKeys[] = {
            {".", &Calc::Decimal_Click}, {"+/-", &Calc::PlusMinus_Click}, {"CE", &Calc::Ceclear_Click},
            {"=", &Calc::Egalite_Click}, {"n!", &Calc::Factorial_Click},  {"pi", &Calc::cmdPi_Click},
            {"M", &Calc::Memory_Click},  {"M+", &Calc::Memoryplus_Click}, {"MR", &Calc::Memoryreturn_Click},
            {"MC", &Calc::Memoryclear_Click}, {"DEG", &Calc::optDeg_Click}, {"RAD", &Calc::optRad_Click}};
        // clang-format on
        window.option[0] |= key == "DEG"; // a click selects its option button before the handler runs
        window.option[1] |= key == "RAD";
        for (const auto& [caption, click] : kKeys)
            if (key == caption)
                return (calc.*click)(), true;
        for (const auto& [click, captions] : kIndexedKeys)
            for (std::size_t i = 0; i < captions.size() && captions[i]; ++i)
                if (key == captions[i])
                    return (calc.*click)(static_cast<std::int16_t>(i)), true;
        return false;
    }

    // Presses whitespace-separated keys; a run such as "12.5" is typed key by key. A word starting with '
    // puts the rest into the display ('1E+400, 'NaN): texts no key sequence can produce.
    const std::string& type(const std::string& keys)
    {
        std::istringstream words(keys);
        for (std::string word; words >> word;)
            if (word[0] == '\'')
                window.display = word.substr(1);
            else if (!press(word))
                for (char c : word)
                    if (!press(std::string_view(&c, 1)))
                        throw std::invalid_argument("unknown key " + word);
        return window.display;
    }
};

} // namespace testing_support
