#include "surfaces/badge_paint.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tessary {
namespace {

Rect Grown(const Rect& r, double dx, double dy) {
  return {r.x - dx, r.y - dy, r.width + 2 * dx, r.height + 2 * dy};
}

Color Scaled(Color color, double factor) { return WithAlpha(color, color.a * factor); }

void PaintGrip(Canvas& canvas, const Theme& theme, const Rect& grip, double g) {
  const double strength = std::max(0.0, 2 * g - 1);
  if (grip.width < 4 || strength <= 0) return;
  const Point centre{grip.x + grip.width / 2, grip.y + grip.height / 2};
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 3; ++column) {
      canvas.FillCircle({centre.x + (column - 1) * 4, centre.y + (row - 0.5) * 4}, 1.25,
                        Scaled(theme.secondaryText, strength));
    }
  }
}

Rect GroupBox(const BadgeParts& parts, int groupCount) {
  const Rect& first = parts.icons.front();
  const Rect& last = parts.icons[static_cast<std::size_t>(groupCount - 1)];
  return Grown({first.x, first.y, first.width, last.Bottom() - first.y}, 3, 3);
}

void PaintGroupFrame(Canvas& canvas, const Theme& theme, const BadgeParts& parts,
                     int groupCount, bool hovered, double g) {
  const Rect box = GroupBox(parts, groupCount);
  // In a contrast theme the frame is its edge alone, so a hovered icon's highlight shows in it.
  if (!theme.highContrast) {
    canvas.FillRounded(box, 9, WithAlpha(theme.accent, g * (hovered ? 0.32 : 0.16)));
  }
  canvas.StrokeRounded(box, 9, SeeThrough(theme, theme.accent, 0.55 * g), 1);
}

// The bar under the icon of a spanning window, with its arrow once the badge has grown.
void PaintSpanBar(Canvas& canvas, const Theme& theme, const Rect& icon, int units, double g) {
  const double b = 5 * g + 3;
  const double d = b >= 6 ? 2 : 1;
  const Rect bar{std::round(icon.x - d), std::round(icon.Bottom() - 0.55 * b),
                 std::round(icon.width + 2 * d), std::round(b)};
  const double barRadius = std::min(bar.width, bar.height) / 2;
  canvas.FillRounded(bar, barRadius, theme.accent);
  if (b >= 6) {
    canvas.StrokeRounded(Grown(bar, -0.5, -0.5), barRadius,
                         SeeThrough(theme, theme.highlightText, 0.9), 1);
  }
  if (g >= 0.7) {
    const Rect glyph{bar.x, bar.y - 3, bar.width, bar.height + 4};
    canvas.DrawLabel(units > 1 ? "\xE2\x86\x94" : "\xE2\x86\x95", glyph, theme.highlightText, 7.5,
                     true, TextAlign::kCenter);
  }
}

void PaintIcons(Canvas& canvas, const Theme& theme, const BadgePaintInput& input) {
  const BadgeContent& content = *input.content;
  const BadgeParts& parts = *input.parts;
  const double g = input.growth;
  for (std::size_t k = 0; k < parts.icons.size(); ++k) {
    Rect icon = parts.icons[k];
    const bool hovered =
        input.hovered.part == BadgePart::kIcon && input.hovered.icon == static_cast<int>(k);
    if (hovered && g >= 0.5) {
      canvas.FillRounded(Grown(icon, 3, 3), 7, SeeThrough(theme, theme.accent, 0.35));
    }
    if (hovered && g >= 1) icon = Grown(icon, 1.5, 1.5);
    canvas.DrawIcon(content.icons[k].icon, icon);
    const int units = content.icons[k].widthUnits;
    if (units >= 1) PaintSpanBar(canvas, theme, icon, units, g);
  }
}

void PaintGroupButton(Canvas& canvas, const Theme& theme, const BadgeParts& parts,
                      int groupCount, double g) {
  const double a = std::min(1.0, 2 * g - 1);
  const Rect& button = *parts.groupButton;
  const Rect box = GroupBox(parts, groupCount);
  if (button.width > 4) {
    const double x = button.x + button.width / 2;
    canvas.DrawLine({x, box.Bottom()}, {x, button.y}, WithAlpha(theme.text, 0.28 * a), 1);
  }
  for (int step = 1; step <= 4; ++step) {
    const double grow = 5 - step;  // 4, 3, 2, 1 units
    canvas.FillRounded(Grown(button, grow, grow), button.width / 2 + grow,
                       WithAlpha(theme.accent, step * 0.45 * 0.22 * 0.25 * a));
  }
  canvas.FillRounded(button, button.width / 2, WithAlpha(theme.accent, a));
  // Two chevrons pointing up: bring the covered windows to the front.
  const Point c{button.x + button.width / 2, button.y + button.height / 2};
  for (double dy : {-2.5, 2.5}) {
    canvas.DrawLine({c.x - 4, c.y + dy + 2}, {c.x, c.y + dy - 2}, WithAlpha(theme.highlightText, a),
                    1.5);
    canvas.DrawLine({c.x, c.y + dy - 2}, {c.x + 4, c.y + dy + 2}, WithAlpha(theme.highlightText, a),
                    1.5);
  }
}

void PaintOverflow(Canvas& canvas, const Theme& theme, const BadgePaintInput& input) {
  const BadgeParts& parts = *input.parts;
  const double g = input.growth;
  const Rect& button = *parts.overflowButton;
  const bool hovered = input.overflowActive && input.hovered.part == BadgePart::kOverflow;
  if (hovered && g >= 0.5) {
    canvas.FillRounded({button.x + 3, button.y, button.width - 6, button.height}, 7,
                       SeeThrough(theme, theme.accent, 0.35));
  }
  canvas.DrawLabel("+" + std::to_string(parts.hiddenCount), button,
                   hovered ? InkOnFill(theme, g >= 0.5, theme.text) : theme.secondaryText,
                   8 + 3 * g, true, TextAlign::kCenter);
}

}  // namespace

void PaintBadge(Canvas& canvas, const Theme& theme, const BadgePaintInput& input) {
  const BadgeContent& content = *input.content;
  const BadgeParts& parts = *input.parts;
  const double g = input.growth;
  if (parts.icons.empty()) return;
  const bool group = content.groupCount >= 2 &&
                     static_cast<std::size_t>(content.groupCount) <= parts.icons.size();

  const Rect body{0, 0, parts.width, parts.height};
  const double radius = std::min(body.width, body.height) / 2;
  canvas.FillRounded(body, radius, SeeThrough(theme, theme.background, 0.82 + 0.15 * g));
  canvas.StrokeRounded(body, radius, SeeThrough(theme, theme.text, 0.08 + 0.08 * g), 0.5);
  PaintGrip(canvas, theme, parts.grip, g);
  if (group && g > 0) {
    PaintGroupFrame(canvas, theme, parts, content.groupCount,
                    input.hovered.part == BadgePart::kGroupButton, g);
  }
  PaintIcons(canvas, theme, input);
  if (group && g > 0.5 && parts.groupButton) {
    PaintGroupButton(canvas, theme, parts, content.groupCount, g);
  }
  if (parts.overflowButton) PaintOverflow(canvas, theme, input);
}

}  // namespace tessary
