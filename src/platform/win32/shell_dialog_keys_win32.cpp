// The message loop's keyboard pre-filter for the program's dialog-like windows. The
// decision is the portable DecideDialogKey; this gathers the facts and carries it out.

#include "platform/dialog_keys.h"
#include "platform/win32/shell_main_window_win32.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

template <std::size_t N>
std::string ClassOf(HWND window) {
  wchar_t name[N] = {};
  if (GetClassNameW(window, name, static_cast<int>(N)) <= 0) return {};
  return Utf8FromBuffer(name);
}

}  // namespace

bool RouteDialogKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.hwnd == nullptr) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (root == nullptr) return false;
  DialogKeyFacts facts;
  facts.rootClass = ClassOf<64>(root);
  // Most keys go to other windows: ask the focus nothing unless the root is ours.
  if (!IsDialogLikeClass(facts.rootClass)) return false;
  facts.virtualKey = static_cast<std::uint32_t>(message.wParam);
  facts.focusClass = ClassOf<32>(message.hwnd);
  if (SameTextIgnoringCase(facts.focusClass, "ComboBox")) {
    facts.comboDroppedDown = SendMessageW(message.hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
  }
  if (SameTextIgnoringCase(facts.focusClass, "Button")) {
    const LONG type = GetWindowLongW(message.hwnd, GWL_STYLE) & 0x0F;
    facts.focusIsPushButton = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
  }
  facts.ctrlDown = GetKeyState(VK_CONTROL) < 0;

  switch (DecideDialogKey(facts)) {
    case DialogKeyAction::kNotHandled:
      return false;
    case DialogKeyAction::kCloseRoot:
      PostMessageW(root, WM_CLOSE, 0, 0);
      return true;
    case DialogKeyAction::kDialogMessage:
      return IsDialogMessageW(root, const_cast<MSG*>(&message)) != FALSE;
    case DialogKeyAction::kClickButton:
      SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    case DialogKeyAction::kResendToEditor:
      SendMessageW(root, WM_KEYDOWN, message.wParam, message.lParam);
      return true;
  }
  return false;
}

}  // namespace tessary
