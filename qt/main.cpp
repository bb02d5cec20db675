// Start-up: the window is the whole program; it ends when the window is closed or File > Exit is chosen.
#include "qt/calc_window.h"
#include "qt/startup.h"

#include "form/translation.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    // First: the lines printed when no display opens are in the user's language too.
    qtui::useLanguage(form::environmentLanguages());
    qtui::prepareStartup();
    qtui::holdStartupMessages();
    QApplication app(argc, argv);
    qtui::translateShortcuts();
    qtui::releaseStartupMessages();
    // On X11 the platform and input-method plugins are loaded by now; the window needs no other plugin,
    // and the image-format ones (gif, ico, jpeg) would otherwise be loaded just to read Qt's own PNG
    // icons. Wayland loads its shell and decoration plugins when the window is created.
    if (QGuiApplication::platformName() == QLatin1StringView("xcb"))
        QCoreApplication::setLibraryPaths({});
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.calculatordevs.Calculator"));
    qtui::CalcWindow window;
    window.show();
    // Reading the icon files loads the image plugins: not needed before the window is on screen.
    qtui::afterFirstFrame(&window, [&window] {
        QIcon icon;
        for (const int size : {16, 32, 48})
            icon.addFile(QStringLiteral(":/icons/calculator-%1.png").arg(size), QSize(size, size));
        window.setWindowIcon(icon);
    });
    return app.exec();
}
