#pragma once

// The tooltip a surface shows for the item under the pointer: a "tooltips_class32" control
// owned by the surface's window, in tracking mode so the view decides when it shows, what
// it says and where (a drawn surface has no child windows for the control to follow).

#include <windows.h>

#include <string>

#include "base/geometry.h"

namespace tessary {

class Win32Tooltip {
 public:
  Win32Tooltip() = default;
  ~Win32Tooltip() { Destroy(); }
  Win32Tooltip(const Win32Tooltip&) = delete;
  Win32Tooltip& operator=(const Win32Tooltip&) = delete;

  // Shows `text` (UTF-8; "\n" breaks lines) just below `item` (desktop pixels); an empty
  // text takes it down. The control is made on first use; when that fails there is none.
  void Set(HWND owner, const std::string& text, const Rect& item);
  // Before the owner goes: its destruction would take the control along unannounced.
  void Destroy();

 private:
  bool Make(HWND owner);

  HWND control_ = nullptr;
};

}  // namespace tessary
