// Start-up settings: the user's own environment wins, and Qt's messages held at start are passed on.
#include "qt/startup.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

TEST(Startup, KeepsTheUsersSettingsAndSkipsTheGtkThemeUnlessChosen)
{
    // XDG_CURRENT_DESKTOP, QT_QPA_PLATFORMTHEME ("" unset), whether Qt then loads the desktop's theme
    for (const auto& [desktop, theme, aware] : {std::tuple{"GNOME", "", false}, {"ubuntu:GNOME", "", false},
                                                {"GNOME", "gtk3", true}, {"KDE", "", true}}) {
        qputenv("QT_IM_MODULE", "ibus");
        qunsetenv("QT_XCB_GL_INTEGRATION");
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        *theme ? qputenv("QT_QPA_PLATFORMTHEME", theme) : qunsetenv("QT_QPA_PLATFORMTHEME");
        QGuiApplication::setDesktopSettingsAware(true);
        qtui::prepareStartup();
        EXPECT_EQ(qgetenv("QT_IM_MODULE"), "ibus");
        EXPECT_EQ(qgetenv("QT_XCB_GL_INTEGRATION"), "none");
        EXPECT_EQ(QGuiApplication::desktopSettingsAware(), aware) << desktop << " " << theme;
    }
}

QStringList seen;

TEST(Startup, PassesHeldMessagesOnOnceQtIsUp)
{
    const QtMessageHandler before =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { seen << text; });
    qtui::holdStartupMessages();
    qWarning("held");
    EXPECT_TRUE(seen.isEmpty());
    qtui::releaseStartupMessages();
    qWarning("direct");
    qInstallMessageHandler(before);
    EXPECT_EQ(seen, QStringList({"held", "direct"}));
}
