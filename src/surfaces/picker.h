#pragma once

// The layout picker: the panel of layout cards at the top centre of a display. During a
// drag it is click-through and the drag tracker asks it what lies under the pointer
// (HitTest); opened from a shortcut or menu it is interactive and reports a choice through
// its callbacks. Which layouts it offers and what a choice does are the caller's business.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "layout/layout_tree.h"
#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/picker_geometry.h"
#include "surfaces/picker_input.h"
#include "surfaces/picker_paint.h"
#include "surfaces/theme.h"

namespace tessary {

inline constexpr const char* kPickerTitle = "Choose a Layout";

class Picker : public SurfaceInput {
 public:
  explicit Picker(ThemeSource& theme) : theme_(theme) {}
  ~Picker() override;
  Picker(const Picker&) = delete;
  Picker& operator=(const Picker&) = delete;

  // Makes the picker's surface: topmost, not interactive yet, input routed here.
  bool Create(SurfaceFactory& factory);

  // Shows the layouts on the display with this work area (desktop pixels) and scale.
  // `current` is the index of the display's active layout (-1: none). Every Show starts
  // with nothing hovered and gallery mode off.
  void Show(std::vector<SnapLayout> layouts, int current, const Rect& work, double scale,
            bool interactive, PickerIcons icons = {});
  void Hide();
  // Draws what Show with the same arguments (not interactive) would show into the hidden
  // panel's memory, a moment later from the message loop, so that the Show only has to hand
  // the pixels over. Nothing happens while the panel is visible.
  void Prepare(std::vector<SnapLayout> layouts, int current, const Rect& work, double scale,
               PickerIcons icons = {});

  // What lies under a desktop point: (-1, -1) when the panel is hidden or the point hits
  // no card. Remembers the answer as hovered and repaints when it changed.
  PickerHit HitTest(Point desktop);
  // Presents again at the same rectangle with the current state.
  void Paint();

  bool Visible() const;
  PickerHit Hovered() const { return hovered_; }
  int Current() const { return current_; }
  bool Interactive() const { return interactive_; }
  // The interactive panel has the keyboard: false while Windows refused it the foreground
  // (keys still reach the app in front), until a click on the panel activates it.
  bool KeysReach() const { return keysReach_; }
  bool Gallery() const { return gallery_; }
  // Set right after Show to choose a layout for the display instead of a region; call
  // Paint afterwards.
  void SetGallery(bool gallery) { gallery_ = gallery; }
  const PickerGeometry& Geometry() const { return geometry_; }
  const std::vector<SnapLayout>& Layouts() const { return layouts_; }
  Rect PanelRect() const { return panel_; }
  Surface* GetSurface() { return surface_.get(); }

  void SetOnChoose(std::function<void(int layout, int region)> onChoose) {
    onChoose_ = std::move(onChoose);
  }
  void SetOnDismiss(std::function<void()> onDismiss) { onDismiss_ = std::move(onDismiss); }

  // The panel's input; only an interactive picker acts on it.
  void OnKeyDown(std::uint32_t virtualKey) override;
  void OnPointerMove(Point desktop) override;
  void OnPointerRelease(Point desktop) override;
  void OnDeactivate() override;
  void OnFocusChange(bool focused) override { keysReach_ = keysReach_ || focused; }
  bool ActivateOnClick() override { return interactive_; }
  void OnTimer(int id) override;

 private:
  // Everything a paint of the panel depends on.
  struct Drawing {
    std::vector<SnapLayout> layouts;
    PickerIcons icons;
    Rect work;
    double scale = 1;
    int current = -1;
    PickerHit hovered;
    bool interactive = false;
    bool gallery = false;
    Theme theme;

    bool operator==(const Drawing& other) const;
  };
  Drawing Now() const;
  // Paints `drawing`, which must outlive the returned function.
  static PaintFunction Painter(const Drawing& drawing, const PickerGeometry& geometry);
  void SetHovered(PickerHit hit);
  // Tells screen readers what the panel shows and which card or region is hovered.
  void Describe();
  void DrawAhead();

  ThemeSource& theme_;
  std::unique_ptr<Surface> surface_;
  std::vector<SnapLayout> layouts_;
  PickerIcons icons_;
  PickerGeometry geometry_;
  Rect panel_;
  double scale_ = 1;
  PickerHit hovered_;
  int current_ = -1;
  bool interactive_ = false;
  bool keysReach_ = false;
  bool gallery_ = false;
  bool shown_ = false;
  Rect work_;
  // What the surface's memory holds, and what is to be drawn there while hidden.
  std::optional<Drawing> drawn_;
  std::optional<Drawing> ahead_;
  std::function<void(int, int)> onChoose_;
  std::function<void()> onDismiss_;
};

}  // namespace tessary
