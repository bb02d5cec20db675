// Start-up: the window is the whole program; it ends when the window is closed or File > Exit is chosen.
#include "ui/calc_window.h"
#include "ui/startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    ui::prepareStartup();
    QApplication app(argc, argv);
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.calculatordevs.Calculator"));
    QIcon icon; // files are only decoded when the window system asks for the icon
    for (const int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/calculator-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    ui::CalcWindow window;
    window.show();
    return app.exec();
}
