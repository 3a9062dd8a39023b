#include "platform/win32/key_injector_win32.h"

#include <windows.h>

namespace tessary {

bool Win32KeyInjector::Send(const std::vector<KeyStroke>& strokes) {
  if (strokes.empty()) return true;
  std::vector<INPUT> inputs(strokes.size());
  for (std::size_t i = 0; i < strokes.size(); ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = static_cast<WORD>(strokes[i].key);
    inputs[i].ki.dwFlags = strokes[i].release ? KEYEVENTF_KEYUP : 0;
    inputs[i].ki.dwExtraInfo = static_cast<ULONG_PTR>(kInjectedKeyTag);
  }
  UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size();
}

}  // namespace tessary
