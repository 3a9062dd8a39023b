#pragma once

// The drawing toolkit on a Direct2D render target that is between BeginDraw and EndDraw.
// Made for one paint and dropped after it; brushes live for one call.

#include <d2d1.h>

#include <string_view>

#include "platform/canvas.h"
#include "platform/win32/icon_bitmap_cache.h"
#include "platform/win32/screen_backdrop_win32.h"
#include "platform/win32/text_formats_d2d.h"

namespace tessary {

class D2DCanvas : public Canvas {
 public:
  // `backdrop`: the screen copy of a surface made with one (null: none).
  D2DCanvas(ID2D1RenderTarget* target, TextFormats& formats, IconBitmapCache& icons,
            ScreenBackdrop* backdrop = nullptr)
      : target_(target), formats_(formats), icons_(icons), backdrop_(backdrop) {}

  TextSize MeasureText(std::string_view text, double size, bool bold, double maxWidth) override;
  void FillRounded(const Rect& rect, double radius, Color color) override;
  void StrokeRounded(const Rect& rect, double radius, Color color, double strokeWidth) override;
  void DrawLabel(std::string_view text, const Rect& rect, Color color, double size, bool bold,
                 TextAlign align) override;
  void DrawWrappedText(std::string_view text, Point topLeft, double maxWidth, Color color,
                       double size, bool bold) override;
  void DrawIcon(IconId icon, const Rect& rect) override;
  void DrawLine(Point from, Point to, Color color, double width) override;
  void FillTriangle(Point a, Point b, Point c, Color color) override;
  void FillCircle(Point centre, double radius, Color color) override;
  void DrawBackdrop(const Rect& rect, double blurOpacity) override;

 private:
  ID2D1RenderTarget* target_;
  TextFormats& formats_;
  IconBitmapCache& icons_;
  ScreenBackdrop* backdrop_;
};

}  // namespace tessary
