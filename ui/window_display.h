// The engine's view of the window: the display text, the captions of the array keys, DEG and RAD.
#pragma once

#include "engine/calc_display.h"

#include <string>

class QWidget;

namespace ui {

// Before Qt 6.8, which has no announcement event: an invisible widget behind the display that carries
// announcements to screen readers. From 6.8 on it does nothing.
void addAnnouncer(QWidget& display);

class WindowDisplay : public engine::CalcDisplay {
public:
    // Finds the controls among the children of `window` by their names.
    explicit WindowDisplay(QWidget& window) : m_window(window) {}

    std::string text() const override { return m_text; }
    // Tells a listening screen reader the display text if it is no longer `before`: once per key.
    void announceChange(const std::string& before);
    void setText(std::string_view text) override;
    std::string caption(engine::KeyArray keys, std::int16_t index) const override;
    bool optionValue(engine::AngleOption option) const override;
    void setOptionValue(engine::AngleOption option, bool value) override;

private:
    QWidget& m_window;
    std::string m_text; // the whole text; the label may show only its right end
};

} // namespace ui
