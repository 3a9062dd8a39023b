#pragma once

// The engine's side of the layout editor: which display it edits for, what it offers
// (the layouts to start from, the apps with open windows), and what becomes of its
// result: an own layout stored for the display (and applied when asked), or deleted.
// The Coordinator owns one; the editor window itself is dialogs/layout_editor.h.

#include <string>
#include <vector>

#include "dialogs/layout_editor.h"
#include "layout/layout_tree.h"
#include "platform/surface.h"
#include "platform/theme_source.h"

namespace tessary {

class Coordinator;

class LayoutEditing {
 public:
  LayoutEditing(Coordinator& coordinator, SurfaceFactory& surfaces, ThemeSource& theme);

  // Opens the editor for `layout` (null: a new one) on the display it belongs to, else
  // the display the user is working on. False when there is no display or no window.
  bool Open(const SnapLayout* layout);

 private:
  int TargetDisplay(const SnapLayout* layout);
  std::vector<KnownApp> KnownApps();
  bool Save(const std::string& display, SnapLayout layout, bool apply);
  void Delete(const std::string& display, const std::string& id);

  Coordinator& c_;
  ThemeSource& theme_;
  LayoutEditor editor_;
};

}  // namespace tessary
