#pragma once

// What a user does with the mouse and the keyboard, through the system's input queue.

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace tessary::testing {

// One mouse event for each MOUSEEVENTF_ flag, in order (a zero move: the window under the
// cursor hears that the pointer is there).
inline void SendMouse(std::initializer_list<DWORD> flags) {
  std::vector<INPUT> inputs;
  for (DWORD flag : flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A click at (x, y): the left button unless told otherwise.
inline void SendClick(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN,
                      DWORD up = MOUSEEVENTF_LEFTUP) {
  SetCursorPos(x, y);
  SendMouse({down, up});
}

// A press and release of `key`, with Alt held around it when asked; false when the queue
// refused any of it.
inline bool SendKey(WORD key, bool withAlt = false) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (withAlt) add(VK_MENU, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (withAlt) add(VK_MENU, KEYEVENTF_KEYUP);
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

}  // namespace tessary::testing
