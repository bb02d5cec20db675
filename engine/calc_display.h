// Everything the engine may see of the window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

enum class KeyArray { Operator, Functions, Trig };
enum class AngleOption { Deg, Rad };

class CalcDisplay {
public:
    virtual ~CalcDisplay() = default;
    virtual std::string text() const = 0; // caption of lblDisplay
    virtual void setText(std::string_view text) = 0;
    virtual std::string caption(KeyArray keys, std::int16_t index) const = 0;
    virtual bool optionValue(AngleOption option) const = 0; // optDeg / optRad
    virtual void setOptionValue(AngleOption option, bool value) = 0;
};

} // namespace engine
