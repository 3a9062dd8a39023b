#pragma once

// The drawing toolkit every surface painter uses. Painters work in device-independent
// units (DIPs): the backend maps them to pixels with the scale of the presentation, so a
// painter never sees a pixel. Text is UTF-8; the Windows backend converts to UTF-16 at
// the call.
//
// Windows backend: an ID2D1DCRenderTarget bound to the surface's memory DC, its DPI set
// to scale x 96 so that one unit here is one DIP; colours become solid-colour brushes
// created for the call and released after it; text goes through DirectWrite with the
// family "Segoe UI Variable Text" (weight 600 bold, 400 regular).

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/geometry.h"
#include "platform/ids.h"

namespace tessary {

// Straight (not premultiplied) RGBA, each channel 0 to 1. Direct2D brushes take exactly
// this; the render target's premultiplied pixel format is the backend's business.
struct Color {
  double r = 0;
  double g = 0;
  double b = 0;
  double a = 1;

  friend bool operator==(const Color&, const Color&) = default;
};

constexpr Color WithAlpha(Color color, double alpha) {
  color.a = alpha;
  return color;
}
inline constexpr Color kWhite{1, 1, 1, 1};
inline constexpr Color kBlack{0, 0, 0, 1};

enum class TextAlign { kLeading = 0, kCenter = 1, kTrailing = 2 };

struct TextSize {
  double width = 0;
  double height = 0;

  friend bool operator==(const TextSize&, const TextSize&) = default;
};

// Measuring needs no render target, so views can lay out a surface before presenting it.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;

  // The size of `text` wrapped at word boundaries to `maxWidth` (words longer than a line
  // break between characters), each dimension rounded up to a whole unit. The width
  // counts trailing white space.
  // Windows: an IDWriteTextFormat (word wrapping on, the given size and weight) laid out
  // with IDWriteFactory::CreateTextLayout(maxWidth, 10000); the answer is
  // ceil(widthIncludingTrailingWhitespace) and ceil(height). Formats are created once per
  // (trunc(size x 10), bold, alignment) and kept for the process.
  virtual TextSize MeasureText(std::string_view text, double size, bool bold, double maxWidth) = 0;
};

class Canvas : public TextMeasurer {
 public:
  // A rounded rectangle filled with `color`.
  // Windows: FillRoundedRectangle with radiusX = radiusY = radius.
  virtual void FillRounded(const Rect& rect, double radius, Color color) = 0;

  // The outline of a rounded rectangle; the stroke lies inside `rect` (the path is `rect`
  // inset by strokeWidth / 2 on every side, so neighbouring strokes never bleed out).
  // Windows: DrawRoundedRectangle of the inset rectangle.
  virtual void StrokeRounded(const Rect& rect, double radius, Color color, double strokeWidth) = 0;

  // One line of text, vertically centred in `rect`, clipped to it and cut with an
  // ellipsis at a character boundary when too long.
  // Windows: a text format without word wrapping, paragraph alignment centre, text
  // alignment leading/centre/trailing, character trimming with an ellipsis sign;
  // DrawText into `rect` with D2D1_DRAW_TEXT_OPTIONS_CLIP.
  virtual void DrawLabel(std::string_view text, const Rect& rect, Color color, double size,
                         bool bold, TextAlign align) = 0;

  // Text wrapped exactly as MeasureText wraps it, its top-left at `topLeft`.
  // Windows: the wrapping format of MeasureText, DrawTextLayout at `topLeft`.
  virtual void DrawWrappedText(std::string_view text, Point topLeft, double maxWidth, Color color,
                               double size, bool bold) = 0;

  // An application icon stretched over `rect`. kNoIcon draws nothing.
  // Windows: see IconPixelSize for the raster size and the per-render-target bitmap cache
  // (at most 400 entries, flushed wholesale beyond; an icon without any alpha is drawn
  // opaque); DrawBitmap with linear interpolation, opacity 1.
  virtual void DrawIcon(IconId icon, const Rect& rect) = 0;

  // A straight line with flat ends. Windows: DrawLine.
  virtual void DrawLine(Point from, Point to, Color color, double width) = 0;

  // A filled triangle. Windows: a closed ID2D1PathGeometry, FillGeometry.
  virtual void FillTriangle(Point a, Point b, Point c, Color color) = 0;

  // A filled circle. Windows: FillEllipse with radiusX = radiusY = radius.
  virtual void FillCircle(Point centre, double radius, Color color) = 0;

  // The screen as it stood under the surface before it was first shown, covering `rect`,
  // with a blurred copy of it over that at `blurOpacity` (0 to 1). Only a surface made
  // with a backdrop (SurfaceOptions::backdrop) has one; elsewhere nothing is drawn.
  // Windows: the full-size copy with nearest-neighbour sampling, then the copy at a
  // sixteenth of the size, blurred, stretched over it with linear sampling.
  virtual void DrawBackdrop(const Rect& /*rect*/, double /*blurOpacity*/) {}

  // A soft shadow under a card or panel at `rect`, made of eight widening outlines moved
  // 3 units down (no blur effect is needed); `strong` is for dark backgrounds. Built on
  // StrokeRounded, so a backend need not override it.
  virtual void DrawShadow(const Rect& rect, double radius, bool strong) {
    for (int i = 1; i <= 8; ++i) {
      const double grow = i;
      const Rect ring{rect.x - grow, rect.y - grow + 3, rect.width + 2 * grow,
                      rect.height + 2 * grow};
      const double alpha = (1.0 - grow / 9.0) * (strong ? 0.05 : 0.028);
      StrokeRounded(ring, radius + grow, WithAlpha(kBlack, alpha), 1.5);
    }
  }
};

// The square raster size of an icon drawn over `rect`: twice the larger side, rounded up
// to a multiple of 8, between 16 and 256 pixels (22 units wide gives 48). Icons are
// rasterised once at this size and scaled by the render target.
inline int IconPixelSize(const Rect& rect) {
  const double side = std::max(rect.width, rect.height) * 2;
  int pixels = std::isfinite(side) ? static_cast<int>(std::ceil(std::min(side, 256.0))) : 16;
  pixels = std::clamp(pixels, 16, 256);
  pixels = (pixels + 7) / 8 * 8;
  return std::min(pixels, 256);
}

}  // namespace tessary
