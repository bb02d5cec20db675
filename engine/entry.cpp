// Number entry: digits, the decimal point, the sign key, CE and C.
#include "engine/calculator.h"
#include "engine/messages.h"

#include <string>

namespace engine {

void Calculator::Form_Load()
{
    m_state.strOperator.clear();
    m_state.strFunction.clear();
    m_state.strTrig.clear();
    m_state.blnNewEntry = false;
}

void Calculator::Digit_Click(std::int16_t index)
{
    if (m_state.blnNewEntry) {
        m_display.setText("0");
        m_state.blnNewEntry = false;
    }
    std::string text = m_display.text();
    if (text == "0")
        text.clear(); // the first digit replaces a lone zero
    text += std::to_string(index);
    m_display.setText(text);
}

void Calculator::Decimal_Click()
{
    if (m_state.blnNewEntry) {
        m_display.setText("0.");
        m_state.blnNewEntry = false;
        return;
    }
    const std::string text = m_display.text();
    if (text.find('.') == std::string::npos) {
        m_display.setText(text + ".");
        m_state.blnNewEntry = false;
    }
}

void Calculator::PlusMinus_Click()
{
    const std::string text = m_display.text();
    if (isMessage(text))
        return;
    // Toggles, so that a negative number can be made positive again.
    m_display.setText(!text.empty() && text.front() == '-' ? text.substr(1) : "-" + text);
    m_state.blnNewEntry = false;
}

void Calculator::Ceclear_Click()
{
    m_display.setText("0");
    m_state.blnNewEntry = true;
}

void Calculator::Clear_Click(std::int16_t /*index*/)
{
    m_state.sngOperand1 = 0;
    m_state.sngOperand2 = 0;
    m_state.sngResult = 0;
    m_display.setText("0");
    m_state.strOperator.clear();
    m_state.blnNewEntry = true;
}

} // namespace engine
