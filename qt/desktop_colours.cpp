// The desktop's colour scheme: Qt's palette where a desktop theme gives one (Plasma, a theme the user chose),
// the portal's light or dark preference on GNOME-like desktops, whose GTK theme is not loaded, and Windows'
// classic colours elsewhere.
#include "qt/desktop_colours.h"

#include "qt/startup.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QEvent>
#include <QStyle>

namespace qtui {
namespace {

constexpr char kPortal[] = "org.freedesktop.portal.Desktop";
constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
constexpr char kSettings[] = "org.freedesktop.portal.Settings";
constexpr char kAppearance[] = "org.freedesktop.appearance";
constexpr char kGnomeA11y[] = "org.gnome.desktop.a11y.interface";

form::Rgb rgb(const QColor& colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

QColor qcolor(form::Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// A setting of the portal as it stands, unless the portal does not answer at once: a portal not yet running
// is not started for it, which would hold up the first frame.
std::optional<QVariant> portalSetting(const char* group, const char* key)
{
    QDBusMessage read =
        QDBusMessage::createMethodCall(kPortal, kPortalPath, kSettings, QStringLiteral("Read"));
    read << QString::fromLatin1(group) << QString::fromLatin1(key);
    read.setAutoStartService(false);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(read, QDBus::Block, 200);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    QVariant value = reply.arguments().constFirst();
    while (value.canConvert<QDBusVariant>()) // Read wraps the value in one variant more than SettingChanged
        value = value.value<QDBusVariant>().variant();
    return value;
}

form::SystemColours fromPalette(const QPalette& palette)
{
    // Qt has no role for the active border or the workspace: the mid shade between button face and shadow,
    // and the window background, which every scheme keeps apart from its texts.
    return {rgb(palette.color(QPalette::Active, QPalette::WindowText)),
            rgb(palette.color(QPalette::Active, QPalette::Button)),
            rgb(palette.color(QPalette::Active, QPalette::ButtonText)),
            rgb(palette.color(QPalette::Active, QPalette::Mid)),
            rgb(palette.color(QPalette::Active, QPalette::Window))};
}

} // namespace

QPalette paletteOf(const form::SystemColours& colours)
{
    const bool classic = colours == form::kClassicColours;
    QPalette palette = QApplication::style()->standardPalette();
    const QPalette shades(qcolor(colours.buttonFace), qcolor(colours.buttonFace));
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        // The classic style's own bevel shades suit its grey; another face gets shades of its own.
        for (const QPalette::ColorRole role :
             {QPalette::Light, QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow})
            if (!classic)
                palette.setColor(group, role, shades.color(group, role));
        palette.setColor(group, QPalette::Window, qcolor(colours.buttonFace));
        palette.setColor(group, QPalette::WindowText, qcolor(colours.windowText));
        palette.setColor(group, QPalette::Button, qcolor(colours.buttonFace));
        palette.setColor(group, QPalette::ButtonText, qcolor(colours.buttonText));
        palette.setColor(group, QPalette::Text, qcolor(colours.windowText));
        palette.setColor(group, QPalette::Base,
                         classic ? QColor(Qt::white) : qcolor(colours.applicationWorkspace));
    }
    return palette;
}

DesktopColours::DesktopColours(QObject* parent, std::function<void()> changed)
    : QObject(parent), m_changed(std::move(changed))
{
    const bool chosenTheme = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME");
    const bool plasma = qgetenv("XDG_CURRENT_DESKTOP").toUpper().split(':').contains("KDE");
    m_source = chosenTheme || plasma ? Source::Palette : onGtkDesktop() ? Source::Portal : Source::Classic;
    switch (m_source) {
    case Source::Classic:
        read(false);
        break;
    case Source::Palette:
        read(std::nullopt);
        qApp->installEventFilter(this); // the desktop's theme changes the application's palette
        break;
    case Source::Portal:
        readPortal();
        // QtDBus delivers a signal to a slot named by its signature only.
        QDBusConnection::sessionBus().connect(kPortal, kPortalPath, kSettings,
                                              QStringLiteral("SettingChanged"), this,
                                              SLOT(portalSettingChanged(QString, QString, QDBusVariant)));
        break;
    }
}

void DesktopColours::readPortal()
{
    m_dark = portalSetting(kAppearance, "color-scheme").value_or(0).toUInt() == 1; // 1: prefer dark
    // 1: higher contrast, from xdg-desktop-portal 1.20 where a backend serves it; GNOME's own switch anyway.
    m_portalContrast = portalSetting(kAppearance, "contrast").value_or(0).toUInt() == 1;
    m_gnomeContrast = portalSetting(kGnomeA11y, "high-contrast").value_or(false).toBool();
    read(m_dark);
}

void DesktopColours::read(std::optional<bool> dark)
{
    // Asked for only where the desktop serves the settings (dark: its light or dark style, known).
    m_contrast = dark.has_value() && (m_portalContrast || m_gnomeContrast);
    if (!dark) {
        m_colours = fromPalette(QApplication::palette());
        m_palette.reset();
    } else {
        m_colours = m_contrast ? (*dark ? kDarkContrastColours : kContrastColours)
                               : *dark ? kDarkColours : form::kClassicColours;
        m_palette = paletteOf(m_colours);
    }
}

bool DesktopColours::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
        const form::SystemColours before = m_colours;
        read(std::nullopt);
        if (m_colours != before)
            m_changed();
    }
    return false;
}

void DesktopColours::portalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    if (group == QLatin1StringView(kAppearance) && key == QLatin1StringView("color-scheme"))
        m_dark = value.variant().toUInt() == 1;
    else if (group == QLatin1StringView(kAppearance) && key == QLatin1StringView("contrast"))
        m_portalContrast = value.variant().toUInt() == 1;
    else if (group == QLatin1StringView(kGnomeA11y) && key == QLatin1StringView("high-contrast"))
        m_gnomeContrast = value.variant().toBool();
    else
        return;
    read(m_dark);
    m_changed();
}

} // namespace qtui
