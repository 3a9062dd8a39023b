#pragma once

// Simulated surfaces: they keep what a real surface would show (rectangle, anchor,
// visibility, opacity, input flags, where the z-order put them) and the drawing calls of
// their last paint, and they deliver frame ticks, timers, clicks and keys only the way
// the system would (a click-through surface never sees a click; keys reach only a
// focused surface).

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/sim/recording_canvas.h"
#include "platform/sim/sim_dialog_window.h"
#include "platform/sim/sim_transitions.h"
#include "platform/surface.h"

namespace tessary {

// The stacking order that simulated surfaces take part in. The simulated desktop can
// supply its own so surfaces and application windows share one z-order; SimZStack is a
// standalone one.
class SimStacking {
 public:
  virtual ~SimStacking() = default;
  // A new window at the top of its band (the system puts created windows there).
  virtual WindowId AddSurfaceWindow(bool topmost) = 0;
  virtual void RemoveWindow(WindowId window) = 0;
  // The window directly above (GW_HWNDPREV); kNoWindow for the front-most.
  virtual WindowId WindowAbove(WindowId window) = 0;
  virtual bool IsTopmost(WindowId window) = 0;
  // SetWindowPos with the anchor as insert-after. Placed below another window, a window
  // takes that window's band (topmost or not), as the system does.
  virtual void Place(WindowId window, SurfaceAnchor anchor) = 0;
  // SetForegroundWindow and SetFocus: only a stacking shared with application windows
  // has a foreground window to change.
  // False when the desktop's foreground lock refuses the request.
  virtual bool Activate(WindowId /*window*/) { return true; }
  // The user clicked the window: the last input is the program's.
  virtual void NoteClick(WindowId /*window*/) {}
};

// Live thumbnails as the simulated compositor makes them: accepted unless the test makes
// the system refuse them (as Wine does), each remembering where it was last shown.
class SimThumbnails : public WindowThumbnails {
 public:
  ThumbnailId Register(WindowId destination, WindowId source) override;
  ThumbnailSourceSize SourceSize(ThumbnailId thumbnail) override;
  bool Show(ThumbnailId thumbnail, const Rect& destination) override;
  bool Update(ThumbnailId thumbnail, const ThumbnailProperties& properties) override;
  void Unregister(ThumbnailId thumbnail) override;

  void SetRefused(bool refused) { refused_ = refused; }
  // The size a source window reports (default 800 x 600).
  void SetSourceSize(WindowId source, ThumbnailSourceSize size) { sizes_[source] = size; }
  struct Entry {
    WindowId destination = kNoWindow;
    WindowId source = kNoWindow;
    Rect shownAt;  // destination pixels; all zero until shown
    ThumbnailProperties last;  // as last shown or updated
  };
  // The registered thumbnails, by id.
  const std::map<ThumbnailId, Entry>& Registered() const { return live_; }

 private:
  bool refused_ = false;
  std::uint64_t next_ = 1;
  std::map<WindowId, ThumbnailSourceSize> sizes_;
  std::map<ThumbnailId, Entry> live_;
};

// The z-order as one list, front-most first, topmost windows ahead of the others.
class SimZStack : public SimStacking {
 public:
  WindowId AddSurfaceWindow(bool topmost) override { return AddWindow(topmost); }
  void RemoveWindow(WindowId window) override;
  WindowId WindowAbove(WindowId window) override;
  bool IsTopmost(WindowId window) override;
  void Place(WindowId window, SurfaceAnchor anchor) override;

  // Another application's window, at the top of its band.
  WindowId AddWindow(bool topmost);
  // Brings a window to the top of its band (as when the user clicks it).
  void BringToTop(WindowId window);
  std::vector<WindowId> Order() const;

 private:
  struct Entry {
    WindowId window;
    bool topmost;
  };
  std::size_t TopOfBand(bool topmost) const;
  std::size_t IndexOf(WindowId window) const;  // size() when absent

  std::vector<Entry> entries_;
  std::uint64_t nextId_ = 0x1000;
};

class SimSurfaceFactory;

// One SetWindowPos that Present made.
struct SimPlacement {
  Rect rect;
  SurfaceAnchor anchor;
};

class SimSurface : public Surface {
 public:
  ~SimSurface() override;

  bool Create(const SurfaceOptions& options) override;
  bool IsCreated() const override { return created_; }
  void SetInteractive(bool interactive) override;
  void Present(const Rect& rect, double scale, const PaintFunction& paint,
               SurfaceAnchor anchor) override;
  void SetOpacity(double opacity) override;
  void MoveTo(Point topLeft) override;
  void Hide() override;
  void Destroy() override;
  bool Visible() const override { return visible_; }
  Rect Bounds() const override { return rect_; }
  double Scale() const override { return scale_; }
  WindowId Window() const override { return window_; }
  void SubscribeFrames() override;
  void UnsubscribeFrames() override;
  void StartTimer(int id, std::uint32_t milliseconds) override;
  void StopTimer(int id) override;
  bool TakeFocus() override;
  void SetTooltip(const std::string& text, const Rect& item) override;

  // --- What a test can see ---
  const SurfaceOptions& Options() const { return options_; }
  bool Interactive() const { return interactive_; }
  bool Focused() const { return focused_; }
  SurfaceAnchor Anchor() const { return anchor_; }
  double Opacity() const { return opacity_; }
  std::uint8_t Alpha() const { return OpacityToAlpha(opacity_); }
  bool FramesSubscribed() const { return framesSubscribed_; }
  bool TimerRunning(int id) const { return timers_.count(id) > 0; }
  // The period of a running timer in milliseconds; 0 when it does not run.
  std::uint32_t TimerPeriod(int id) const;
  // Every SetWindowPos Present made, oldest first.
  const std::vector<SimPlacement>& Placements() const { return placements_; }
  int PaintCount() const { return paintCount_; }
  int MoveCount() const { return moveCount_; }
  // The drawing calls and the DIP size of the last paint.
  const RecordingCanvas& LastPaint() const { return lastPaint_; }
  // The tooltip showing now (empty: none) and where.
  const std::string& Tooltip() const { return tooltip_; }
  Rect TooltipItem() const { return tooltipItem_; }
  TextSize LastPaintSize() const { return lastPaintSize_; }
  PixelSize BitmapSize() const { return bitmap_; }

  // --- What a test can do, as the system would deliver it ---
  // A left click at a desktop point: false when it passes through to the windows below.
  bool Click(Point desktop);
  // The pointer moving over the surface: false when the surface does not take the mouse.
  bool MovePointer(Point desktop);
  // The left button pressed, and the right button released, over the surface.
  bool Press(Point desktop);
  bool RightClick(Point desktop, bool alt = false);
  // While a press holds the capture the pointer reaches the surface wherever it is.
  bool DragPointer(Point desktop);
  bool ReleasePointer(Point desktop);
  // A press and release of the left button at one point (Click delivers only the release).
  bool PressAndRelease(Point desktop);
  // A turn of the mouse wheel over the surface, and the pointer leaving it.
  bool Wheel(Point desktop, int delta);
  void LeavePointer();
  // A key press: false unless the surface has the keyboard focus.
  bool PressKey(std::uint32_t virtualKey);
  // Another window takes the activation.
  void Deactivate();
  // Something other than the program hid the window (IsWindowVisible turns false).
  void HideBehindOurBack() { systemVisible_ = false; }

 private:
  friend class SimSurfaceFactory;
  explicit SimSurface(SimSurfaceFactory& factory) : factory_(&factory) {}
  void DeliverTimer(int id);
  bool TakesClicks() const { return interactive_ || options_.clickable; }

  struct Timer {
    std::uint32_t period = 0;
    double due = 0;
  };

  SimSurfaceFactory* factory_;
  SurfaceOptions options_;
  bool created_ = false;
  bool interactive_ = false;
  bool visible_ = false;
  bool systemVisible_ = false;
  bool focused_ = false;
  bool framesSubscribed_ = false;
  WindowId window_ = kNoWindow;
  Rect rect_;
  double scale_ = 1;
  SurfaceAnchor anchor_;
  double opacity_ = 1;
  PixelSize bitmap_{0, 0};
  std::map<int, Timer> timers_;
  std::vector<SimPlacement> placements_;
  int paintCount_ = 0;
  int moveCount_ = 0;
  RecordingCanvas lastPaint_;
  TextSize lastPaintSize_;
  std::string tooltip_;
  Rect tooltipItem_;
};

// Makes simulated surfaces and drives their time. The factory must outlive its surfaces.
class SimSurfaceFactory : public SurfaceFactory {
 public:
  // The clock times surface timers (null: timers fire only through FireTimer). The
  // stacking defaults to a SimZStack of the factory's own.
  explicit SimSurfaceFactory(Clock* clock = nullptr, SimStacking* stacking = nullptr);
  ~SimSurfaceFactory() override;

  std::unique_ptr<Surface> NewSurface() override;
  TextMeasurer& Text() override { return measurer_; }
  WindowThumbnails* Thumbnails() override { return &thumbnails_; }
  std::unique_ptr<DialogWindow> NewDialogWindow() override;
  TransitionGpu* Transitions() override { return &gpu_; }
  WindowImages* Images() override { return &images_; }
  // The switching effects' overlay and window images, as stories drive and read them.
  SimTransitionGpu& Gpu() { return gpu_; }
  SimWindowImages& WindowPictures() { return images_; }
  // The program's open dialog-like windows.
  SimDialogRegistry& Dialogs() { return dialogs_; }
  SimThumbnails& Thumbs() { return thumbnails_; }

  // One compositor frame: every frame subscriber gets its tick, then every timer that is
  // due by the clock fires (once, however far behind it is).
  void RunFrame();
  // True while a surface is subscribed to frames or runs a timer: the desktop's message
  // loop then runs a frame at every vertical blank.
  bool WantsFrames() const;
  // Fires one surface timer now, whether due or not; false when no surface runs it.
  bool FireTimer(SimSurface& surface, int id);

  const std::vector<SimSurface*>& Surfaces() const { return surfaces_; }
  SimSurface* FindByTitle(std::string_view title) const;
  SimStacking& Stacking() { return *stacking_; }
  // The standalone stack, or null when another stacking was given.
  SimZStack* OwnStack() { return ownStack_.get(); }
  double Now() const { return clock_ ? clock_->Now() : 0.0; }

 private:
  friend class SimSurface;
  bool IsLive(const SimSurface* surface) const;
  void Forget(SimSurface* surface);

  Clock* clock_;
  std::unique_ptr<SimZStack> ownStack_;
  SimStacking* stacking_;
  SimTextMeasurer measurer_;
  SimThumbnails thumbnails_;
  SimDialogRegistry dialogs_;
  SimTransitionGpu gpu_{clock_};
  SimWindowImages images_;
  std::vector<SimSurface*> surfaces_;
};

}  // namespace tessary
