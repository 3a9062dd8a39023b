#include "surfaces/picker_paint.h"

#include <algorithm>

namespace tessary {
namespace {

constexpr double kBodyInset = 6;
constexpr double kBodyRadius = 14;
constexpr double kCardRadius = 10;
constexpr double kRegionRadius = 5;
constexpr double kMaxIcon = 22;
constexpr double kMinIcon = 10;

void PaintCard(Canvas& canvas, const Theme& theme, const PickerPaintInput& input,
               const PickerCard& card) {
  const bool hoveredCard = card.layout == input.hovered.layout;
  const bool currentCard = card.layout == input.current;
  canvas.FillRounded(card.card, kCardRadius, hoveredCard ? theme.accentTint : theme.cardFill);

  const std::map<std::int32_t, IconId>* icons = nullptr;
  if (input.icons) {
    auto it = input.icons->find(card.layout);
    if (it != input.icons->end()) icons = &it->second;
  }
  for (const auto& [region, rect] : card.regions) {
    const bool lit = hoveredCard && (input.gallery || region == input.hovered.region);
    canvas.FillRounded(rect, kRegionRadius, lit ? theme.accent : theme.regionFill);
    if (lit) {
      canvas.StrokeRounded(rect, kRegionRadius, SeeThrough(theme, theme.highlightText, 0.35), 1);
    } else {
      EdgeInContrast(canvas, theme, rect, kRegionRadius);
    }
    if (input.gallery || !icons) continue;
    auto icon = icons->find(region);
    if (icon == icons->end() || icon->second == kNoIcon) continue;
    const double size = std::min({kMaxIcon, rect.width - 6, rect.height - 6});
    if (size < kMinIcon) continue;
    canvas.DrawIcon(icon->second, {rect.x + (rect.width - size) / 2,
                                   rect.y + (rect.height - size) / 2, size, size});
  }

  const std::string& name = (*input.layouts)[static_cast<std::size_t>(card.layout)].name;
  canvas.DrawLabel(name, card.label,
                   InkOnFill(theme, hoveredCard, currentCard ? theme.accent : theme.text), 11.5,
                   hoveredCard || currentCard, TextAlign::kCenter);
}

}  // namespace

void PaintPicker(Canvas& canvas, const Theme& theme, const PickerPaintInput& input, double width,
                 double height) {
  const Rect body{kBodyInset, kBodyInset, width - 2 * kBodyInset, height - 2 * kBodyInset};
  canvas.DrawShadow(body, kBodyRadius, theme.dark);
  canvas.FillRounded(body, kBodyRadius, theme.background);
  canvas.StrokeRounded(body, kBodyRadius, theme.border, 1);
  if (!input.geometry) return;

  const Rect& header = input.geometry->header;
  const Rect line{header.x + 6, header.y, header.width - 12, header.height};
  canvas.DrawLabel(PickerTitle(input.gallery, input.interactive), line, theme.text, 13, true,
                   TextAlign::kLeading);
  canvas.DrawLabel(input.interactive ? kPickerInteractiveHint : kPickerDragHint, line,
                   theme.secondaryText, 11.5, false, TextAlign::kTrailing);

  if (!input.layouts) return;
  for (const PickerCard& card : input.geometry->cards) {
    if (card.layout < 0 || static_cast<std::size_t>(card.layout) >= input.layouts->size()) continue;
    PaintCard(canvas, theme, input, card);
  }
}

}  // namespace tessary
