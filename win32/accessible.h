// Screen readers' view of the window: each control's name and role from the control table, and the
// display's changes announced.
#pragma once

#include "form/control_table.h"

#include <windows.h>

namespace winui {

// WM_GETOBJECT for a control made from `row`: its client object, named and given the role of its kind, and
// for the display its UI Automation provider; 0 for the other objects, which the system serves.
LRESULT answerGetObject(HWND control, const form::ControlRow& row, WPARAM wParam, LPARAM lParam);

// The control is going: UI Automation clients let go of what answerGetObject gave them.
void forgetAccessible(HWND control);

// COM for this thread, apartment-threaded, as the accessible objects need it; false if it did not start.
// Ended by endCom.
bool beginCom();
void endCom();

// The display is a polite live region: its changes are spoken after what the reader is saying.
void makeLiveRegion(HWND display);

// The display's text changed: a reader listening speaks its name, the new text.
void announceChange(HWND display);

} // namespace winui
