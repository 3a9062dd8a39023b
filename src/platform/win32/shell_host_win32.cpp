#include "platform/win32/shell_host_win32.h"

namespace tessary {

Win32SurfaceFactory* DeferredSurfaceFactory::Real() {
  if (!real_ && graphics_.Create()) {
    real_ = std::make_unique<Win32SurfaceFactory>(instance_, graphics_);
  }
  return real_.get();
}

std::unique_ptr<Surface> DeferredSurfaceFactory::NewSurface() {
  Win32SurfaceFactory* real = Real();
  return real != nullptr ? real->NewSurface() : nullptr;
}

std::unique_ptr<DialogWindow> DeferredSurfaceFactory::NewDialogWindow() {
  Win32SurfaceFactory* real = Real();
  return real != nullptr ? real->NewDialogWindow() : nullptr;
}

std::unique_ptr<Surface> DeferredSurfaceFactory::NewWindowSurface() {
  Win32SurfaceFactory* real = Real();
  return real != nullptr ? real->NewWindowSurface() : nullptr;
}

WindowThumbnails* DeferredSurfaceFactory::Thumbnails() {
  Win32SurfaceFactory* real = Real();
  return real != nullptr ? real->Thumbnails() : nullptr;
}

TextMeasurer& DeferredSurfaceFactory::Text() {
  Win32SurfaceFactory* real = Real();
  if (real == nullptr) return noText_;
  return real->Text();
}

Win32ShellHost::Win32ShellHost(HINSTANCE instance)
    : instance_(instance),
      mainWindow_(instance, platform_),
      hotkeys_([this] { return mainWindow_.Window(); }),
      tray_(instance, [this] { return mainWindow_.Window(); }),
      menus_(graphics_, [this] { return mainWindow_.Window(); }),
      mouseHook_([this] { return mainWindow_.Window(); }),
      services_(graphics_),
      surfaces_(instance, graphics_) {
  mainWindow_.SetOwnerDrawHandler(
      [this](UINT message, LPARAM lParam) { return menus_.HandleOwnerDraw(message, lParam); });
}

ShellHost Win32ShellHost::Host() {
  return ShellHost{instanceLock_, mainWindow_, hotkeys_,   keyboardLayouts_,
                   tray_,         menus_,      mouseHook_, services_,
                   http_};
}

}  // namespace tessary
