#pragma once

// The one place that asks Windows for the foreground. Windows gives it only to a process
// that received the last input (a hotkey it handles, a click on one of its windows), to
// one that such a process allowed (AllowSetForegroundWindow), or while nobody is in the
// foreground; any other request is refused and the task bar button flashes instead. The
// answer is checked, so a caller whose request was refused can keep its window usable
// with the mouse instead of pretending the keys reach it.

#include <windows.h>

namespace tessary {

// SetForegroundWindow, checked by reading the foreground window back; with `focus`, then
// SetFocus (only the program's own windows can take it). False when refused.
bool TakeForeground(HWND window, bool focus);

}  // namespace tessary
