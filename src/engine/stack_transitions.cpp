#include "engine/stack_transitions.h"

#include <algorithm>

#include "base/log.h"
#include "engine/drag_state.h"
#include "transitions/transition_catalogue.h"
#include "transitions/transition_geometry.h"
#include "transitions/transition_timing.h"

namespace tessary {
namespace {

// The slide's excursion: toward the display's centre, by at most this (px x scale) and
// 45 % of the window's width.
constexpr double kSlideReach = 520;
constexpr double kSlideShare = 0.45;

}  // namespace

StackTransitions::StackTransitions(Desktop& desktop, SurfaceFactory& surfaces)
    : desktop_(desktop),
      images_(surfaces.Images()),
      player_(surfaces.Transitions(), desktop.platform().clock, [&desktop] {
        return desktop.platform().processes.EnvironmentVariable(kSlowdownVariable);
      }) {}

bool StackTransitions::Play(const StackSwitchRequest& request, const std::function<void()>& swap) {
  if (request.raise.empty()) return false;
  switch (DrawingOf(request.transition)) {
    case TransitionDrawing::kSlide:
      return Slide(request, swap);
    case TransitionDrawing::kCards:
      return Cards(request, swap);
    case TransitionDrawing::kMesh:
      break;
  }
  if (!images_) return false;
  std::vector<WindowId> kept;
  // The windows in front are the ones that leave, uncovering the raised ones.
  const std::vector<TransitionItem> items = Capture(request.inFront, kept);
  return player_.Run(request.transition, items, request.scale, swap);
}

bool StackTransitions::Slide(const StackSwitchRequest& request, const std::function<void()>& swap) {
  const WindowId window = request.raise.front();
  const std::optional<Rect> home = desktop_.FrameBounds(window);
  if (!home) return false;
  const double reach = std::min(kSlideReach * request.scale, kSlideShare * home->width);
  const double centre = request.display.x + request.display.width / 2;
  const double direction = home->x + home->width / 2 <= centre ? 1 : -1;
  desktop_.SlideOutAndBack(window, *home, {home->x + direction * reach, home->y}, swap);
  return true;
}

bool StackTransitions::Cards(const StackSwitchRequest& request, const std::function<void()>& swap) {
  if (!images_) return false;
  std::vector<WindowId> windows = request.inFront;
  windows.insert(windows.end(), request.raise.begin(), request.raise.end());
  std::vector<WindowId> kept;
  const std::vector<TransitionItem> items = Capture(windows, kept);
  // The card of the first raised window ends in front.
  auto selected = std::find(kept.begin(), kept.end(), request.raise.front());
  const int index = selected == kept.end() ? 0 : static_cast<int>(selected - kept.begin());
  PixelImage backdrop;
  if (!items.empty() && !request.display.IsEmpty()) {
    std::vector<Rect> rects;
    for (const TransitionItem& item : items) rects.push_back(item.rect);
    const PixelImage& wallpaper =
        backdrop_.For(*images_, request.display, desktop_.platform().clock.Now());
    backdrop = CropImage(wallpaper, request.display, BoundingRect(rects));
  }
  return player_.RunCards(items, index, backdrop, swap);
}

std::vector<TransitionItem> StackTransitions::Capture(const std::vector<WindowId>& windows,
                                                      std::vector<WindowId>& kept) {
  std::vector<TransitionItem> items;
  for (WindowId window : windows) {
    const std::optional<Rect> frame = desktop_.FrameBounds(window);
    if (!frame || frame->width <= 0 || frame->height <= 0) continue;
    CaptureSource source = CaptureSource::kFailed;
    PixelImage image = CaptureWindow(*images_, window, *frame, source);
    if (source == CaptureSource::kFailed) {
      Log("transition: no image of %p", LogId(window));
      continue;
    }
    items.push_back({std::move(image), *frame, std::nullopt});
    kept.push_back(window);
  }
  MarkPerformance("capture");
  return items;
}

}  // namespace tessary
