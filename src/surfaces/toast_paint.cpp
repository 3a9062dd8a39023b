#include "surfaces/toast_paint.h"

namespace tessary {

Color ToastToneColor(ToastTone tone, const Theme& theme) {
  // A contrast theme allows only its own colours; the glyph still tells the tones apart.
  if (theme.highContrast) return theme.accent;
  switch (tone) {
    case ToastTone::kProblem:
      return {232 / 255.0, 162 / 255.0, 0, 1};
    case ToastTone::kSuccess:
      return {46 / 255.0, 160 / 255.0, 67 / 255.0, 1};
    case ToastTone::kNeutral:
      break;
  }
  return theme.accent;
}

const char* ToastToneGlyph(ToastTone tone) {
  switch (tone) {
    case ToastTone::kProblem:
      return "!";
    case ToastTone::kSuccess:
      return "\u2713";
    case ToastTone::kNeutral:
      break;
  }
  return "i";
}

void PaintToast(Canvas& canvas, const Theme& theme, double width, double height,
                const ToastText& text, ToastTone tone, const ToastLayout& layout) {
  const Rect card{0.5, 0.5, width - 1, height - 1};
  // A one-line toast is a pill; taller ones keep a fixed corner.
  const double radius = height <= 56 ? height / 2 : 24;
  const Color toneColor = ToastToneColor(tone, theme);
  canvas.FillRounded(card, radius, SeeThrough(theme, theme.background, 0.97));
  if (tone != ToastTone::kNeutral && !theme.highContrast) {
    canvas.FillRounded(card, radius,
                       WithAlpha(toneColor, tone == ToastTone::kProblem ? 0.14 : 0.08));
  }
  canvas.StrokeRounded(card, radius, theme.border, 1);

  const bool hasBody = !text.body.empty();
  const Rect icon{14, hasBody ? 15 : (height - 26) / 2, 26, 26};
  canvas.FillCircle({icon.x + 13, icon.y + 13}, 13, toneColor);
  canvas.DrawLabel(ToastToneGlyph(tone), icon, theme.highlightText, 15, true, TextAlign::kCenter);

  // Wrapped at the width the text was measured with, so the lines break exactly as
  // measured even when the card's pixel size rounded a fraction below it.
  const double textHeight = layout.titleHeight + (hasBody ? layout.bodyHeight + 3 : 0);
  const double top = (height - textHeight) / 2;
  canvas.DrawWrappedText(text.title, {kToastTextLeft, top}, layout.maxText, theme.text, 14, true);
  if (hasBody) {
    canvas.DrawWrappedText(text.body, {kToastTextLeft, top + layout.titleHeight + 3},
                           layout.maxText, theme.secondaryText, 13, false);
  }
}

}  // namespace tessary
