// The memory register: M, M+, MR and MC.
#include "engine/calculator.h"

#include "numtext/float_status.h"
#include "numtext/numtext.h"
#include "numtext/runtime_error.h"

#include <cmath>

namespace engine {

void Calculator::Memory_Click()
{
    if (m_state.sngMemory != 0)
        return; // only an empty memory is filled; MC empties it
    try {
        // Strict: a message must not be stored as 0.
        m_state.sngMemory = numtext::textToSingle(m_display.text());
    } catch (const numtext::RuntimeError&) {
        // Not a number, or beyond the Single range: the memory keeps its value.
    }
}

void Calculator::Memoryplus_Click()
{
    try {
        numtext::FloatStatus status;
        const double sum = status.add(numtext::textToDouble(m_display.text()), m_state.sngMemory);
        const float stored = status.store(sum);
        status.test();
        if (std::isfinite(stored)) // an infinite display text would otherwise take over the memory for good
            m_state.sngMemory = stored;
    } catch (const numtext::RuntimeError&) {
        // A text that is no number, or a sum beyond the Single range, loses nothing: the memory stays.
    }
}

void Calculator::Memoryreturn_Click()
{
    m_display.setText(numtext::singleText(m_state.sngMemory));
}

void Calculator::Memoryclear_Click()
{
    m_state.sngMemory = 0;
    m_display.setText("0");
}

} // namespace engine
