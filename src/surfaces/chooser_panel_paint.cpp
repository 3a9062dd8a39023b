#include "surfaces/chooser_panel_paint.h"

#include <algorithm>
#include <string>

namespace tessary {
namespace {

constexpr Color Rgb(double r, double g, double b, double a = 1) {
  return {r / 255, g / 255, b / 255, a};
}

Rect Inset(const Rect& r, double left, double right) {
  return {r.x + left, r.y, r.width - left - right, r.height};
}

Rect Moved(const Rect& r, double dy) { return {r.x, r.y + dy, r.width, r.height}; }

bool Present(const Rect& r) { return r.width > 0 && r.height > 0; }

Color GroupAreaFill(const Theme& theme) {
  if (theme.highContrast) return theme.cardFill;
  return theme.dark ? Rgb(42, 42, 42) : Rgb(228, 228, 228);
}

void PaintHeader(Canvas& canvas, const Theme& theme, const ChooserPaintInput& in, double w) {
  const ChooserConfig& config = *in.config;
  const ChooserGeometry& g = *in.geometry;
  canvas.DrawLabel(config.header, {18, 12, w - (config.paging ? 130 : 36), 28}, theme.text, 15,
                   true, TextAlign::kLeading);
  if (config.paging) {
    const std::pair<const Rect*, const char*> arrows[] = {{&g.previous, "‹"}, {&g.next, "›"}};
    const int ids[] = {chooser_item::kPrevious, chooser_item::kNext};
    for (int i = 0; i < 2; ++i) {
      if (in.hovered == ids[i]) canvas.FillRounded(*arrows[i].first, 6, theme.regionFill);
      canvas.DrawLabel(arrows[i].second, Moved(*arrows[i].first, -3), theme.text, 20, false,
                       TextAlign::kCenter);
    }
    canvas.DrawLabel(std::to_string(in.choices->size()), {w - 50, 15, 32, 22}, theme.secondaryText,
                     12.5, false, TextAlign::kTrailing);
  }
  if (config.tabs.empty()) return;
  canvas.DrawLabel("Layouts", {18, 48, 66, 16}, theme.secondaryText, 11, true, TextAlign::kLeading);
  for (std::size_t i = 0; i < g.tabs.size() && i < config.tabs.size(); ++i) {
    const bool current = static_cast<int>(i) == config.currentTab;
    const bool hovered = in.hovered == chooser_item::kTabBase + static_cast<int>(i);
    const Rect& tab = g.tabs[i];
    if (current) {
      canvas.FillRounded(tab, 6, SeeThrough(theme, theme.accent, 0.22));
      canvas.StrokeRounded(tab, 6, theme.accent, 1.5);
    } else {
      canvas.FillRounded(tab, 6, hovered ? theme.hoverFill : theme.regionFill);
      if (!hovered) EdgeInContrast(canvas, theme, tab, 6);
    }
    const std::string label =
        i < 9 ? std::to_string(i + 1) + "  " + config.tabs[i] : config.tabs[i];
    canvas.DrawLabel(label, Inset(tab, 6, 6), InkOnFill(theme, current || hovered, theme.text),
                     11.5, current, TextAlign::kCenter);
  }
}

void PaintGroupsAndActionB(Canvas& canvas, const Theme& theme, const ChooserPaintInput& in) {
  const ChooserConfig& config = *in.config;
  const ChooserGeometry& g = *in.geometry;
  for (std::size_t i = 0; i < g.groupAreas.size() && i < config.groups.size(); ++i) {
    const Rect& a = g.groupAreas[i];
    canvas.FillRounded(a, 8, GroupAreaFill(theme));
    canvas.StrokeRounded(a, 8, theme.border, 1);
    canvas.DrawLabel(config.groups[i].name, {a.x + 10, a.y + 4, a.width - 20, 16},
                     theme.secondaryText, 11, true, TextAlign::kLeading);
  }
  if (!config.actionB || !Present(g.actionB)) return;
  const Rect& b = g.actionB;
  const bool hovered = in.hovered == chooser_item::kActionB;
  canvas.FillRounded(b, 8, hovered ? theme.accentTint : theme.cardFill);
  canvas.StrokeRounded(b, 8, hovered ? theme.accent : theme.border, hovered ? 2 : 1);
  const double iconSide = std::min({22.0, b.width - 6, b.height - 6});
  for (const ChooserMiniRegion& region : config.actionBMiniature) {
    const Rect& f = region.fraction;
    const Rect r{b.x + 13 + f.x * (b.width - 24), b.y + 11 + f.y * (b.height - 58),
                 f.width * (b.width - 24) - 2, f.height * (b.height - 58) - 2};
    canvas.FillRounded(r, 3, WithAlpha(theme.accent, 0.25));
    canvas.StrokeRounded(r, 3, WithAlpha(theme.accent, 0.7), 1);
    if (iconSide >= 10) {
      canvas.DrawIcon(region.icon, {r.x + (r.width - iconSide) / 2, r.y + (r.height - iconSide) / 2,
                                    iconSide, iconSide});
    }
  }
  canvas.DrawLabel(config.actionBLabel, {b.x + 12, b.y + b.height - 42, b.width - 24, 18},
                   InkOnFill(theme, hovered, theme.text), 12, true, TextAlign::kLeading);
  const Rect second{b.x + 12, b.y + b.height - 24, b.width - 24, 16};
  if (config.actionBDone) {
    canvas.DrawLabel("✓ In front", second, InkOnFill(theme, hovered, theme.accent), 11, false,
                     TextAlign::kLeading);
  } else {
    canvas.DrawLabel(config.actionBShortcut, second, InkOnFill(theme, hovered, theme.secondaryText),
                     11, false, TextAlign::kLeading);
  }
}

void PaintCaption(Canvas& canvas, const Theme& theme, const ChooserChoice& choice,
                  const Rect& textBox, bool lit) {
  const Color text = InkOnFill(theme, lit, theme.text);
  if (choice.appName.empty()) {
    canvas.DrawLabel(choice.title, textBox, text, 12, false, TextAlign::kLeading);
    return;
  }
  canvas.DrawLabel(choice.appName, textBox, text, 12, true, TextAlign::kLeading);
  if (choice.title.empty() || choice.title == choice.appName) return;
  const double nameWidth = canvas.MeasureText(choice.appName, 12, true, 100000).width;
  const double room = textBox.width - nameWidth - 6;
  if (room > 24) {
    canvas.DrawLabel(choice.title, {textBox.x + nameWidth + 6, textBox.y, room, textBox.height},
                     InkOnFill(theme, lit, theme.secondaryText), 11.5, false, TextAlign::kLeading);
  }
}

void PaintCard(Canvas& canvas, const Theme& theme, const ChooserPaintInput& in, int i) {
  const auto at = static_cast<std::size_t>(i);
  const Rect& card = in.geometry->cards[at];
  if (!Present(card)) return;
  const ChooserConfig& config = *in.config;
  const ChooserChoice& choice = (*in.choices)[at];
  const Rect& stretch = in.geometry->stretch[at];
  const bool stretchHovered = in.hovered == chooser_item::kStretchBase + i;
  const bool lit = in.hovered == i || (in.hasFocus && in.focus == i);
  const bool current = config.current != kNoWindow && choice.window == config.current;
  canvas.FillRounded(card, 8, lit || current ? theme.accentTint : theme.cardFill);
  if (lit || current) {
    canvas.StrokeRounded(card, 8, theme.accent, 2);
  } else {
    EdgeInContrast(canvas, theme, card, 8);
  }

  const bool live = in.liveThumbnails && at < in.liveThumbnails->size() && (*in.liveThumbnails)[at];
  const Rect fallback = ChooserFallbackIconRect(in.geometry->previews[at]);
  if (!live && fallback.width >= 8) canvas.DrawIcon(choice.icon, fallback);

  const double x = card.x;
  const double y = card.y;
  const double h = card.height;
  const bool badge = !config.leaveEmpty && i < 9;
  const bool showStretch = Present(stretch) && (in.hovered == i || stretchHovered);
  canvas.DrawIcon(choice.icon, {x + 6, y + h - 22, 16, 16});
  const Rect textBox{
      x + 26, y + h - 24,
      card.width - 32 - (badge ? 22 : 0) - (showStretch ? 26 : 0) - (current ? 18 : 0), 20};
  PaintCaption(canvas, theme, choice, textBox, lit || current);
  if (current) {
    const Rect mark{textBox.Right() + 2, y + h - 22, 16, 16};
    canvas.FillRounded(mark, 8, theme.accent);
    canvas.DrawLabel("✓", mark, theme.highlightText, 10.5, true, TextAlign::kCenter);
  }
  if (showStretch) {
    canvas.FillRounded(stretch, 5,
                       stretchHovered ? theme.accent : SeeThrough(theme, theme.background, 0.9));
    canvas.DrawLabel("↔", Moved(stretch, -1),
                     stretchHovered ? theme.highlightText : theme.secondaryText, 12, true,
                     TextAlign::kCenter);
  }
  if (badge) {
    const Rect number{x + card.width - 24, y + h - 23, 18, 18};
    canvas.FillRounded(number, 5, SeeThrough(theme, theme.background, 0.9));
    canvas.DrawLabel(std::to_string(i + 1), number, theme.secondaryText, 11, true,
                     TextAlign::kCenter);
  }
}

void PaintButtons(Canvas& canvas, const Theme& theme, const ChooserPaintInput& in) {
  const ChooserGeometry& g = *in.geometry;
  if (in.config->leaveEmpty && Present(g.leaveEmpty)) {
    const bool hovered = in.hovered == chooser_item::kLeaveEmpty;
    canvas.FillRounded(g.leaveEmpty, 6, hovered ? theme.hoverFill : theme.regionFill);
    if (!hovered) EdgeInContrast(canvas, theme, g.leaveEmpty, 6);
    canvas.DrawLabel(kChooserLeaveEmptyText, g.leaveEmpty, InkOnFill(theme, hovered, theme.text),
                     12.5, false, TextAlign::kCenter);
  }
  const bool hovered = in.hovered == chooser_item::kPrimary;
  canvas.FillRounded(g.primary, 6, hovered ? SeeThrough(theme, theme.accent, 0.85) : theme.accent);
  canvas.DrawLabel(in.config->primaryText, g.primary, theme.highlightText, 12.5, true,
                   TextAlign::kCenter);
}

}  // namespace

Color ChooserBackground(const Theme& theme) {
  if (theme.highContrast) return theme.background;
  return theme.dark ? Rgb(28, 28, 28) : Rgb(243, 243, 243);
}

Rect ChooserFallbackIconRect(const Rect& preview) {
  const double side = std::min(std::min(preview.width, preview.height) / 2, 96.0);
  if (!(side > 0)) return {};
  return {preview.x + (preview.width - side) / 2, preview.y + (preview.height - side) / 2, side,
          side};
}

void PaintChooser(Canvas& canvas, const Theme& theme, const ChooserPaintInput& in, double width,
                  double height) {
  if (!in.geometry || !in.config || !in.choices) return;
  canvas.FillRounded({0, 0, width, height}, 0, ChooserBackground(theme));
  canvas.StrokeRounded({0, 0, width, height}, 8, SeeThrough(theme, theme.accent, 0.8), 2);
  PaintHeader(canvas, theme, in, width);
  if (in.choices->empty()) {
    canvas.DrawLabel(kChooserNoChoicesText, {18, height / 2 - 14, width - 36, 28},
                     theme.secondaryText, 13, false, TextAlign::kCenter);
  }
  PaintGroupsAndActionB(canvas, theme, in);
  const int n = static_cast<int>(std::min(in.choices->size(), in.geometry->cards.size()));
  for (int i = 0; i < n; ++i) PaintCard(canvas, theme, in, i);
  PaintButtons(canvas, theme, in);
}

}  // namespace tessary
