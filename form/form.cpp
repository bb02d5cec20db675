// frmCalc without a toolkit: the engine's window and the routing of clicks.
#include "form/form.h"

#include "engine/messages.h"
#include "form/translation.h"
#include "numtext/runtime_error.h"

#include <algorithm>
#include <exception>

namespace form {
namespace {

// The engine's messages, for the catalogue: the engine itself writes and reads the English.
constexpr std::string_view kMessages[] = {
    // TRANSLATORS: shown in the display after a division by zero, in place of the number; the display
    // shows about 26 characters of bold type, 12 of Chinese or Japanese: no longer than the English.
    N_("Cannot divide by 0"),
    // TRANSLATORS: shown in the display when a function key has no result for the number (sqrt of -1, say),
    // in place of the number; as above, about 26 characters, 12 of Chinese or Japanese.
    N_("Invalid input for function"),
};
static_assert(kMessages[0] == engine::kDivideByZeroMessage && kMessages[1] == engine::kInvalidInputMessage);

const ControlRow& rowNamed(std::string_view name)
{
    return *std::ranges::find(kControls, name, &ControlRow::name);
}

} // namespace

Form::Form(View& view)
    : m_view(view), m_text(rowNamed("lblDisplay").caption), m_options{true, false} // DEG selected at start
{
    m_calc.Form_Load();
}

void Form::click(const ControlRow& row)
{
    const RouteRow route = routeOf(row.name);
    click(route.route, route.passesIndex ? row.index : std::int16_t{0});
}

void Form::click(Route route, std::int16_t index)
{
    std::string before;
    try {
        before = m_text;
        this->route(route, index);
    } catch (const numtext::RuntimeError&) {
        // An error the operation does not handle ends that key only; the state stays as it left it.
    } catch (const std::exception&) {
        // Nothing may unwind into the toolkit's event loop (out of memory on an endless entry, say).
    }
    try {
        if (m_text != before)
            m_view.announce(spokenText(m_text));
    } catch (const std::exception&) {
        // Out of memory: the next key announces again.
    }
}

void Form::route(Route route, std::int16_t index)
{
    // clang-format off
    switch (route) {
    case Route::None: break;
    case Route::Digit: m_calc.Digit_Click(index); break;
    case Route::Decimal: m_calc.Decimal_Click(); break;
    case Route::PlusMinus: m_calc.PlusMinus_Click(); break;
    case Route::Ceclear: m_calc.Ceclear_Click(); break;
    case Route::Clear: m_calc.Clear_Click(index); break;
    case Route::Operator: m_calc.Operator_Click(index); break;
    case Route::Egalite: m_calc.Egalite_Click(); break;
    case Route::Functions: m_calc.Functions_Click(index); break;
    case Route::Factorial: m_calc.Factorial_Click(); break;
    case Route::cmdPi: m_calc.cmdPi_Click(); break;
    case Route::Trig: m_calc.Trig_Click(index); break;
    case Route::optDeg: setOptionValue(engine::AngleOption::Deg, true); m_calc.optDeg_Click(); break;
    case Route::optRad: setOptionValue(engine::AngleOption::Rad, true); m_calc.optRad_Click(); break;
    case Route::Memory: m_calc.Memory_Click(); break;
    case Route::Memoryplus: m_calc.Memoryplus_Click(); break;
    case Route::Memoryreturn: m_calc.Memoryreturn_Click(); break;
    case Route::Memoryclear: m_calc.Memoryclear_Click(); break;
    case Route::cmdQuit: m_view.unload(); break;
    case Route::mnuFExit: m_view.end(); break;
    case Route::mnuHAbout: m_view.showAbout(); break;
    case Route::mnuCopy: m_view.copy(clipboardText(m_text)); break;
    }
    // clang-format on
}

void Form::setText(std::string_view text)
{
    m_text = text;
    m_view.showDisplay(shownText(m_text));
}

std::string Form::caption(engine::KeyArray keys, std::int16_t index) const
{
    const std::string_view array = keys == engine::KeyArray::Operator    ? "Operator"
                                   : keys == engine::KeyArray::Functions ? "Functions"
                                                                         : "Trig";
    for (const ControlRow& row : kControls)
        if (row.name == array && row.index == index)
            return std::string(row.caption);
    return {}; // no such key: no keyword matches
}

bool Form::optionValue(engine::AngleOption option) const
{
    return m_options[static_cast<int>(option)];
}

void Form::setOptionValue(engine::AngleOption option, bool value)
{
    m_options[static_cast<int>(option)] = value;
    m_view.showOption(option, value);
}

std::string_view shownText(std::string_view display)
{
    return engine::isMessage(display) ? tr(display) : display;
}

std::string clipboardText(std::string_view display)
{
    if (engine::isMessage(display))
        return std::string(tr(display));
    std::string text(display);
    std::erase(text, ' ');
    return text;
}

std::string spokenText(std::string_view display)
{
    display = shownText(display);
    const auto first = display.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = display.find_last_not_of(" \t\r\n");
    return std::string(display.substr(first, last - first + 1));
}

std::string_view accessibleName(const ControlRow& row)
{
    return row.spoken.empty() ? row.caption : tr(row.spoken);
}

ControlColours coloursOf(const ControlRow& row, const SystemColours& system, bool contrast)
{
    if (contrast)
        return {system.buttonFace, system.buttonText};
    const Rgb back = resolve(row.back, system);
    return {back, readable(resolve(row.fore, system), back)};
}

std::string controlName(const ControlRow& row)
{
    std::string name(row.name);
    if (row.index != kNoIndex)
        name += "(" + std::to_string(row.index) + ")";
    return name;
}

} // namespace form
