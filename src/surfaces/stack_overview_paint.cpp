#include "surfaces/stack_overview_paint.h"

#include <algorithm>

#include "surfaces/stack_overview_geometry.h"

namespace tessary {
namespace {

// The theme's card fill is a tint meant for the panel's background; over the darkened
// screen the card shows it as it looks on that background, opaque.
Color OpaqueCardFill(const Theme& theme) {
  const Color& tint = theme.cardFill;
  const Color& under = theme.background;
  auto mix = [&](double a, double b) { return a * tint.a + b * (1 - tint.a); };
  return {mix(tint.r, under.r), mix(tint.g, under.g), mix(tint.b, under.b), 1};
}

}  // namespace

void PaintOverview(Canvas& canvas, const Theme& theme, const OverviewPaintInput& input,
                   double width, double height) {
  const double p = std::clamp(input.progress, 0.0, 1.0);
  const double s = input.scale;
  const Rect whole{0, 0, width, height};
  canvas.DrawBackdrop(whole, 0.8 * p);
  canvas.FillRounded(whole, 0, WithAlpha(kBlack, 0.12 * p));
  const int ring = input.hovered >= 0 ? input.hovered : input.selected;
  for (std::size_t i = 0; i < input.cards->size(); ++i) {
    const OverviewPaintCard& card = (*input.cards)[i];
    // The card grows with the live preview, which is placed in pixels the same way.
    const Rect px = ScaleAboutCentre(card.rect, 0.9 + 0.1 * p);
    const Rect r{px.x / s, px.y / s, px.width / s, px.height / s};
    if (p > 0.3) canvas.DrawShadow(r, 8, theme.dark);
    canvas.FillRounded(r, 8, WithAlpha(OpaqueCardFill(theme), p));
    const double icon = std::min({64.0, r.width / 3, r.height / 3});
    if (icon * s >= 8) {
      canvas.DrawIcon(card.icon, {r.x + (r.width - icon) / 2, r.y + (r.height - icon) / 2, icon, icon});
    }
    if (!input.closing && static_cast<int>(i) == ring) {
      canvas.StrokeRounded({r.x - 4, r.y - 4, r.width + 8, r.height + 8}, 12,
                           WithAlpha(theme.accent, p), 3);
    }
    const double labelWidth = std::max(160.0, r.width);
    canvas.DrawLabel(card.label, {r.x + (r.width - labelWidth) / 2, r.Bottom() + 4, labelWidth, 18},
                     WithAlpha(kWhite, p), 12, i == 0, TextAlign::kCenter);
  }
}

}  // namespace tessary
