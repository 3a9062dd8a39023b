#include "platform/win32/tooltip_win32.h"

#include <commctrl.h>

#include "platform/win32/control_window_win32.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

TTTOOLINFOW ToolOf(HWND owner) {
  TTTOOLINFOW tool{sizeof(tool)};
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  return tool;
}

}  // namespace

bool Win32Tooltip::Make(HWND owner) {
  EnsureCommonControls();
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  control_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, owner, nullptr,
                             instance, nullptr);
  if (!control_) return false;
  TTTOOLINFOW tool = ToolOf(owner);
  // Transparent: the pointer moving on over the tip still reaches the surface below it.
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND | TTF_TRANSPARENT;
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(control_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(control_, TTM_SETMAXTIPWIDTH, 0, 480);  // lets "\n" break lines
  return true;
}

void Win32Tooltip::Set(HWND owner, const std::string& text, const Rect& item) {
  if (!owner) return;
  if (!control_ && (text.empty() || !Make(owner))) return;
  TTTOOLINFOW tool = ToolOf(owner);
  if (text.empty()) {
    SendMessageW(control_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  std::wstring wide = WideFromUtf8(text);
  tool.lpszText = wide.data();
  SendMessageW(control_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(control_, TTM_TRACKPOSITION, 0,
               MAKELPARAM(static_cast<int>(item.x), static_cast<int>(item.Bottom()) + 4));
  SendMessageW(control_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void Win32Tooltip::Destroy() {
  if (control_) DestroyWindow(control_);
  control_ = nullptr;
}

}  // namespace tessary
