#pragma once

// Live thumbnails through the desktop window manager. Wine has none: registration fails
// there and the views draw their own stand-in.

#include "platform/window_thumbnails.h"

namespace tessary {

class Win32Thumbnails : public WindowThumbnails {
 public:
  ThumbnailId Register(WindowId destination, WindowId source) override;
  ThumbnailSourceSize SourceSize(ThumbnailId thumbnail) override;
  bool Show(ThumbnailId thumbnail, const Rect& destination) override;
  bool Update(ThumbnailId thumbnail, const ThumbnailProperties& properties) override;
  void Unregister(ThumbnailId thumbnail) override;
};

}  // namespace tessary
