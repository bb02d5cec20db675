// Environment defaults read by Qt when the QApplication is built.
#include "ui/startup.h"

#include <QByteArray>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

#include <utility>

namespace ui {
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

} // namespace

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
}

} // namespace ui
