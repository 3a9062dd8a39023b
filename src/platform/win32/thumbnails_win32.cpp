#include "platform/win32/thumbnails_win32.h"

#include <dwmapi.h>

#include <algorithm>
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
  return Update(thumbnail, {.destination = destination});
}

bool Win32Thumbnails::Update(ThumbnailId thumbnail, const ThumbnailProperties& shown) {
  auto pixels = [](const Rect& r) {
    return RECT{static_cast<LONG>(std::lround(r.x)), static_cast<LONG>(std::lround(r.y)),
                static_cast<LONG>(std::lround(r.Right())), static_cast<LONG>(std::lround(r.Bottom()))};
  };
  DWM_THUMBNAIL_PROPERTIES properties{};
  properties.dwFlags =
      DWM_TNP_RECTDESTINATION | DWM_TNP_VISIBLE | DWM_TNP_OPACITY | DWM_TNP_SOURCECLIENTAREAONLY;
  properties.rcDestination = pixels(shown.destination);
  if (shown.source.width > 0 && shown.source.height > 0) {
    properties.dwFlags |= DWM_TNP_RECTSOURCE;
    properties.rcSource = pixels(shown.source);
  }
  properties.opacity = static_cast<BYTE>(std::lround(std::clamp(shown.opacity, 0.0, 1.0) * 255));
  properties.fVisible = shown.visible ? TRUE : FALSE;
  properties.fSourceClientAreaOnly = FALSE;
  return SUCCEEDED(DwmUpdateThumbnailProperties(ToThumbnail(thumbnail), &properties));
}

void Win32Thumbnails::Unregister(ThumbnailId thumbnail) {
  DwmUnregisterThumbnail(ToThumbnail(thumbnail));
}

}  // namespace tessary
