// Start-up settings that keep work the window does not need out of the time before its first frame.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace qtui {

// Call first in main(), before the QApplication exists: it only fills in environment defaults that
// the user has not set, so a configured input method, GL or screen reader setup still wins.
void prepareStartup();

// Around building the QApplication: Qt's messages are held back, and passed on by the release. If no
// display can be opened, the program says which in one line and exits with status 1. Held or not, Qt's
// warning about screen-reader events it does not send is dropped.
void holdStartupMessages();
void releaseStartupMessages();

// Whether the desktop is one for which Qt would pick its GTK theme (GNOME, Cinnamon, MATE, Xfce, ...).
bool onGtkDesktop();

// Loads the catalogue of the first of `languages` (form::environmentLanguages()) found beside the program
// (the build tree: DIR/locale) or under its install prefix (DIR/../share/locale). Returns it; "": English.
std::string useLanguage(const std::vector<std::string>& languages);
// Qt's names of a shortcut's modifiers ("Ctrl") from the catalogue; once the QApplication exists.
void translateShortcuts();

// Runs work once, right after window has painted its first frame: for what the first frame can do without.
void afterFirstFrame(QWidget* window, std::function<void()> work);

} // namespace qtui
