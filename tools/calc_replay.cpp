// calc-replay: clicks keys on a real frmCalc (Qt, offscreen unless QT_QPA_PLATFORM says otherwise) and prints
// the display after each, for checks from a shell and for comparing builds.
#include "form/translation.h"
#include "qt/calc_window.h"
#include "qt/startup.h"
#include "tools/replay.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <iostream>

int main(int argc, char* argv[])
{
    const std::optional<replay::Request> request = replay::parse(argc, argv, std::cin);
    if (!request)
        return 2;

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1; // the keys are ours, not Qt's options
    // English, the program's own texts, unless a language is asked for: its output is compared byte for byte.
    if (!request->language.empty())
        qtui::useLanguage(form::localeCandidates(request->language));
    QApplication app(qtArgc, argv);
    qtui::translateShortcuts();
    qtui::CalcWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::cerr << "calc-replay: the window was not shown\n";
        return 1;
    }
    for (const form::ControlRow* key : request->keys) {
        QTest::mouseClick(window.findChild<QWidget*>(qtui::controlName(*key)), Qt::LeftButton);
        std::cout << replay::line(std::string(form::shownText(window.displayText())),
                                  request->withState ? &window.state() : nullptr)
                  << '\n';
    }
    const std::string& screenshot = request->screenshot;
    if (!screenshot.empty() && !window.grab().save(QString::fromLocal8Bit(screenshot.c_str()), "PNG")) {
        std::cerr << "calc-replay: cannot write " << screenshot << '\n';
        return 1;
    }
    return 0;
}
