#pragma once

// Drawing the toast card: a rounded card tinted by its tone, a round icon and the text.

#include "platform/canvas.h"
#include "surfaces/theme.h"
#include "surfaces/toast_layout.h"
#include "surfaces/toast_text.h"

namespace tessary {

// Problem amber, success green, neutral the accent.
Color ToastToneColor(ToastTone tone, const Theme& theme);

// The glyph in the icon: "!", "✓" or "i".
const char* ToastToneGlyph(ToastTone tone);

// `width` x `height` DIPs: the card as the surface gives it.
void PaintToast(Canvas& canvas, const Theme& theme, double width, double height,
                const ToastText& text, ToastTone tone, const ToastLayout& layout);

}  // namespace tessary
