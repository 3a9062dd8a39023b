#include "platform/sim/sim_surface.h"

#include <algorithm>
#include <cmath>

namespace tessary {

// --- SimZStack ---

std::size_t SimZStack::IndexOf(WindowId window) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].window == window) return i;
  }
  return entries_.size();
}

std::size_t SimZStack::TopOfBand(bool topmost) const {
  if (topmost) return 0;
  std::size_t i = 0;
  while (i < entries_.size() && entries_[i].topmost) ++i;
  return i;
}

WindowId SimZStack::AddWindow(bool topmost) {
  const WindowId window{nextId_++};
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(TopOfBand(topmost)),
                  Entry{window, topmost});
  return window;
}

void SimZStack::RemoveWindow(WindowId window) {
  const std::size_t i = IndexOf(window);
  if (i < entries_.size()) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
}

WindowId SimZStack::WindowAbove(WindowId window) {
  const std::size_t i = IndexOf(window);
  return i == 0 || i >= entries_.size() ? kNoWindow : entries_[i - 1].window;
}

bool SimZStack::IsTopmost(WindowId window) {
  const std::size_t i = IndexOf(window);
  return i < entries_.size() && entries_[i].topmost;
}

void SimZStack::Place(WindowId window, SurfaceAnchor anchor) {
  std::size_t i = IndexOf(window);
  if (i >= entries_.size()) return;
  Entry entry = entries_[i];
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
  std::size_t at = 0;
  const std::size_t below = IndexOf(anchor.window);
  if (anchor.kind == SurfaceAnchor::Kind::kBelow && below < entries_.size()) {
    entry.topmost = entries_[below].topmost;
    at = below + 1;
  } else {
    if (anchor.kind == SurfaceAnchor::Kind::kTopmost) entry.topmost = true;
    at = TopOfBand(entry.topmost);
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), entry);
}

void SimZStack::BringToTop(WindowId window) { Place(window, SurfaceAnchor::Top()); }

std::vector<WindowId> SimZStack::Order() const {
  std::vector<WindowId> order;
  for (const Entry& entry : entries_) order.push_back(entry.window);
  return order;
}

// --- SimSurface ---

SimSurface::~SimSurface() {
  if (!factory_) return;  // the factory went first
  Destroy();
  factory_->Forget(this);
}

bool SimSurface::Create(const SurfaceOptions& options) {
  if (created_) return true;
  if (!factory_) return false;
  options_ = options;
  interactive_ = options.interactive;
  window_ = factory_->Stacking().AddSurfaceWindow(options.topmost);
  created_ = true;
  return true;
}

void SimSurface::SetInteractive(bool interactive) {
  if (!created_) return;
  interactive_ = interactive;
  if (!interactive) focused_ = false;
}

void SimSurface::Present(const Rect& rect, double scale, const PaintFunction& paint,
                         SurfaceAnchor anchor) {
  if (!created_) return;
  scale = SanitizeScale(scale);
  const PixelSize pixels = SurfacePixelSize(rect);
  if (bitmap_.width < pixels.width || bitmap_.height < pixels.height) {
    bitmap_ = {GrowBitmapExtent(pixels.width, bitmap_.width),
               GrowBitmapExtent(pixels.height, bitmap_.height)};
  }
  lastPaint_.Clear();
  lastPaintSize_ = {pixels.width / scale, pixels.height / scale};
  if (paint) paint(lastPaint_, lastPaintSize_.width, lastPaintSize_.height);
  ++paintCount_;

  SimStacking& stacking = factory_->Stacking();
  ZOrderFacts facts;
  facts.wasVisible = visible_;
  facts.systemVisible = systemVisible_;
  facts.last = anchor_;
  facts.requested = anchor;
  facts.windowAbove = stacking.WindowAbove(window_);
  facts.windowAboveTopmost =
      facts.windowAbove != kNoWindow && stacking.IsTopmost(facts.windowAbove);
  if (NeedsZOrderPlacement(facts)) {
    stacking.Place(window_, anchor);
    placements_.push_back({rect, anchor});
    systemVisible_ = true;
  }
  rect_ = rect;
  anchor_ = anchor;
  scale_ = scale;
  visible_ = true;
}

void SimSurface::SetOpacity(double opacity) {
  if (!created_) return;
  opacity_ = std::isnan(opacity) ? 0.0 : std::clamp(opacity, 0.0, 1.0);
}

void SimSurface::MoveTo(Point topLeft) {
  if (!created_ || !visible_) return;
  rect_.x = static_cast<double>(std::lround(topLeft.x));
  rect_.y = static_cast<double>(std::lround(topLeft.y));
  ++moveCount_;
}

void SimSurface::Hide() {
  const bool hadFocus = focused_;
  visible_ = false;
  systemVisible_ = false;
  focused_ = false;
  tooltip_.clear();
  // Hiding the focused window moves the activation elsewhere, at once.
  if (hadFocus && options_.input) options_.input->OnDeactivate();
}

void SimSurface::Destroy() {
  if (!created_) return;
  visible_ = false;
  systemVisible_ = false;
  focused_ = false;
  framesSubscribed_ = false;
  timers_.clear();
  tooltip_.clear();
  factory_->Stacking().RemoveWindow(window_);
  created_ = false;
}

void SimSurface::SubscribeFrames() {
  if (created_) framesSubscribed_ = true;
}

void SimSurface::UnsubscribeFrames() { framesSubscribed_ = false; }

void SimSurface::StartTimer(int id, std::uint32_t milliseconds) {
  if (!created_) return;
  timers_[id] = Timer{milliseconds, factory_->Now() + milliseconds / 1000.0};
}

void SimSurface::StopTimer(int id) { timers_.erase(id); }

std::uint32_t SimSurface::TimerPeriod(int id) const {
  auto it = timers_.find(id);
  return it == timers_.end() ? 0 : it->second.period;
}

bool SimSurface::TakeFocus() {
  if (!created_ || !visible_ || !interactive_) return false;
  if (!factory_->Stacking().Activate(window_)) return false;
  focused_ = true;
  if (options_.input) options_.input->OnFocusChange(true);
  return true;
}

void SimSurface::SetTooltip(const std::string& text, const Rect& item) {
  tooltip_ = text;
  tooltipItem_ = text.empty() ? Rect{} : item;
}

bool SimSurface::PressAndRelease(Point desktop) {
  if (!Press(desktop)) return false;
  if (visible_ && options_.input && options_.input->ActivateOnClick()) TakeFocus();
  return ReleasePointer(desktop);
}

bool SimSurface::Wheel(Point desktop, int delta) {
  if (!visible_ || !TakesClicks() || !Bounds().Contains(desktop)) return false;
  if (options_.input) options_.input->OnWheel(delta);
  return true;
}

void SimSurface::LeavePointer() {
  if (visible_ && options_.input) options_.input->OnPointerLeave();
}

bool SimSurface::Click(Point desktop) {
  if (!visible_ || !TakesClicks() || !Bounds().Contains(desktop)) return false;
  if (SurfaceInput* input = options_.input) {
    if (input->ActivateOnClick()) focused_ = true;
    input->OnPointerRelease(desktop);
  }
  return true;
}

bool SimSurface::MovePointer(Point desktop) {
  if (!visible_ || !TakesClicks() || !Bounds().Contains(desktop)) return false;
  if (options_.input) options_.input->OnPointerMove(desktop);
  return true;
}

bool SimSurface::Press(Point desktop) {
  if (!visible_ || !TakesClicks() || !Bounds().Contains(desktop)) return false;
  factory_->Stacking().NoteClick(window_);
  if (options_.input) options_.input->OnPointerPress(desktop);
  return true;
}

bool SimSurface::RightClick(Point desktop, bool alt) {
  if (!visible_ || !TakesClicks() || !Bounds().Contains(desktop)) return false;
  if (options_.input) options_.input->OnSecondaryRelease(desktop, alt);
  return true;
}

bool SimSurface::DragPointer(Point desktop) {
  if (!visible_ || !TakesClicks()) return false;
  if (options_.input) options_.input->OnPointerMove(desktop);
  return true;
}

bool SimSurface::ReleasePointer(Point desktop) {
  if (!visible_ || !TakesClicks()) return false;
  if (options_.input) options_.input->OnPointerRelease(desktop);
  return true;
}

bool SimSurface::PressKey(std::uint32_t virtualKey) {
  if (!visible_ || !focused_) return false;
  if (options_.input) options_.input->OnKeyDown(virtualKey);
  return true;
}

void SimSurface::Deactivate() {
  if (!focused_) return;
  focused_ = false;
  if (options_.input) {
    options_.input->OnFocusChange(false);
    options_.input->OnDeactivate();
  }
}

void SimSurface::DeliverTimer(int id) {
  if (options_.input) options_.input->OnTimer(id);
}

// --- SimThumbnails ---

ThumbnailId SimThumbnails::Register(WindowId destination, WindowId source) {
  if (refused_ || destination == kNoWindow || source == kNoWindow) return kNoThumbnail;
  const ThumbnailId id{next_++};
  live_[id] = Entry{destination, source, {}};
  return id;
}

ThumbnailSourceSize SimThumbnails::SourceSize(ThumbnailId thumbnail) {
  auto it = live_.find(thumbnail);
  if (it == live_.end()) return {};
  auto size = sizes_.find(it->second.source);
  return size == sizes_.end() ? ThumbnailSourceSize{800, 600} : size->second;
}

bool SimThumbnails::Show(ThumbnailId thumbnail, const Rect& destination) {
  auto it = live_.find(thumbnail);
  if (it == live_.end()) return false;
  it->second.shownAt = destination;
  it->second.last = {.destination = destination};
  return true;
}

bool SimThumbnails::Update(ThumbnailId thumbnail, const ThumbnailProperties& properties) {
  auto it = live_.find(thumbnail);
  if (it == live_.end()) return false;
  it->second.shownAt = properties.destination;
  it->second.last = properties;
  return true;
}

void SimThumbnails::Unregister(ThumbnailId thumbnail) { live_.erase(thumbnail); }

// --- SimSurfaceFactory ---

SimSurfaceFactory::SimSurfaceFactory(Clock* clock, SimStacking* stacking) : clock_(clock) {
  if (!stacking) {
    ownStack_ = std::make_unique<SimZStack>();
    stacking = ownStack_.get();
  }
  stacking_ = stacking;
}

SimSurfaceFactory::~SimSurfaceFactory() {
  // Surfaces that outlive the factory must not reach back into it.
  for (SimSurface* surface : surfaces_) {
    surface->created_ = false;
    surface->factory_ = nullptr;
  }
}

std::unique_ptr<Surface> SimSurfaceFactory::NewSurface() {
  std::unique_ptr<SimSurface> surface(new SimSurface(*this));
  surfaces_.push_back(surface.get());
  return surface;
}

std::unique_ptr<DialogWindow> SimSurfaceFactory::NewDialogWindow() {
  return std::make_unique<SimDialogWindow>(dialogs_);
}

bool SimSurfaceFactory::IsLive(const SimSurface* surface) const {
  return std::find(surfaces_.begin(), surfaces_.end(), surface) != surfaces_.end();
}

void SimSurfaceFactory::Forget(SimSurface* surface) {
  surfaces_.erase(std::remove(surfaces_.begin(), surfaces_.end(), surface), surfaces_.end());
}

bool SimSurfaceFactory::WantsFrames() const {
  for (const SimSurface* surface : surfaces_) {
    if (surface->created_ && (surface->framesSubscribed_ || !surface->timers_.empty())) {
      return true;
    }
  }
  return false;
}

void SimSurfaceFactory::RunFrame() {
  // Handlers may unsubscribe, stop timers or destroy surfaces while we deliver.
  const std::vector<SimSurface*> snapshot = surfaces_;
  for (SimSurface* surface : snapshot) {
    if (IsLive(surface) && surface->created_ && surface->framesSubscribed_) {
      surface->DeliverTimer(kFrameTimerId);
    }
  }
  const double now = Now();
  for (SimSurface* surface : snapshot) {
    if (!IsLive(surface)) continue;
    std::vector<int> due;
    for (const auto& [id, timer] : surface->timers_) {
      if (timer.due <= now + 1e-9) due.push_back(id);
    }
    for (int id : due) {
      if (!IsLive(surface)) break;
      auto it = surface->timers_.find(id);
      if (it == surface->timers_.end()) continue;
      it->second.due = now + it->second.period / 1000.0;
      surface->DeliverTimer(id);
    }
  }
}

bool SimSurfaceFactory::FireTimer(SimSurface& surface, int id) {
  if (!IsLive(&surface) || !surface.TimerRunning(id)) return false;
  surface.timers_[id].due = Now() + surface.timers_[id].period / 1000.0;
  surface.DeliverTimer(id);
  return true;
}

SimSurface* SimSurfaceFactory::FindByTitle(std::string_view title) const {
  for (SimSurface* surface : surfaces_) {
    if (surface->options_.title == title) return surface;
  }
  return nullptr;
}

}  // namespace tessary
