// Environment defaults read by Qt when the QApplication is built.
#include "qt/startup.h"

#include "form/translation.h"

#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qtui {
namespace {

void setDefault(const char* name, const char* value)
{
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, QByteArray(value));
}

class FirstFrameWatch : public QObject {
  public:
    FirstFrameWatch(QWidget* window, std::function<void()> work)
        : QObject(window), m_window(window), m_work(std::move(work))
    {
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint) {
            m_window->removeEventFilter(this);
            // Queued, so that it runs once this paint has reached the screen.
            QTimer::singleShot(0, m_window, std::move(m_work));
            deleteLater();
        }
        return false;
    }

  private:
    QWidget* m_window;
    std::function<void()> m_work;
};

// Qt's messages while the QApplication is built, held until it is known whether a display opened. A
// message handler may be called from any thread.
std::mutex heldLock;
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QStringList unopenedDisplays;         // "X display :99", "Wayland display wayland-0"
QtMessageHandler qtHandler = nullptr; // Qt's own when none was installed: never null once held

// Qt's AT-SPI bridge warns about each event a screen reader listens for that Qt does not send (Orca 48:
// window:destroy, which Qt 6.8 lacks), again whenever the reader's listeners change, as they do with each
// dialog. The reader just never gets that event; nothing is wrong with the program.
bool unsentEventWarning(QtMsgType type, const char* category, const QString& text)
{
    return type == QtWarningMsg && category && std::string_view(category) == "qt.accessibility.atspi" &&
           text.startsWith(QLatin1StringView("Subscription string not handled:"));
}

// A catalogue text with its one %s replaced (no printf: the format is the translator's).
QString translated(std::string_view english, const QString& value = {})
{
    const std::string_view text = form::tr(english);
    return QString::fromUtf8(text.data(), qsizetype(text.size())).replace(QLatin1StringView("%s"), value);
}

void passOnMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!unsentEventWarning(type, context.category, text))
        qtHandler(type, context, text);
}

// A held message, of which only the category was kept.
void passOn(QtMsgType type, const char* category, const QString& text)
{
    passOnMessage(type, QMessageLogContext(nullptr, 0, nullptr, category), text);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const std::string category = context.category ? context.category : "default";
    std::unique_lock lock(heldLock);
    if (category == "qt.qpa.xcb" && text.startsWith(QLatin1StringView("could not connect to display"))) {
        const QString name = text.section(QLatin1Char(' '), 5).trimmed();
        // TRANSLATORS: printed on standard error when no X server answers, in "cannot open %s"; any length.
        unopenedDisplays << (name.isEmpty() ? translated(N_("an X display (DISPLAY is not set)"))
                                            // TRANSLATORS: as above; %s: the display's name, ":0".
                                            : translated(N_("X display %s"), name));
    } else if (text.startsWith(QLatin1StringView("Failed to create wl_display"))) {
        const QString name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
        // TRANSLATORS: as above; %s: the display's name, "wayland-0".
        unopenedDisplays << translated(N_("Wayland display %s"), name);
    }
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, category, text});
        return;
    }
    if (!unopenedDisplays.isEmpty()) {
        // Qt would abort and suggest reinstalling; the program is fine, the display is missing.
        // TRANSLATORS: joins two displays in "cannot open %s": "X display :0 or Wayland display wayland-0".
        const QString displays = unopenedDisplays.join(translated(N_(" or ")));
        const QString line = translated(
            // TRANSLATORS: printed on standard error when the program cannot start; %s: the displays tried.
            N_("calculator: cannot open %s; run it on an X11 or Wayland desktop"), displays);
        std::fprintf(stderr, "%s\n", qPrintable(line));
        std::fflush(stderr);
        std::_Exit(1);
    }
    lock.unlock();
    releaseStartupMessages();
    passOn(type, category.c_str(), text); // and Qt aborts
}

} // namespace

// The desktops for which Qt picks its GTK theme.
bool onGtkDesktop()
{
    const QByteArray desktops = qgetenv("XDG_CURRENT_DESKTOP").toUpper();
    for (const QByteArray& desktop : desktops.split(':'))
        for (const char* gtk : {"GNOME", "X-CINNAMON", "UNITY", "MATE", "XFCE", "LXDE"})
            if (desktop == gtk)
                return true;
    return false;
}

void holdStartupMessages()
{
    qtHandler = qInstallMessageHandler(holdMessage);
}

void releaseStartupMessages()
{
    qInstallMessageHandler(passOnMessage);
    std::unique_lock lock(heldLock);
    const std::vector<HeldMessage> held = std::exchange(heldMessages, {});
    lock.unlock();
    for (const HeldMessage& message : held)
        passOn(message.type, message.category.c_str(), message.text);
}

void afterFirstFrame(QWidget* window, std::function<void()> work)
{
    new FirstFrameWatch(window, std::move(work));
}

void prepareStartup()
{
    // The keypad takes no typed text; without a configured input method Qt would load the compose
    // plugin and its table. QT_IM_MODULE set by the desktop (ibus, fcitx) is kept.
    setDefault("QT_IM_MODULE", "none");
    // Widgets painted in software only: no GLX/EGL integration to load and probe.
    setDefault("QT_XCB_GL_INTEGRATION", "none");
    // Without a session bus libdbus would autolaunch a bus daemon (dbus-launch) just for the
    // accessibility check; a screen reader without a session bus publishes its bus on the X root
    // window (AT_SPI_BUS), which Qt still reads.
    setDefault("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    // On GTK-based desktops Qt would load its GTK theme, and GTK with it, before the first frame (about
    // 60 ms and 13 MiB) for the font of the menu bar and the About box alone: the keypad's look is fixed.
    // A theme the user names in QT_QPA_PLATFORMTHEME is still loaded.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORMTHEME") && onGtkDesktop())
        QGuiApplication::setDesktopSettingsAware(false);
}

} // namespace qtui
