// Environment defaults read by Qt when the QApplication is built.
#include "ui/startup.h"

#include <QByteArray>
#include <QtGlobal>

namespace ui {
namespace {

void setDefault(const char* name, const char* value)
{
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, QByteArray(value));
}

} // namespace

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
