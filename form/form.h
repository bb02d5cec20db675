// frmCalc without a toolkit: the window the engine sees, each click routed to one operation, and what the
// clipboard and a screen reader are given. Every front-end builds its controls from kControls around one
// Form.
#pragma once

#include "engine/calculator.h"
#include "form/control_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace form {

// What a front-end does for the form: show a change, and the actions that belong to the window itself.
class View {
  public:
    virtual ~View() = default;
    // The whole display text as shown (shownText); the front-end shows as much as fits, the newest digits
    // first.
    virtual void showDisplay(std::string_view text) = 0;
    virtual void showOption(engine::AngleOption option, bool value) = 0;
    // The display changed with a click: spoken once, after what the screen reader is saying.
    virtual void announce(std::string_view spoken) = 0;
    virtual void unload() = 0;    // Off and the close button: the window goes, the program ends
    virtual void end() = 0;       // File > Exit: the program ends at once
    virtual void showAbout() = 0; // modal: returns when the box is closed
    virtual void copy(std::string_view text) = 0; // onto the clipboard
};

class Form final : public engine::CalcDisplay {
  public:
    // The display and the option buttons as kControls creates them, then Form_Load. Nothing is shown yet:
    // the front-end builds its controls from the same table.
    explicit Form(View& view);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // One click, run to its end; a run-time error no operation handles ends that click, never the program.
    // An option button's click selects it first, as the toolkit does before its handler runs.
    void click(Route route, std::int16_t index = 0);
    void click(const ControlRow& row);

    const std::string& displayText() const { return m_text; }
    const engine::CalculatorState& state() const { return m_calc.state(); }

    // engine::CalcDisplay: the display text, the array keys' captions (from kControls), DEG and RAD.
    std::string text() const override { return m_text; }
    void setText(std::string_view text) override;
    std::string caption(engine::KeyArray keys, std::int16_t index) const override;
    bool optionValue(engine::AngleOption option) const override;
    void setOptionValue(engine::AngleOption option, bool value) override;

  private:
    void route(Route route, std::int16_t index);

    View& m_view;
    std::string m_text;
    bool m_options[2]; // by engine::AngleOption
    engine::Calculator m_calc{*this};
};

// The display as the user reads it: a message in the user's language (tr), a number as it stands, since the
// display text is the number's store.
std::string_view shownText(std::string_view display);

// The display as other programs read a number: no blank for the sign (" 5" -> "5", "- 5" -> "-5"); a message
// as it is shown.
std::string clipboardText(std::string_view display);

// What a screen reader says for the display: its shown text without the sign's blank, which is no word.
std::string spokenText(std::string_view display);

// A control's accessible name: its spoken name in the user's language, or its caption where that says it
// already.
std::string_view accessibleName(const ControlRow& row);

// A control's background and text colour on a desktop with these system colours; the text reads on its
// background (WCAG AA) whatever the scheme. Where the desktop asks for more contrast (a contrast theme), every
// control is the theme's button face and text, the fixed colours included: the user chose them.
struct ControlColours {
    Rgb back, fore;
};
ControlColours coloursOf(const ControlRow& row, const SystemColours& system, bool contrast = false);

// A control's name, with its index for an array key ("Digit(2)"): unique in the window.
std::string controlName(const ControlRow& row);

} // namespace form
