#include "surfaces/outline.h"

#include <algorithm>
#include <optional>

#include "base/log.h"

namespace tessary {

void PaintOutline(Canvas& canvas, const Theme& theme, double width, double height,
                  const std::string& label, bool armed) {
  const Rect frame{1, 1, width - 2, height - 2};
  // The wash stays see-through in every theme: it shows where the window lands over what is there.
  canvas.FillRounded(frame, 8, WithAlpha(theme.accent, armed ? 0.30 : 0.16));
  canvas.StrokeRounded(frame, 8, WithAlpha(theme.accent, armed ? 0.95 : 0.6), armed ? 3 : 2);
  // A label needs room for its pill; small outlines go without.
  if (label.empty() || width <= 140 || height <= 60) return;
  const double pillWidth = std::min(width - 24, 280.0);
  const Rect pill{(width - pillWidth) / 2, height / 2 - 20, pillWidth, 40};
  canvas.FillRounded(pill, 20, SeeThrough(theme, theme.background, 0.94));
  canvas.DrawLabel(label, {pill.x + 14, pill.y, pill.width - 28, pill.height},
                   armed ? theme.text : theme.secondaryText, 14, armed, TextAlign::kCenter);
}

Outline::~Outline() {
  if (surface_) surface_->Destroy();
}

bool Outline::Create(SurfaceFactory& factory, const std::string& title) {
  SurfaceOptions options;
  options.title = title;
  options.topmost = true;
  surface_ = CreateSurface(factory, options);
  return surface_ != nullptr;
}

void Outline::Show(const Rect& rect, double scale, const std::string& label, bool armed,
                   WindowId anchor) {
  if (!surface_) return;
  if (surface_->Visible() && rect == rect_ && label == label_ && armed == armed_) return;
  rect_ = rect;
  label_ = label;
  armed_ = armed;
  // Appearing is what a user waits for; a visible outline following the pointer is not.
  std::optional<PerformanceRecord> appearing;
  if (!surface_->Visible()) appearing.emplace("outline-show");
  PerformanceMarkScope marks(appearing ? &*appearing : nullptr);
  surface_->Present(
      rect, scale,
      [this](Canvas& canvas, double width, double height) {
        PaintOutline(canvas, ReadTheme(theme_), width, height, label_, armed_);
      },
      anchor == kNoWindow ? SurfaceAnchor::Topmost() : SurfaceAnchor::Below(anchor));
  if (appearing) appearing->Finish();
}

void Outline::Hide() {
  if (surface_) surface_->Hide();
}

}  // namespace tessary
