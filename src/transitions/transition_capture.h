#pragma once

// The images an effect draws: each window as it draws itself, or from the screen when
// it will not draw itself, and the desktop's wallpaper behind the cards.

#include <cstdint>

#include "base/geometry.h"
#include "platform/transition_gpu.h"

namespace tessary {

// Pixels looked at by LooksAllBlack: enough to find any real content, few enough to be
// free on a 4K window.
inline constexpr int kBlackTestSamples = 997;

// True when every one of about kBlackTestSamples evenly spaced pixels has no colour (the
// low 24 bits zero, whatever the alpha): what a window drawn by the GPU often gives when
// asked to draw itself. An empty image counts as black.
bool LooksAllBlack(const PixelImage& image);

// How a window's image was had.
enum class CaptureSource : std::uint8_t { kFailed, kDrawn, kScreen };

// The window as it draws itself; when that fails or comes back black, its frame's
// pixels from the screen. `source` says which; kFailed leaves the image empty.
PixelImage CaptureWindow(WindowImages& images, WindowId window, const Rect& frame,
                         CaptureSource& source);

// The part of `image` (which shows `imageArea` of the desktop) that shows `area`; what
// lies outside the image stays transparent.
PixelImage CropImage(const PixelImage& image, const Rect& imageArea, const Rect& area);

// The wallpaper of a display, captured once and reused while the display keeps its
// place and size and the wallpaper does not change, for at most five minutes.
class BackdropCache {
 public:
  static constexpr double kKeepSeconds = 300;

  // The display's wallpaper (empty when it cannot be had); valid until the next call.
  const PixelImage& For(WindowImages& images, const Rect& display, double now);

 private:
  PixelImage image_;
  Rect display_;
  std::uint64_t stamp_ = 0;
  double takenAt_ = 0;
  bool held_ = false;
};

}  // namespace tessary
