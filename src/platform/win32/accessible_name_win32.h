#pragma once

// A system control with a name of the program's choosing for screen readers. A button is
// named by its own text, which for the settings window's mouse boxes is only their value
// ("None"); the name a screen reader needs says what the button is for. The system's own
// accessible object of the control stays in charge of everything else (role, state,
// default action), so the control behaves for a screen reader as before.

#include <windows.h>

#include <string>

namespace tessary {

// Gives `control` the accessible name `name` (again: replaces it) until the control is
// destroyed; a screen reader that follows the control hears the change. False when the
// control could not be subclassed.
bool SetControlAccessibleName(HWND control, const std::wstring& name);

}  // namespace tessary
