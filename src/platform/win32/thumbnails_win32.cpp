#include "platform/win32/thumbnails_win32.h"

#include <dwmapi.h>

#include <cmath>

#include "platform/win32/handles.h"

namespace tessary {
namespace {

HTHUMBNAIL ToThumbnail(ThumbnailId id) {
  return reinterpret_cast<HTHUMBNAIL>(static_cast<std::uintptr_t>(static_cast<std::uint64_t>(id)));
}

}  // namespace

ThumbnailId Win32Thumbnails::Register(WindowId destination, WindowId source) {
  HTHUMBNAIL thumbnail = nullptr;
  if (FAILED(DwmRegisterThumbnail(ToHwnd(destination), ToHwnd(source), &thumbnail)) || !thumbnail) {
    return kNoThumbnail;
  }
  return ThumbnailId{static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(thumbnail))};
}

ThumbnailSourceSize Win32Thumbnails::SourceSize(ThumbnailId thumbnail) {
  SIZE size{};
  if (FAILED(DwmQueryThumbnailSourceSize(ToThumbnail(thumbnail), &size))) return {};
  return {static_cast<double>(size.cx), static_cast<double>(size.cy)};
}

bool Win32Thumbnails::Show(ThumbnailId thumbnail, const Rect& destination) {
  DWM_THUMBNAIL_PROPERTIES properties{};
  properties.dwFlags =
      DWM_TNP_RECTDESTINATION | DWM_TNP_VISIBLE | DWM_TNP_OPACITY | DWM_TNP_SOURCECLIENTAREAONLY;
  properties.rcDestination = {static_cast<LONG>(std::lround(destination.x)),
                              static_cast<LONG>(std::lround(destination.y)),
                              static_cast<LONG>(std::lround(destination.Right())),
                              static_cast<LONG>(std::lround(destination.Bottom()))};
  properties.opacity = 255;
  properties.fVisible = TRUE;
  properties.fSourceClientAreaOnly = FALSE;
  return SUCCEEDED(DwmUpdateThumbnailProperties(ToThumbnail(thumbnail), &properties));
}

void Win32Thumbnails::Unregister(ThumbnailId thumbnail) {
  DwmUnregisterThumbnail(ToThumbnail(thumbnail));
}

}  // namespace tessary
