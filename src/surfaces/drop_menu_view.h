#pragma once

// The drop menu panel: one tile per action a drop could perform, the tile under the
// pointer highlighted (and filled with the accent once releasing would carry it out).
// Shown on every pointer move of a drag, so showing the same thing again costs nothing.

#include <memory>
#include <optional>

#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/drop_action_menu.h"
#include "surfaces/theme.h"

namespace tessary {

inline constexpr const char* kDropMenuTitle = "Tessary drop menu";

// Paints the menu into a surface of `width` x `height` DIPs; the tiles' desktop rectangles
// are converted relative to the menu's rectangle at `scale`.
void PaintDropMenu(Canvas& canvas, const Theme& theme, double width, double height,
                   const DropActionMenu& menu, double scale,
                   const std::optional<DropIntent>& highlight, bool armed);

class DropMenuView {
 public:
  explicit DropMenuView(ThemeSource& theme) : theme_(theme) {}
  ~DropMenuView();
  DropMenuView(const DropMenuView&) = delete;
  DropMenuView& operator=(const DropMenuView&) = delete;

  // Click-through, topmost, default procedure.
  bool Create(SurfaceFactory& factory);

  // Shows or updates the menu, topmost, at the menu's rectangle. Does nothing while
  // visible with the same rectangle and tiles, the same highlight and the same armed flag.
  void Show(const DropActionMenu& menu, double scale, std::optional<DropIntent> highlight,
            bool armed);
  void Hide();
  bool Visible() const { return surface_ && surface_->Visible(); }
  Surface* GetSurface() { return surface_.get(); }

 private:
  ThemeSource& theme_;
  std::unique_ptr<Surface> surface_;
  DropActionMenu menu_;  // the last shown
  double scale_ = 1;
  std::optional<DropIntent> highlight_;
  bool armed_ = false;
};

}  // namespace tessary
