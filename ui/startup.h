// Start-up settings that keep work the window does not need out of the time before its first frame.
#pragma once

#include <functional>

class QWidget;

namespace ui {

// Call first in main(), before the QApplication exists: it only fills in environment defaults that
// the user has not set, so a configured input method, GL or screen reader setup still wins.
void prepareStartup();

// Runs work once, right after window has painted its first frame: for what the first frame can do without.
void afterFirstFrame(QWidget* window, std::function<void()> work);

} // namespace ui
