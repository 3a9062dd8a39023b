#pragma once

// The window chooser panel: a real top-level window showing windows as cards with live
// previews, picked with the mouse or the keyboard. It never acts by itself: every action
// calls one of its callbacks and the owner decides (Snap Assist's callbacks only post
// commands, because the owner may destroy the panel in response).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/chooser_panel_geometry.h"
#include "surfaces/chooser_panel_input.h"
#include "surfaces/chooser_panel_paint.h"

namespace tessary {

inline constexpr const char* kChooserClassName = "TessaryAssist";
// The surface timer that delays the hover preview.
inline constexpr int kHoverPreviewTimerId = 7;

// Each may be empty; an empty callback makes its item inert.
struct ChooserCallbacks {
  std::function<void(WindowId)> choose;
  std::function<void()> leaveEmpty;
  std::function<void()> done;
  std::function<void(int step)> page;  // +1 next, -1 previous
  std::function<void(int delta)> wheel;
  std::function<void()> actionB;
  std::function<void(int tab)> tab;
  std::function<void(WindowId)> stretch;
  std::function<void(const std::vector<WindowId>&)> hoverPreview;
};

class ChooserPanel : public SurfaceInput {
 public:
  ChooserPanel(SurfaceFactory& factory, ThemeSource& theme) : factory_(factory), theme_(theme) {}
  ~ChooserPanel() override;
  ChooserPanel(const ChooserPanel&) = delete;
  ChooserPanel& operator=(const ChooserPanel&) = delete;

  // Makes the window at `rect` (desktop pixels, truncated), sets the choices and shows it
  // without activating it. False when the window cannot be made.
  bool Create(const Rect& rect, double scale, std::vector<ChooserChoice> choices,
              ChooserConfig config, ChooserCallbacks callbacks);
  // Replaces the choices (the focus falls back to the first card when out of range),
  // lays the panel out again, registers the thumbnails again and repaints.
  void SetChoices(std::vector<ChooserChoice> choices);
  // Gives the panel the foreground and the keyboard focus; false when Windows refused it
  // (the panel then stays usable with the mouse and names no keys of its own).
  bool Focus();
  // Unregisters the thumbnails and destroys the window.
  void Destroy();

  WindowId Window() const { return surface_ ? surface_->Window() : kNoWindow; }
  Surface* GetSurface() { return surface_.get(); }
  Rect Bounds() const { return rect_; }
  double Scale() const { return scale_; }
  const ChooserGeometry& Geometry() const { return geometry_; }
  const std::vector<ChooserChoice>& Choices() const { return choices_; }
  const std::vector<bool>& LiveThumbnails() const { return live_; }
  int FocusIndex() const { return focus_; }
  int Hovered() const { return hovered_; }
  // The desktop point at the centre of an item (chooser_item id or card index).
  Point ItemCentre(int item) const;

  // SurfaceInput.
  void OnTimer(int id) override;
  void OnKeyDown(std::uint32_t virtualKey) override;
  void OnPointerMove(Point desktop) override;
  void OnPointerPress(Point desktop) override;
  void OnPointerRelease(Point desktop) override;
  void OnWheel(int delta) override;
  void OnPointerLeave() override;
  void OnFocusChange(bool focused) override;
  bool ActivateOnClick() override { return true; }

 private:
  Point PanelPoint(Point desktop) const;
  Rect ItemRect(int item) const;
  void Act(int item);
  void SetHovered(int item);
  void RegisterThumbnails();
  void UnregisterThumbnails();
  void Paint();

  SurfaceFactory& factory_;
  ThemeSource& theme_;
  std::unique_ptr<Surface> surface_;
  ChooserConfig config_;
  ChooserCallbacks callbacks_;
  std::vector<ChooserChoice> choices_;
  ChooserGeometry geometry_;
  std::vector<ThumbnailId> thumbnails_;
  std::vector<bool> live_;
  Rect rect_;
  double scale_ = 1;
  int focus_ = 0;
  int hovered_ = chooser_item::kNothing;
  int pressed_ = chooser_item::kNothing;
  bool hasFocus_ = false;
  int paints_ = 0;
};

}  // namespace tessary
