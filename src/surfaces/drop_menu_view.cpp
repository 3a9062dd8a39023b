#include "surfaces/drop_menu_view.h"

#include <optional>

#include "base/log.h"
#include "surfaces/accessible_views.h"
#include "surfaces/drop_glyphs.h"

namespace tessary {

void PaintDropMenu(Canvas& canvas, const Theme& theme, double width, double height,
                   const DropActionMenu& menu, double scale,
                   const std::optional<DropIntent>& highlight, bool armed) {
  scale = SanitizeScale(scale);
  canvas.DrawShadow({4, 4, width - 8, height - 8}, 16, theme.dark);
  const Rect panel{1, 1, width - 2, height - 2};
  canvas.FillRounded(panel, 16, theme.background);
  canvas.StrokeRounded(panel, 16, theme.border, 1);

  for (const DropTile& tile : menu.tiles) {
    const Rect r{(tile.rect.x - menu.rect.x) / scale, (tile.rect.y - menu.rect.y) / scale,
                 tile.rect.width / scale, tile.rect.height / scale};
    const bool lit = highlight && *highlight == tile.intent;
    const bool committed = lit && armed;
    canvas.FillRounded(r, 12, committed ? theme.accent : lit ? theme.accentTint : theme.cardFill);
    if (lit) canvas.StrokeRounded(r, 12, theme.accent, 2);
    const Color ink =
        committed ? theme.highlightText : InkOnFill(theme, lit, lit ? theme.accent : theme.text);
    DrawDropGlyph(
        canvas, tile.intent.kind,
        {r.x + r.width / 2 - kDropGlyphWidth / 2, r.y + 14, kDropGlyphWidth, kDropGlyphHeight},
        ink);
    canvas.DrawLabel(tile.label, {r.x + 4, r.y + r.height - 32, r.width - 8, 24},
                     committed ? theme.highlightText : InkOnFill(theme, lit, theme.text), 12.5, lit,
                     TextAlign::kCenter);
  }
}

DropMenuView::~DropMenuView() {
  if (surface_) surface_->Destroy();
}

bool DropMenuView::Create(SurfaceFactory& factory) {
  SurfaceOptions options;
  options.title = kDropMenuTitle;
  options.topmost = true;
  surface_ = CreateSurface(factory, options);
  return surface_ != nullptr;
}

void DropMenuView::Show(const DropActionMenu& menu, double scale,
                        std::optional<DropIntent> highlight, bool armed) {
  if (!surface_) return;
  if (surface_->Visible() && menu.rect == menu_.rect && menu.tiles == menu_.tiles &&
      highlight == highlight_ && armed == armed_) {
    return;
  }
  menu_ = menu;
  scale_ = scale;
  highlight_ = highlight;
  armed_ = armed;
  // Appearing is what a user waits for; a highlight moving over a visible menu is not.
  std::optional<PerformanceRecord> appearing;
  if (!surface_->Visible()) appearing.emplace("drop-menu-show");
  PerformanceMarkScope marks(appearing ? &*appearing : nullptr);
  surface_->Present(
      menu_.rect, scale,
      [this](Canvas& canvas, double width, double height) {
        PaintDropMenu(canvas, ReadTheme(theme_), width, height, menu_, scale_, highlight_, armed_);
      },
      SurfaceAnchor::Topmost());
  surface_->Describe(DescribeDropMenu(menu_, highlight_));
  if (appearing) appearing->Finish();
}

void DropMenuView::Hide() {
  if (surface_) surface_->Hide();
}

}  // namespace tessary
