#pragma once

// Live previews of other applications' windows, drawn by the system's compositor into a
// rectangle of one of the program's own windows. A system may refuse a thumbnail (Wine
// has no compositor that makes them); callers then draw something of their own there.
//
// Windows: DwmRegisterThumbnail, DwmQueryThumbnailSourceSize,
// DwmUpdateThumbnailProperties and DwmUnregisterThumbnail.

#include <cstdint>

#include "base/geometry.h"
#include "platform/ids.h"

namespace tessary {

// A registered thumbnail; 0 is none.
enum class ThumbnailId : std::uint64_t {};
inline constexpr ThumbnailId kNoThumbnail{};

struct ThumbnailSourceSize {
  double width = 0;
  double height = 0;
};

class WindowThumbnails {
 public:
  virtual ~WindowThumbnails() = default;

  // DwmRegisterThumbnail(destination, source); kNoThumbnail when the system refuses.
  virtual ThumbnailId Register(WindowId destination, WindowId source) = 0;
  // DwmQueryThumbnailSourceSize; zero when it cannot be read.
  virtual ThumbnailSourceSize SourceSize(ThumbnailId thumbnail) = 0;
  // DwmUpdateThumbnailProperties: drawn at `destination` (client pixels of the destination
  // window), fully opaque, visible, the whole source window rather than its client area.
  virtual bool Show(ThumbnailId thumbnail, const Rect& destination) = 0;
  // DwmUnregisterThumbnail.
  virtual void Unregister(ThumbnailId thumbnail) = 0;
};

}  // namespace tessary
