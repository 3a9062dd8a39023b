#pragma once

// The cursor, the mouse buttons and the keys as the drag tracking polls them, and the
// Escape watch that runs for the length of a drag.

#include <cstdint>
#include <functional>

#include "base/geometry.h"

namespace tessary {

// Virtual keys the program asks about, with the system's VK_* values.
enum class Key : std::uint8_t {
  kLeftButton = 0x01,     // VK_LBUTTON
  kRightButton = 0x02,    // VK_RBUTTON
  kMiddleButton = 0x04,   // VK_MBUTTON
  kBackButton = 0x05,     // VK_XBUTTON1
  kForwardButton = 0x06,  // VK_XBUTTON2
  kTab = 0x09,            // VK_TAB
  kEnter = 0x0D,          // VK_RETURN
  kShift = 0x10,          // VK_SHIFT
  kControl = 0x11,        // VK_CONTROL
  kAlt = 0x12,            // VK_MENU
  kEscape = 0x1B,         // VK_ESCAPE
  kLeftWindows = 0x5B,    // VK_LWIN
};

class Input {
 public:
  virtual ~Input() = default;

  // GetCursorPos, converted to doubles.
  virtual Point CursorPosition() = 0;
  // GetAsyncKeyState(key) < 0: the key or button is down right now.
  virtual bool IsKeyDown(Key key) = 0;

  // The Escape watch: a low-level keyboard hook (on its own thread on Windows) that
  // swallows every Escape press and release not injected by this program (see
  // KeyInjector's tag) and reports each press by calling onEscape later on the main
  // thread, from the message loop (WM_APP+14). Escape with Alt passes through. Starting
  // an already running watch only replaces the handler. False when the hook cannot be
  // installed.
  virtual bool StartEscapeWatch(std::function<void()> onEscape) = 0;
  // Removes the hook; Escape reaches applications again.
  virtual void StopEscapeWatch() = 0;
};

}  // namespace tessary
