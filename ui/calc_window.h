// frmCalc: the calculator's one window, built from the control table, routing each click to the engine.
#pragma once

#include "engine/calculator.h"
#include "ui/control_table.h"
#include "ui/window_display.h"

#include <QMainWindow>

#include <cstdint>
#include <string>

class QWidget;

namespace ui {

class CalcWindow : public QMainWindow {
public:
    CalcWindow();

    const engine::CalculatorState& state() const { return m_calc.state(); }
    // The whole display text, whatever part of it the label has room to show.
    std::string displayText() const { return m_display.text(); }

private:
    QWidget* buildControl(const ControlRow& row, QWidget* parent);
    void buildMenus();
    void dispatch(Route route, std::int16_t index);

    WindowDisplay m_display{*this};
    engine::Calculator m_calc{m_display};
};

// The object name of a control: its name, and its index in parentheses for an array key ("Digit(2)").
QString controlName(const ControlRow& row);

// Help > About: a modal box crediting the authors; returns when it is closed.
void showAbout(QWidget* parent);

} // namespace ui
