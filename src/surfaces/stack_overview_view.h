#pragma once

// The stack overview: a window over a stack's area showing every member side by side as a
// live preview on a blurred copy of the screen, picked with the mouse or the keyboard. It
// zooms and fades in when it opens and out when it closes. It never acts by itself: its
// callbacks tell the owner what the user chose, and the owner destroys it after closed.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/stack_overview_geometry.h"
#include "surfaces/stack_overview_paint.h"

namespace tessary {

inline constexpr const char* kOverviewClassName = "TessaryStackOverview";
inline constexpr const char* kOverviewTitle = "Stack Overview";

// One member, the front window first.
struct OverviewEntry {
  WindowId window = kNoWindow;
  std::string title;
  std::string appName;
  IconId icon = kNoIcon;
  OverviewFrameSize frame;
  // The visible frame inside the window's rectangle (relative to its top-left), so that
  // a preview leaves out the invisible resize borders; zero: the whole window.
  Rect frameInWindow;
};

// Called from the view's input handlers: the owner posts rather than acts.
struct OverviewCallbacks {
  std::function<void(WindowId)> choose;
  std::function<void()> dismiss;
  std::function<void()> closed;  // the closing animation is over and the window hidden
};

class StackOverviewView : public SurfaceInput {
 public:
  StackOverviewView(SurfaceFactory& factory, ThemeSource& theme, Clock& clock)
      : factory_(factory), theme_(theme), clock_(clock) {}
  ~StackOverviewView() override;
  StackOverviewView(const StackOverviewView&) = delete;
  StackOverviewView& operator=(const StackOverviewView&) = delete;

  // Lays out one card per entry over `area` (desktop pixels, rounded), shows the window in
  // front with the keyboard and starts the opening (at once when `animations` is off).
  // False, with everything released, when the cards do not fit or the window cannot be made.
  bool Open(const Rect& area, double scale, std::vector<OverviewEntry> entries, bool animations,
            OverviewCallbacks callbacks);
  // Starts the closing (once): the window takes no more input.
  void Close();
  void Destroy();

  WindowId Window() const { return surface_ ? surface_->Window() : kNoWindow; }
  Surface* GetSurface() const { return surface_.get(); }
  const Rect& Area() const { return area_; }
  const std::vector<OverviewEntry>& Entries() const { return entries_; }
  const std::vector<Rect>& Cards() const { return cards_; }
  // Per card: the system draws its live preview.
  const std::vector<bool>& LiveThumbnails() const { return live_; }
  double Progress() const { return progress_; }
  bool Closing() const { return closing_; }
  int Selected() const { return selected_; }
  int Hovered() const { return hovered_; }
  // The desktop point at the centre of card `index`.
  Point CardCentre(int index) const;

  // SurfaceInput.
  void OnTimer(int id) override;
  void OnKeyDown(std::uint32_t virtualKey) override;
  void OnPointerMove(Point desktop) override;
  void OnPointerRelease(Point desktop) override;
  void OnSecondaryRelease(Point desktop, bool alt) override;
  void OnPointerLeave() override;
  void OnDeactivate() override;
  bool ActivateOnClick() override { return true; }

 private:
  Point WindowPoint(Point desktop) const;
  void Choose(int card);
  void Dismiss();
  void Finish();
  void SubscribeFrames(bool on);
  void UpdateThumbnails();
  void Paint();

  SurfaceFactory& factory_;
  ThemeSource& theme_;
  Clock& clock_;
  std::unique_ptr<Surface> surface_;
  OverviewCallbacks callbacks_;
  std::vector<OverviewEntry> entries_;
  std::vector<Rect> cards_;
  std::vector<OverviewPaintCard> paintCards_;
  std::vector<ThumbnailId> thumbnails_;  // one per entry; kNoThumbnail when refused
  std::vector<bool> live_;
  Rect area_;
  double scale_ = 1;
  double progress_ = 0;
  double startProgress_ = 0;
  double startTime_ = 0;
  bool animating_ = false;
  bool ticking_ = false;  // subscribed to frame ticks
  bool closing_ = false;
  int hovered_ = -1;
  int selected_ = 0;
};

}  // namespace tessary
