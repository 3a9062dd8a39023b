#pragma once

// Outlines of the windows that follow a resize: when the edge between snapped windows
// moves, every neighbour whose region changes is outlined. The first outline carries the
// caption; the others are plain. Extra surfaces are made on first need and kept for the
// run, since a resize along a long divider asks for them again and again.

#include <memory>
#include <string>
#include <vector>

#include "surfaces/outline.h"

namespace tessary {

class FollowerOutlines {
 public:
  // `first` is the drag's own outline, lent for the first rectangle.
  FollowerOutlines(Outline& first, SurfaceFactory& factory, ThemeSource& theme)
      : first_(first), factory_(factory), theme_(theme) {}

  // Shows `rects` (desktop pixels) below `anchor`: the first on the lent outline with
  // `caption`, the others on outlines of their own without text. Outlines no longer needed
  // are hidden; no rectangles hide them all.
  void Show(const std::vector<Rect>& rects, double scale, const std::string& caption,
            WindowId anchor);
  void Hide();
  int VisibleExtras() const;

 private:
  Outline& first_;
  SurfaceFactory& factory_;
  ThemeSource& theme_;
  std::vector<std::unique_ptr<Outline>> extras_;
};

}  // namespace tessary
