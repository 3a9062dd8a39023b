#pragma once

// The stack badge: a small strip of app icons standing on (or floating near) the left
// edge of a stack's front window. It grows while the pointer is near, fades in and out,
// and turns clicks into commands through its callbacks; what it shows and where it is
// anchored is decided by the engine's stack pass.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/log.h"
#include "platform/clock.h"
#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/badge_geometry.h"

namespace tessary {

inline constexpr const char* kBadgeTitle = "Tessary stack badge";
inline constexpr const char* kBringThemForwardText = "Bring Them Forward";
inline constexpr const char* kShowWholeStackText = "Show the Whole Stack";
inline constexpr const char* kBadgeClass = "TessaryBadge";

// What the badge's clicks do. Each is called from the badge's input handlers, so the
// owner posts a command instead of acting at once. Unset: the element does nothing.
struct BadgeCallbacks {
  std::function<void(WindowId window)> bringForward;  // an icon
  std::function<void()> bringGroupForward;            // "Bring Them Forward"
  std::function<void()> showWholeStack;               // the overflow button
  std::function<void()> showOverview;                 // right-click
  std::function<void()> showMenu;                     // Alt+right-click on a floating badge
  std::function<void(const Rect& badge)> moved;       // a floating badge dropped
  // The pointer came onto the badge: the owner starts handing it the pointer
  // (TrackPointer) until it no longer WantsPointer.
  std::function<void()> pointerArrived;
};

class Badge : public SurfaceInput {
 public:
  Badge(ThemeSource& theme, Clock& clock) : theme_(theme), clock_(clock) {}
  ~Badge() override;
  Badge(const Badge&) = delete;
  Badge& operator=(const Badge&) = delete;

  // Clickable but never activated, in the ordinary band so it can sit above its window.
  bool Create(SurfaceFactory& factory);
  void SetCallbacks(BadgeCallbacks callbacks) { callbacks_ = std::move(callbacks); }

  // From the stack pass. Unchanged input redraws nothing and answers false; otherwise the
  // badge fades in (if hidden) and is presented anew. `above` is the window directly
  // above the front window (kNoWindow: it is the front-most), so the badge sits between.
  bool Update(WindowId front, const BadgeContent& content, const BadgeAnchor& anchor,
              double scale, WindowId above, bool animations);
  // Fades out and hides.
  void Hide();

  // Timer 8 hands the pointer in: the badge grows while it is near, shrinks otherwise.
  void TrackPointer(Point desktop);
  // Whether the pointer is (or was last seen) near, or a press is held: only then does
  // the badge need TrackPointer. A badge nobody points at costs no timer.
  bool WantsPointer() const { return near_ || pressed_ || dragging_; }

  // Whether a drag or an animation is under way (the pass then keeps the badge).
  bool Busy() const { return dragging_ || grow_.running || fading_.running; }
  bool Shown() const;
  WindowId Front() const { return front_; }
  const BadgeContent& Content() const { return content_; }
  const BadgeAnchor& Anchor() const { return anchor_; }
  double Growth() const { return growth_; }
  double Fade() const { return fade_; }
  BadgeHit Hovered() const { return hovered_; }
  // The badge's rectangle now, desktop pixels.
  Rect Bounds() const;
  BadgeParts Parts() const { return LayOutBadge(content_, growth_); }
  Surface* GetSurface() { return surface_.get(); }

  void OnTimer(int id) override;
  void OnPointerPress(Point desktop) override;
  void OnPointerMove(Point desktop) override;
  void OnPointerRelease(Point desktop) override;
  void OnSecondaryRelease(Point desktop, bool alt) override;
  void OnCaptureLost() override;
  bool CapturesPointer() const override { return true; }

 private:
  struct Animation {
    double from = 0;
    double to = 0;
    double start = 0;
    double seconds = 0;
    bool running = false;
    std::optional<PerformanceRecord> record;
  };
  void Present();
  void Animate(Animation& animation, double current, double target, double seconds,
               const char* record);
  static double Advance(Animation& animation, double now, double (*ease)(double));
  // Advances both animations to now; answers whether one still runs.
  bool Step();
  BadgeHit HitAt(Point desktop) const;
  // Makes `hit` the hovered element and gives the tooltip its text.
  void Hover(BadgeHit hit);

  ThemeSource& theme_;
  Clock& clock_;
  std::unique_ptr<Surface> surface_;
  BadgeCallbacks callbacks_;
  WindowId front_ = kNoWindow;
  WindowId above_ = kNoWindow;
  BadgeContent content_;
  BadgeAnchor anchor_;
  double scale_ = 1;
  bool animations_ = true;
  double growth_ = 0;
  double fade_ = 0;
  Animation grow_;
  Animation fading_;
  BadgeHit hovered_;
  bool near_ = false;
  bool pressed_ = false;
  bool dragging_ = false;
  Point pressPoint_;
  Point dragOffset_;
};

}  // namespace tessary
