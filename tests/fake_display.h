// A window for engine tests: a display string, the designed key captions and the two option buttons.
#pragma once

#include "engine/calc_display.h"
#include "engine/calculator.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <stdexcept>
#include <string>

namespace testing_support {

class FakeDisplay : public engine::CalcDisplay {
public:
    std::string display = "0";
    bool deg = true, rad = false;

    std::string text() const override { return display; }
    void setText(std::string_view text) override { display = text; }
    std::string caption(engine::KeyArray keys, std::int16_t index) const override
    {
        static constexpr std::array<const char*, 5> kOperator = {"+", "-", "/", "*", "Xy"};
        static constexpr std::array<const char*, 6> kFunctions = {"sqrt", "X2", "X3", "1/x", "log", "ln"};
        static constexpr std::array<const char*, 3> kTrig = {"cos", "tan", "sin"};
        switch (keys) {
        case engine::KeyArray::Operator:
            return kOperator.at(index);
        case engine::KeyArray::Functions:
            return kFunctions.at(index);
        case engine::KeyArray::Trig:
            return kTrig.at(index);
        }
        return {};
    }
    bool optionValue(engine::AngleOption option) const override
    {
        return option == engine::AngleOption::Deg ? deg : rad;
    }
    void setOptionValue(engine::AngleOption option, bool value) override
    {
        (option == engine::AngleOption::Deg ? deg : rad) = value;
    }
};

// A calculator on a fake window, driven by key captions as the user reads them on the keypad.
class Keypad {
public:
    FakeDisplay window;
    engine::Calculator calc{window};

    Keypad() { calc.Form_Load(); }

    // Presses one key by its caption; returns false for an unknown caption.
    bool press(const std::string& key)
    {
        static constexpr std::array<const char*, 5> kOperator = {"+", "-", "/", "*", "Xy"};
        static constexpr std::array<const char*, 6> kFunctions = {"sqrt", "X2", "X3", "1/x", "log", "ln"};
        static constexpr std::array<const char*, 3> kTrig = {"cos", "tan", "sin"};
        if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') {
            calc.Digit_Click(static_cast<std::int16_t>(key[0] - '0'));
            return true;
        }
        for (std::size_t i = 0; i < kOperator.size(); ++i)
            if (key == kOperator[i]) {
                calc.Operator_Click(static_cast<std::int16_t>(i));
                return true;
            }
        for (std::size_t i = 0; i < kFunctions.size(); ++i)
            if (key == kFunctions[i]) {
                calc.Functions_Click(static_cast<std::int16_t>(i));
                return true;
            }
        for (std::size_t i = 0; i < kTrig.size(); ++i)
            if (key == kTrig[i]) {
                calc.Trig_Click(static_cast<std::int16_t>(i));
                return true;
            }
        if (key == ".") calc.Decimal_Click();
        else if (key == "+/-") calc.PlusMinus_Click();
        else if (key == "CE") calc.Ceclear_Click();
        else if (key == "C") calc.Clear_Click(0);
        else if (key == "=") calc.Egalite_Click();
        else if (key == "n!") calc.Factorial_Click();
        else if (key == "pi") calc.cmdPi_Click();
        else if (key == "M") calc.Memory_Click();
        else if (key == "M+") calc.Memoryplus_Click();
        else if (key == "MR") calc.Memoryreturn_Click();
        else if (key == "MC") calc.Memoryclear_Click();
        else if (key == "DEG") { window.deg = true; calc.optDeg_Click(); }
        else if (key == "RAD") { window.rad = true; calc.optRad_Click(); }
        else return false;
        return true;
    }

    // Presses whitespace-separated keys; a digit run such as "12.5" is typed key by key. A word starting
    // with ' puts the rest into the display as it stands ('1E+39, '-_5 with _ for a blank): texts no key
    // sequence can produce.
    const std::string& type(const std::string& keys)
    {
        std::istringstream words(keys);
        for (std::string word; words >> word;) {
            const bool number = word.find_first_not_of("0123456789.") == std::string::npos;
            if (word.front() == '\'') {
                window.display = word.substr(1);
                std::replace(window.display.begin(), window.display.end(), '_', ' ');
            } else if (number)
                for (char c : word) press(std::string(1, c));
            else if (!press(word))
                throw std::invalid_argument("unknown key " + word);
        }
        return window.display;
    }
};

} // namespace testing_support
