#pragma once

// The toast: the one way the program tells the user something in passing. A small card
// rises and fades in at the bottom centre of the display under the pointer, holds for a
// few seconds and fades out; a click dismisses it early. A new message replaces the one
// on screen without flashing. Without a toast surface the shell shows a notification-area
// balloon instead.

#include <memory>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/toast_layout.h"
#include "surfaces/toast_text.h"

namespace tessary {

inline constexpr const char* kToastTitle = "Tessary message";
inline constexpr const char* kToastClass = "TessaryToast";
inline constexpr int kToastHoldTimerId = 2;
// How long engine messages stay, and tips and diagnostics notices.
inline constexpr double kToastSeconds = 4.0;
inline constexpr double kToastLongSeconds = 7.0;

enum class ToastPhase { kHidden, kFadingIn, kHolding, kFadingOut };

class Toast : public SurfaceInput {
 public:
  Toast(ThemeSource& theme, Clock& clock) : theme_(theme), clock_(clock) {}
  ~Toast() override;
  Toast(const Toast&) = delete;
  Toast& operator=(const Toast&) = delete;

  // Not interactive (never takes the focus) but clickable, so a click can dismiss it.
  bool Create(SurfaceFactory& factory);

  // Shows `text` for `seconds` on the display under `cursor`. `animations` is the
  // system's client-area animation switch: off, the toast appears and goes at once. False
  // when there is no surface or no display (the caller then uses the balloon).
  bool Show(std::string_view text, double seconds, const std::vector<ToastDisplay>& displays,
            Point cursor, bool animations);

  // One animation step; frame ticks and the hold timer both run it.
  void Step();

  void OnTimer(int id) override;
  void OnPointerRelease(Point desktop) override;

  ToastPhase Phase() const;
  double Opacity() const { return opacity_; }
  bool FadingOut() const { return fadingOut_; }
  double HideAt() const { return hideAt_; }
  const ToastText& Text() const { return text_; }
  ToastTone Tone() const { return tone_; }
  const ToastLayout& Layout() const { return layout_; }
  Surface* GetSurface() { return surface_.get(); }

 private:
  void Paint(double offset);
  double RiseOffset() const;
  void StartHold(double now);

  ThemeSource& theme_;
  Clock& clock_;
  TextMeasurer* measurer_ = nullptr;
  std::unique_ptr<Surface> surface_;
  ToastText text_;
  ToastTone tone_ = ToastTone::kNeutral;
  ToastLayout layout_;
  double shownAt_ = 0;
  double hideAt_ = 0;
  double opacity_ = 0;
  bool fadingOut_ = false;
  bool animations_ = true;
};

}  // namespace tessary
