#pragma once

// Messages the backend posts to the program's main window from its own threads and
// hooks. The main window's procedure hands them to Win32Platform::HandleMainWindowMessage.

#include <windows.h>

namespace tessary {

// The Escape hook thread saw an Escape press that it kept from the applications.
inline constexpr UINT kEscapePressedMessage = WM_APP + 14;

}  // namespace tessary
