#pragma once

// The destination outline: a translucent accent rectangle, optionally with a short label
// in a pill ("This Spot", "Release to return", ...), previewing where a dragged window
// will land. Shown on every pointer move of a drag, so showing the same thing again
// costs nothing.

#include <memory>
#include <string>

#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/theme.h"

namespace tessary {

inline constexpr const char* kOutlineTitle = "Tessary destination";

// Paints an outline `width` x `height` DIPs. `armed`: releasing now would do what it shows.
void PaintOutline(Canvas& canvas, const Theme& theme, double width, double height,
                  const std::string& label, bool armed);

class Outline {
 public:
  explicit Outline(ThemeSource& theme) : theme_(theme) {}
  ~Outline();
  Outline(const Outline&) = delete;
  Outline& operator=(const Outline&) = delete;

  // Click-through, topmost, default procedure.
  bool Create(SurfaceFactory& factory, const std::string& title = kOutlineTitle);

  // Shows or updates the outline at `rect` (desktop pixels). With an anchor window the
  // outline sits directly below it in the z-order (under the dragged window), else it is
  // topmost. Does nothing while visible with the same rectangle, label and armed flag.
  void Show(const Rect& rect, double scale, const std::string& label, bool armed,
            WindowId anchor = kNoWindow);
  void Hide();
  bool Visible() const { return surface_ && surface_->Visible(); }
  Surface* GetSurface() { return surface_.get(); }

 private:
  ThemeSource& theme_;
  std::unique_ptr<Surface> surface_;
  Rect rect_;
  std::string label_;
  bool armed_ = false;
};

}  // namespace tessary
