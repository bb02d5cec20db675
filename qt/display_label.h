// The display label: a text wider than it shows its newest digits, and each change is told to screen readers.
#pragma once

#include <string_view>

class QLabel;
class QString;

namespace qtui {

// Shows `text` right-aligned in the label, its left part cut behind an ellipsis where it does not fit; a
// screen reader's review of the window reads the whole text.
void showWhole(QLabel& display, std::string_view text);

// Before Qt 6.8, which has no announcement event: an invisible widget behind the display that carries
// announcements to screen readers. From 6.8 on it does nothing.
void addAnnouncer(QLabel& display);

// Tells a listening screen reader `spoken`, politely where Qt can.
void announce(QLabel& display, const QString& spoken);

} // namespace qtui
