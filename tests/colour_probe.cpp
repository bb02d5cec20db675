// colour_probe WINDOW classic|dark|gnome-dark|contrast: reads a calculator window off the X server as another
// program sees it and checks its colours; prints each failure, exit status 1 if any.
#include "colour_check.h"
#include "qt/desktop_colours.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: colour_probe WINDOW classic|dark|gnome-dark|contrast [SAVE.png]\n");
        return 2;
    }
    const QString mode = QString::fromLatin1(argv[2]);
    const QImage image = QGuiApplication::primaryScreen()
                             ->grabWindow(QString::fromLatin1(argv[1]).toULongLong(nullptr, 0))
                             .toImage();
    if (argc > 3)
        image.save(QString::fromLocal8Bit(argv[3]));
    // The client area is the window's lower part, under the menu bar.
    const int clientTop = image.height() - form::twipsToPixels(form::kClientHeight);
    const std::optional<form::SystemColours> scheme =
        mode == u"classic"      ? std::optional(form::kClassicColours)
        : mode == u"gnome-dark" ? std::optional(qtui::kDarkColours)
        : mode == u"contrast"   ? std::optional(qtui::kContrastColours)
                                : std::nullopt;
    const auto at = [&image](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return form::Rgb{c.red(), c.green(), c.blue()};
    };
    const bool light = mode == u"classic" || mode == u"contrast";
    const auto failures = testing_support::checkColours(at, 0, clientTop, 1, scheme, !light, mode == u"contrast");
    for (const std::string& failure : failures)
        std::fprintf(stderr, "%s\n", failure.c_str());
    return failures.empty() ? 0 : 1;
}
