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

// How a thumbnail is drawn when more than its place matters (the overview fades and
// zooms its previews, and leaves out the invisible resize borders).
struct ThumbnailProperties {
  Rect destination;  // client pixels of the destination window
  Rect source;       // the part of the source's window rectangle shown; zero: all of it
  double opacity = 1;  // 0 to 1
  bool visible = true;
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
  // DwmUpdateThumbnailProperties with every property given (opacity as 0 to 255).
  virtual bool Update(ThumbnailId thumbnail, const ThumbnailProperties& properties) = 0;
  // DwmUnregisterThumbnail.
  virtual void Unregister(ThumbnailId thumbnail) = 0;
};

}  // namespace tessary
