#pragma once

// Shift+Z, the key that hides and shows both windows from anywhere.
//
// Registrations follow one list of callbacks (HotKeyCallbacks): a successful
// registration appends its callback and is known by its 1-based position,
// which keeps growing from one reader window to the next. The key serves the
// latest registration whose window still exists.
//
// On X11 the key is grabbed for the whole screen (NumLock and CapsLock
// variants included), so it works while another program has the focus;
// elsewhere it is a shortcut of the whole application.

#include <QWidget>

#include <functional>

// Registers Shift+Z for `window`: returns the new identifier (number of
// callbacks so far + 1) on success, 0 when the key cannot be had (then the
// list is unchanged).
int RegisterHotKeyCallback(QWidget* window, std::function<void()> callback);

// Drops the registration `id` (the window is going); its callback stays in
// the list. 0 and unknown identifiers are ignored.
void UnregisterHotKey(int id);

// The number of callbacks registered in this run.
int HotKeyCallbackCount();

// Runs the callback of registration `id` as the key would (an identifier
// without a callback does nothing). Returns whether one ran.
bool RunHotKeyCallback(int id);
