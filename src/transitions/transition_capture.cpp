#include "transitions/transition_capture.h"

#include <algorithm>
#include <cmath>

namespace tessary {

bool LooksAllBlack(const PixelImage& image) {
  if (image.Empty()) return true;
  const auto total = static_cast<std::uint64_t>(
      std::min<std::size_t>(image.pixels.size(),
                            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)));
  const std::uint64_t count = std::min<std::uint64_t>(total, kBlackTestSamples);
  for (std::uint64_t k = 0; k < count; ++k) {
    if ((image.pixels[static_cast<std::size_t>(k * total / count)] & 0x00FFFFFFu) != 0) return false;
  }
  return true;
}

PixelImage CaptureWindow(WindowImages& images, WindowId window, const Rect& frame,
                         CaptureSource& source) {
  PixelImage drawn = images.DrawnImage(window);
  if (!LooksAllBlack(drawn)) {
    source = CaptureSource::kDrawn;
    return drawn;
  }
  PixelImage screen = images.ScreenImage(frame);
  source = screen.Empty() ? CaptureSource::kFailed : CaptureSource::kScreen;
  return screen;
}

PixelImage CropImage(const PixelImage& image, const Rect& imageArea, const Rect& area) {
  PixelImage out;
  out.width = static_cast<int>(std::lround(std::max(area.width, 0.0)));
  out.height = static_cast<int>(std::lround(std::max(area.height, 0.0)));
  out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 0);
  if (image.Empty()) return out;
  const long dx = std::lround(area.x - imageArea.x);
  const long dy = std::lround(area.y - imageArea.y);
  // The columns of `out` that the image covers, copied a row at a time.
  const long first = std::max(0L, -dx);
  const long last = std::min<long>(out.width, image.width - dx);
  if (first >= last) return out;
  for (long y = 0; y < out.height; ++y) {
    const long sy = y + dy;
    if (sy < 0 || sy >= image.height) continue;
    const auto from = image.pixels.begin() + (sy * image.width + first + dx);
    std::copy(from, from + (last - first), out.pixels.begin() + (y * out.width + first));
  }
  return out;
}

const PixelImage& BackdropCache::For(WindowImages& images, const Rect& display, double now) {
  const std::uint64_t stamp = images.WallpaperStamp();
  const bool fresh = held_ && display_ == display && stamp_ == stamp && now >= takenAt_ &&
                     now - takenAt_ < kKeepSeconds;
  if (!fresh) {
    image_ = images.DesktopImage(display);
    display_ = display;
    stamp_ = stamp;
    takenAt_ = now;
    // A failed capture is tried again next time rather than kept.
    held_ = !image_.Empty();
  }
  return image_;
}

}  // namespace tessary
