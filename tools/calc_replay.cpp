// calc-replay: clicks keys on a real frmCalc and prints the display after each, for checks from a shell.
//   calc-replay [--state] [--screenshot FILE] [KEY...]   (no KEY: whitespace-separated keys on stdin)
#include "ui/calc_window.h"
#include "ui/control_table.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// The object name of the control a key name clicks: key captions, DEG and RAD; "Off" would end the run.
std::optional<QString> controlFor(const std::string& key)
{
    if (key == "DEG")
        return QStringLiteral("optDeg");
    if (key == "RAD")
        return QStringLiteral("optRad");
    for (const ui::ControlRow& row : ui::kControls)
        if (row.kind == ui::Key && row.caption == key && row.name != "cmdQuit")
            return ui::controlName(row);
    return std::nullopt;
}

// %.9g, without the C library's locale.
std::string number(float value)
{
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, double(value), std::chars_format::general, 9).ptr;
    return std::string(text, end);
}

std::string stateLine(const engine::CalculatorState& s)
{
    return "sngOperand1=" + number(s.sngOperand1) + " sngOperand2=" + number(s.sngOperand2) +
           " sngResult=" + number(s.sngResult) + " sngMemory=" + number(s.sngMemory) +
           " strOperator=" + s.strOperator + " blnNewEntry=" + (s.blnNewEntry ? "1" : "0");
}

} // namespace

int main(int argc, char* argv[])
{
    bool withState = false;
    std::string screenshot;
    std::vector<std::string> keys;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--state")
            withState = true;
        else if (arg == "--screenshot" && first + 1 < argc)
            screenshot = argv[++first];
        else
            break;
    }
    if (first < argc)
        keys.assign(argv + first, argv + argc);
    else
        for (std::string word; std::cin >> word;)
            keys.push_back(word);

    std::vector<QString> controls;
    for (const std::string& key : keys) {
        const std::optional<QString> control = controlFor(key);
        if (!control) {
            std::cerr << "calc-replay: unknown key \"" << key << "\"\n";
            return 2;
        }
        controls.push_back(*control);
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1; // the keys are ours, not Qt's options
    QApplication app(qtArgc, argv);
    ui::CalcWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::cerr << "calc-replay: the window was not shown\n";
        return 1;
    }
    for (const QString& control : controls) {
        QTest::mouseClick(window.findChild<QWidget*>(control), Qt::LeftButton);
        std::cout << window.displayText();
        if (withState)
            std::cout << '\t' << stateLine(window.state());
        std::cout << '\n';
    }
    if (!screenshot.empty() && !window.grab().save(QString::fromLocal8Bit(screenshot.c_str()), "PNG")) {
        std::cerr << "calc-replay: cannot write " << screenshot << '\n';
        return 1;
    }
    return 0;
}
