// The picker opened by a command rather than by a drag: the gallery (a layout for the
// display) and the Place command (a region for one window), and the commands the picker
// posts back.

#include "base/log.h"
#include "engine/coordinator.h"
#include "layout/builtin_layouts.h"

namespace tessary {

void Coordinator::HandleCommand(int code, std::int64_t argument) {
  switch (code) {
    case kCommandPickerDismissed:
      if (pickerTarget_ != kNoWindow || gallery_) picker_.Hide();
      pickerTarget_ = kNoWindow;
      gallery_ = false;
      EndAssist();
      return;
    case kCommandPickerChose: {
      int layout = -1;
      int region = -1;
      UnpackPickerChoice(argument, layout, region);
      if (gallery_) {
        gallery_ = false;
        picker_.Hide();
        if (layout >= 0 && layout < static_cast<int>(galleryList_.size())) {
          ApplyComposition(galleryDisplay_, galleryList_[static_cast<std::size_t>(layout)]);
        }
        return;
      }
      PlaceFromPicker(layout, region);
      return;
    }
    default:
      if (code >= 0) {
        HandleAssistCommand(code, argument);
        return;
      }
      if (HandleStackCommand(code, argument)) return;
      if (switcher_.HandleCommand(code, argument)) return;
      if (overview_.HandleCommand(code, argument)) return;
      if (dividers_.HandleCommand(code, argument)) return;
      // A command posted by a view that has since gone, or a stray code: nothing to do.
      Log("command %d ignored", code);
      return;
  }
}

void Coordinator::ShowGallery(WindowId target) {
  if (paused_) return;
  RefreshDisplays();
  int index = CommandDisplay(target);
  if (index < 0) return;
  const Monitor& display = displays_[static_cast<std::size_t>(index)];

  EndAssist();
  pickerTarget_ = kNoWindow;
  galleryDisplay_ = display.id;
  std::optional<SnapLayout> active = layouts_.ActiveLayout(display.id);
  galleryList_ = layouts_.SwitchList(display.id, active ? &*active : nullptr);
  int current = -1;
  if (active) {
    for (std::size_t i = 0; i < galleryList_.size(); ++i) {
      if (LayoutsEqual(galleryList_[i], *active)) current = static_cast<int>(i);
    }
  }
  picker_.Show(galleryList_, current, display.work, display.scale, true);
  picker_.SetGallery(true);
  picker_.Paint();
  gallery_ = true;
  if (!picker_.KeysReach()) StartUpkeep();
}

bool Coordinator::ShowPlacePicker(WindowId window) {
  if (paused_ || !desktop_.IsManageable(window)) return false;
  EndAssist();
  RefreshDisplays();
  int index = DisplayOfWindow(window);
  if (index < 0) return false;
  const Monitor& display = displays_[static_cast<std::size_t>(index)];
  std::vector<SnapLayout> catalogue = layouts_.LayoutsForDisplay(display.id);
  std::optional<SnapLayout> active = layouts_.ActiveLayout(display.id);
  int current = -1;
  if (active) {
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
      if (catalogue[i].id == active->id) {
        current = static_cast<int>(i);
        break;
      }
    }
  }
  RegionLists members;
  if (active) members = MembersOn(index, *active, window);
  PickerIcons icons = IconsFor(catalogue, current, &members, window);
  gallery_ = false;
  pickerTarget_ = window;
  PerformanceRecord record("picker-show");
  PerformanceMarkScope marks(&record);
  picker_.Show(std::move(catalogue), current, display.work, display.scale, true, std::move(icons));
  record.Finish();
  if (!picker_.KeysReach()) StartUpkeep();
  return true;
}

bool Coordinator::WatchUnfocusedPicker() {
  if (!picker_.Visible() || !picker_.Interactive() || picker_.KeysReach()) return false;
  // Windows refused the picker the foreground, so no deactivation will report a click
  // elsewhere, and Escape goes to the app in front: a press outside the panel closes it.
  const Point cursor = desktop_.CursorPosition();
  if (!platform().input.IsKeyDown(Key::kLeftButton) || picker_.PanelRect().Contains(cursor)) {
    return true;
  }
  Log("picker closed: pressed elsewhere");
  HandleCommand(kCommandPickerDismissed, 0);
  return false;
}

void Coordinator::PlaceFromPicker(int layoutIndex, int region) {
  picker_.Hide();
  WindowId window = pickerTarget_;
  pickerTarget_ = kNoWindow;
  if (window == kNoWindow || !platform().windows.Exists(window)) return;
  RefreshDisplays();
  int index = DisplayOfWindow(window);
  if (index < 0) return;
  const Monitor& display = displays_[static_cast<std::size_t>(index)];
  std::vector<SnapLayout> catalogue = layouts_.LayoutsForDisplay(display.id);
  if (layoutIndex < 0 || layoutIndex >= static_cast<int>(catalogue.size())) return;
  const SnapLayout& layout = catalogue[static_cast<std::size_t>(layoutIndex)];
  std::optional<Rect> frame = desktop_.FrameBounds(window);
  if (!frame) return;
  if (PlaceIntoRegion(window, index, layout, region, *frame, kTargetPicker)) {
    platform().zOrder.SetForeground(window);
    // The Snap Assist that followed the placement gives its panel the foreground back.
    assist_.Refocus();
  }
}

}  // namespace tessary
