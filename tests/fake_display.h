// A window for engine tests: a display string, the designed key captions and the two option buttons.
#pragma once

#include "engine/calc_display.h"
#include "engine/calculator.h"

#include <algorithm>
#include <array>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

namespace testing_support {

// The captions of the control arrays, by index.
inline constexpr std::array<const char*, 5> kOperator = {"+", "-", "/", "*", "Xy"};
inline constexpr std::array<const char*, 6> kFunctions = {"sqrt", "X2", "X3", "1/x", "log", "ln"};
inline constexpr std::array<const char*, 3> kTrig = {"cos", "tan", "sin"};

class FakeDisplay : public engine::CalcDisplay {
public:
    std::string display = "0";
    bool deg = true, rad = false;

    std::string text() const override { return display; }
    void setText(std::string_view text) override { display = text; }
    std::string caption(engine::KeyArray keys, std::int16_t index) const override
    {
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
        using C = engine::Calculator;
        static const std::map<std::string, void (C::*)()> kSingleKeys = {
            {".", &C::Decimal_Click},      {"+/-", &C::PlusMinus_Click}, {"CE", &C::Ceclear_Click},
            {"=", &C::Egalite_Click},      {"n!", &C::Factorial_Click},  {"pi", &C::cmdPi_Click},
            {"M", &C::Memory_Click},       {"M+", &C::Memoryplus_Click}, {"MR", &C::Memoryreturn_Click},
            {"MC", &C::Memoryclear_Click}, {"DEG", &C::optDeg_Click},    {"RAD", &C::optRad_Click}};
        const auto inArray = [&](const auto& captions, void (C::*click)(std::int16_t)) {
            const auto at = std::find(captions.begin(), captions.end(), key);
            if (at != captions.end())
                (calc.*click)(static_cast<std::int16_t>(at - captions.begin()));
            return at != captions.end();
        };
        window.deg |= key == "DEG"; // a click selects an option button before its handler runs
        window.rad |= key == "RAD";
        if (key.size() == 1 && key[0] >= '0' && key[0] <= '9')
            calc.Digit_Click(static_cast<std::int16_t>(key[0] - '0'));
        else if (key == "C")
            calc.Clear_Click(0);
        else if (const auto single = kSingleKeys.find(key); single != kSingleKeys.end())
            (calc.*single->second)();
        else
            return inArray(kOperator, &C::Operator_Click) || inArray(kFunctions, &C::Functions_Click) ||
                   inArray(kTrig, &C::Trig_Click);
        return true;
    }

    // Presses whitespace-separated keys; a digit run such as "12.5" is typed key by key. A word starting
    // with ' puts the rest into the display as it stands ('1E+39, '-_5 with _ for a blank): texts no key
    // sequence can produce.
    const std::string& type(const std::string& keys)
    {
        std::istringstream words(keys);
        for (std::string word; words >> word;) {
            if (word.front() == '\'') {
                window.display = word.substr(1);
                std::replace(window.display.begin(), window.display.end(), '_', ' ');
            } else if (word.find_first_not_of("0123456789.") == std::string::npos)
                for (char c : word)
                    press(std::string(1, c));
            else if (!press(word))
                throw std::invalid_argument("unknown key " + word);
        }
        return window.display;
    }
};

} // namespace testing_support
