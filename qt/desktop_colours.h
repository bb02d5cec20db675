// The desktop's colour scheme on Linux: where it is kept, the system colours it gives, and its live changes.
#pragma once

#include "form/colours.h"

#include <QObject>
#include <QPalette>

#include <functional>
#include <optional>

class QDBusVariant;

namespace qtui {

class DesktopColours : public QObject {
    Q_OBJECT

  public:
    // Reads the scheme before the window is first drawn; `changed` runs whenever it changes afterwards.
    DesktopColours(QObject* parent, std::function<void()> changed);

    form::SystemColours colours() const { return m_colours; }
    // The desktop asks for more contrast: GNOME's high-contrast setting, or the portal's contrast preference.
    bool contrast() const { return m_contrast; }
    // The palette of what Qt draws for the window beyond the keypad (menus, the About box); none where the
    // desktop's own palette already applies.
    std::optional<QPalette> palette() const { return m_palette; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Q_SLOT void portalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);
    void read(std::optional<bool> dark);
    void readPortal();

    enum class Source { Classic, Palette, Portal } m_source;
    std::function<void()> m_changed;
    form::SystemColours m_colours = form::kClassicColours;
    bool m_dark = false, m_contrast = false, m_portalContrast = false, m_gnomeContrast = false;
    std::optional<QPalette> m_palette;
};

// The scheme GNOME's dark style stands for when no palette of the desktop reaches Qt: Adwaita's dark colours.
inline constexpr form::SystemColours kDarkColours{
    {255, 255, 255}, {58, 58, 58}, {255, 255, 255}, {48, 48, 48}, {36, 36, 36}};

// GNOME's high-contrast style, light and dark: black on white, white on black.
inline constexpr form::SystemColours kContrastColours{{0, 0, 0}, {255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}};
inline constexpr form::SystemColours kDarkContrastColours{
    {255, 255, 255}, {0, 0, 0}, {255, 255, 255}, {255, 255, 255}, {0, 0, 0}};

// A Qt palette with these system colours: windows and buttons in the button face, texts in their colours.
QPalette paletteOf(const form::SystemColours& colours);

} // namespace qtui
