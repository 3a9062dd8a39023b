#include <cmath>

#include "desktop/desktop.h"
#include "desktop/frame_margins.h"

namespace tessary {
namespace {

constexpr int kPlaceAttempts = 3;
constexpr double kExactTolerance = 1.0;
// An app that refuses the size still counts as placed when its corner is this close.
constexpr double kCornerTolerance = 6.0;

// The window rectangle in workspace coordinates, as placements speak them: relative to
// the work area of the display the rectangle is on.
WindowPlacement InWorkspace(const Platform& platform, const Rect& rect, WindowPlacement placement) {
  double dx = 0;
  double dy = 0;
  if (std::optional<RawMonitor> m = platform.displays.NearestMonitor(rect)) {
    dx = m->work.x - m->bounds.x;
    dy = m->work.y - m->bounds.y;
  }
  placement.left = static_cast<int>(std::lround(rect.x - dx));
  placement.top = static_cast<int>(std::lround(rect.y - dy));
  placement.right = static_cast<int>(std::lround(rect.Right() - dx));
  placement.bottom = static_cast<int>(std::lround(rect.Bottom() - dy));
  return placement;
}

// Windows keeps a restore rectangle for a window it snapped or maximized, and a move by
// another program leaves it alone: the next restore or title drag would give the window
// its old size back. It is set to where the window now stands, borders included, as
// measured on the display it stands on now.
void MatchRestoreRect(const Platform& platform, WindowId window) {
  WindowAccess& w = platform.windows;
  std::optional<WindowPlacement> placement = w.Placement(window);
  std::optional<Rect> rect = w.WindowRect(window);
  if (!placement || !rect || placement->show != ShowCommand::kNormal) return;
  WindowPlacement wanted = InWorkspace(platform, *rect, *placement);
  if (wanted.left == placement->left && wanted.top == placement->top &&
      wanted.right == placement->right && wanted.bottom == placement->bottom) {
    return;
  }
  wanted.show = ShowCommand::kShowNoActivate;
  w.SetPlacement(window, wanted);
}

}  // namespace

std::optional<Rect> Desktop::FrameBounds(WindowId window) const {
  std::optional<Rect> frame = platform_.windows.ExtendedFrameBounds(window);
  if (frame && frame->Right() > frame->x) return frame;
  return platform_.windows.WindowRect(window);
}

bool Desktop::AnimationsEnabled() const {
  return platform_.systemSettings.ClientAreaAnimation().value_or(true);
}

bool Desktop::PlaceExactly(WindowId window, const Rect& target) const {
  WindowAccess& w = platform_.windows;
  // Every call below waits for the window's app; one that does not answer is left alone.
  if (!w.Exists(window) || w.IsHung(window)) return false;

  if (w.IsMaximized(window) || w.IsMinimized(window)) {
    // Restore straight into place in one step, so the window never flashes at its old
    // restored position. The placement speaks workspace coordinates.
    if (std::optional<WindowPlacement> placement = w.Placement(window)) {
      double dx = 0;
      double dy = 0;
      Rect normal =
          Rect::FromEdges(placement->left, placement->top, placement->right, placement->bottom);
      if (std::optional<RawMonitor> m = platform_.displays.NearestMonitor(normal)) {
        dx = m->work.x - m->bounds.x;
        dy = m->work.y - m->bounds.y;
      }
      placement->left = static_cast<int>(std::trunc(target.x - dx));
      placement->top = static_cast<int>(std::trunc(target.y - dy));
      placement->right = static_cast<int>(std::trunc(target.Right() - dx));
      placement->bottom = static_cast<int>(std::trunc(target.Bottom() - dy));
      placement->show = ShowCommand::kShowNoActivate;
      w.SetPlacement(window, *placement);
    } else {
      w.Show(window, ShowCommand::kShowNoActivate);
    }
  }

  for (int attempt = 0; attempt < kPlaceAttempts; ++attempt) {
    // Margins are measured every time: they change with the display's DPI.
    std::optional<Rect> rect = w.WindowRect(window);
    std::optional<Rect> frame = FrameBounds(window);
    if (!rect || !frame) return false;
    if (!w.SetPosition(window, RequestFor(target, MarginsOf(*rect, *frame)))) return false;
    std::optional<Rect> after = FrameBounds(window);
    if (after && NearlyEqual(*after, target, kExactTolerance)) {
      MatchRestoreRect(platform_, window);
      return true;
    }
  }
  std::optional<Rect> frame = FrameBounds(window);
  if (!frame || std::abs(frame->x - target.x) > kCornerTolerance ||
      std::abs(frame->y - target.y) > kCornerTolerance) {
    return false;
  }
  MatchRestoreRect(platform_, window);
  return true;
}

}  // namespace tessary
