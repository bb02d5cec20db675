// Start-up: the window is the whole program; it ends when the window is closed or File > Exit is chosen.
#include "ui/calc_window.h"
#include "ui/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    ui::prepareStartup();
    QApplication app(argc, argv);
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.calculatordevs.Calculator"));
    ui::CalcWindow window;
    window.show();
    return app.exec();
}
