#include "platform/win32/icons_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

// An application that does not answer within this time gets no say in its icon; the
// wait is bounded because this runs on the UI thread.
constexpr UINT kIconAnswerMilliseconds = 50;

}  // namespace

IconId Win32IconSource::WindowMessageIcon(WindowId window, WindowIconKind kind) {
  WPARAM which = kind == WindowIconKind::kBig ? ICON_BIG : ICON_SMALL2;
  DWORD_PTR icon = 0;
  if (!SendMessageTimeoutW(ToHwnd(window), WM_GETICON, which, 0, SMTO_ABORTIFHUNG,
                           kIconAnswerMilliseconds, &icon)) {
    return kNoIcon;
  }
  return ToIconId(reinterpret_cast<HICON>(icon));
}

IconId Win32IconSource::ClassIcon(WindowId window) {
  return ToIconId(reinterpret_cast<HICON>(GetClassLongPtrW(ToHwnd(window), GCLP_HICON)));
}

IconId Win32IconSource::DefaultApplicationIcon() {
  return ToIconId(LoadIconW(nullptr, IDI_APPLICATION));
}

IconId Win32IconSource::FileIcon(const std::string& path) {
  std::wstring widePath = WideFromUtf8(path);
  SHFILEINFOW info{};
  if (SHGetFileInfoW(widePath.c_str(), 0, &info, sizeof(info), SHGFI_ICON) == 0) return kNoIcon;
  return ToIconId(info.hIcon);
}

}  // namespace tessary
