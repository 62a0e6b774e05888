#pragma once

// Shift+Z for the whole X11 screen: a passive grab on the root window, so
// that the key reaches this program while another one has the focus (and
// the other programs do not get it). Only on the xcb platform.

#include <functional>

// Whether the program runs on X11 with the grab compiled in.
bool X11KeyGrabAvailable();

// Grabs Shift+Z (with the NumLock and CapsLock variants) and runs `pressed`
// on the window thread at every press. False when the key cannot be had
// (another program holds it) or there is no X11; nothing is grabbed then.
bool GrabShiftZ(std::function<void()> pressed);

// Lets the key go again. Harmless without a grab.
void UngrabShiftZ();
