// Start-up settings: the user's own environment wins, and Qt's messages held at start are passed on.
#include "ui/startup.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

struct DesktopCase {
    const char* name;
    const char* desktop;
    const char* theme; // QT_QPA_PLATFORMTHEME, or nullptr for unset
    bool aware;        // Qt loads the desktop's own theme
};

class Startup : public testing::TestWithParam<DesktopCase> {};

TEST_P(Startup, KeepsTheUsersSettings)
{
    const DesktopCase& c = GetParam();
    qputenv("QT_IM_MODULE", "ibus");
    qunsetenv("QT_XCB_GL_INTEGRATION");
    qputenv("XDG_CURRENT_DESKTOP", c.desktop);
    c.theme ? qputenv("QT_QPA_PLATFORMTHEME", c.theme) : qunsetenv("QT_QPA_PLATFORMTHEME");
    QGuiApplication::setDesktopSettingsAware(true);
    ui::prepareStartup();
    EXPECT_EQ(qgetenv("QT_IM_MODULE"), "ibus");
    EXPECT_EQ(qgetenv("QT_XCB_GL_INTEGRATION"), "none");
    EXPECT_EQ(QGuiApplication::desktopSettingsAware(), c.aware);
}

INSTANTIATE_TEST_SUITE_P(Desktops, Startup,
                         testing::Values(DesktopCase{"Gnome", "GNOME", nullptr, false},
                                         DesktopCase{"UbuntuGnome", "ubuntu:GNOME", nullptr, false},
                                         DesktopCase{"GnomeThemeChosen", "GNOME", "gtk3", true},
                                         DesktopCase{"Plasma", "KDE", nullptr, true}),
                         [](const auto& info) { return std::string(info.param.name); });

QStringList seen;
void record(QtMsgType, const QMessageLogContext&, const QString& text)
{
    seen << text;
}

TEST(StartupMessages, ArePassedOnOnceQtIsUp)
{
    const QtMessageHandler before = qInstallMessageHandler(record);
    ui::holdStartupMessages();
    qWarning("held");
    EXPECT_TRUE(seen.isEmpty());
    ui::releaseStartupMessages();
    qWarning("direct");
    qInstallMessageHandler(before);
    EXPECT_EQ(seen, QStringList({"held", "direct"}));
}

} // namespace
