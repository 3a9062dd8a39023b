#pragma once

// Where icons come from: a window's own icons, its class icon, the shell's icon for a
// file, and the system's default. Icons returned here are never destroyed by callers.

#include <string>

#include "platform/ids.h"

namespace tessary {

enum class WindowIconKind {
  kBig,     // ICON_BIG
  kSmall2,  // ICON_SMALL2: the small icon, or one the system derives from the big one
};

class IconSource {
 public:
  virtual ~IconSource() = default;

  // SendMessageTimeoutW(window, WM_GETICON, kind, 0, SMTO_ABORTIFHUNG, 50 ms); kNoIcon
  // when the window has none or does not answer in time.
  virtual IconId WindowMessageIcon(WindowId window, WindowIconKind kind) = 0;
  // GetClassLongPtrW(window, GCLP_HICON); kNoIcon when none.
  virtual IconId ClassIcon(WindowId window) = 0;
  // LoadIconW(null, IDI_APPLICATION): never kNoIcon.
  virtual IconId DefaultApplicationIcon() = 0;
  // SHGetFileInfoW(path, 0, SHGFI_ICON): the shell's large icon for the file; kNoIcon
  // when the shell gives none.
  virtual IconId FileIcon(const std::string& path) = 0;
};

}  // namespace tessary
