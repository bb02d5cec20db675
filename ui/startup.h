// Start-up settings that keep work the window does not need out of the time before its first frame.
#pragma once

namespace ui {

// Call first in main(), before the QApplication exists: it only fills in environment defaults that
// the user has not set, so a configured input method, GL or screen reader setup still wins.
void prepareStartup();

} // namespace ui
