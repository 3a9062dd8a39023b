#include "surfaces/toast_layout.h"

#include <algorithm>
#include <cmath>

#include "platform/surface.h"

namespace tessary {

std::optional<ToastLayout> LayOutToast(const ToastText& text,
                                       const std::vector<ToastDisplay>& displays, Point cursor,
                                       TextMeasurer& measurer) {
  if (displays.empty()) return std::nullopt;
  const ToastDisplay* display = &displays.front();
  for (const ToastDisplay& candidate : displays) {
    if (candidate.bounds.Contains(cursor)) {
      display = &candidate;
      break;
    }
  }
  const Rect& work = display->work;
  ToastLayout layout;
  layout.scale = SanitizeScale(display->scale);
  const double scale = layout.scale;
  // At least one unit: a negative width would make the text system refuse to lay out.
  layout.maxText =
      std::max(std::min(work.width / scale - 40, 520.0) - kToastTextLeft - kToastTextRight, 1.0);

  const TextSize title = measurer.MeasureText(text.title, 14, true, layout.maxText);
  TextSize body;
  if (!text.body.empty()) body = measurer.MeasureText(text.body, 13, false, layout.maxText);
  layout.textWidth = std::ceil(std::min(std::max(title.width, body.width), layout.maxText));
  layout.titleHeight = title.height;
  layout.bodyHeight = text.body.empty() ? 0 : body.height;

  layout.widthDip = layout.textWidth + kToastTextLeft + kToastTextRight;
  layout.heightDip = std::max(title.height + (text.body.empty() ? 0 : body.height + 3) + 28, 48.0);
  layout.width = std::round(layout.widthDip * scale);
  layout.height = std::round(layout.heightDip * scale);
  layout.x = std::round(work.x + work.width / 2 - layout.width / 2);
  layout.y = std::round(work.y + work.height - 40 * scale - layout.height);
  return layout;
}

}  // namespace tessary
