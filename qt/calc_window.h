// frmCalc on Qt: the controls built from the control table around one form::Form.
#pragma once

#include "form/form.h"

#include <QMainWindow>

#include <string>

class QLabel;
class QRadioButton;
class QWidget;

namespace qtui {

class DesktopColours;

class CalcWindow : public QMainWindow, private form::View {
  public:
    CalcWindow();

    const engine::CalculatorState& state() const { return m_form.state(); }
    // The whole display text, whatever part of it the label has room to show.
    std::string displayText() const { return m_form.displayText(); }

  private:
    QWidget* buildControl(const form::ControlRow& row, QWidget* parent);
    void buildMenus();
    // Every control in the desktop's colours, or the fixed ones where the table fixes them; again on each change.
    void applyColours();

    void showDisplay(std::string_view text) override;
    void showOption(engine::AngleOption option, bool value) override;
    void announce(std::string_view spoken) override;
    void unload() override;
    void end() override;
    void showAbout() override;
    void copy(std::string_view text) override;

    DesktopColours* m_scheme = nullptr;
    QLabel* m_lblDisplay = nullptr;
    QRadioButton* m_options[2] = {}; // by engine::AngleOption
    form::Form m_form{*this};
};

// The object name of a control: its name, and its index in parentheses for an array key ("Digit(2)").
QString controlName(const form::ControlRow& row);

// Help > About: a modal box crediting the authors; returns when it is closed.
void showAbout(QWidget* parent);

} // namespace qtui
