#pragma once

// Window images for the switching effects: what a window draws of itself (PrintWindow
// with full content), the screen's pixels, and the wallpaper alone. Every image is read
// through a 32-bit top-down DIB section; GDI leaves the alpha byte of such pixels zero,
// which the effect programs ignore.

#include "platform/transition_gpu.h"

namespace tessary {

class Win32WindowImages : public WindowImages {
 public:
  PixelImage DrawnImage(WindowId window) override;
  PixelImage ScreenImage(const Rect& area) override;
  PixelImage DesktopImage(const Rect& area) override;
  std::uint64_t WallpaperStamp() override;
};

}  // namespace tessary
