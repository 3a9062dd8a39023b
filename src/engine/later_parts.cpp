// Entry points of the engine's later parts (Snap Assist, compositions, dividers,
// display changes, the switcher, the editor). They exist so that the shell can call them
// today; each says once in the log that it is not built yet.

#include "base/log.h"
#include "engine/coordinator.h"

namespace tessary {

bool Coordinator::OpenLayoutEditor(const SnapLayout* /*layout*/) {
  NotYetBuilt("OpenLayoutEditor");
  return false;
}

bool Coordinator::ShowDividerEditor() {
  NotYetBuilt("ShowDividerEditor");
  return false;
}

bool Coordinator::SwitchToLayout(int /*index*/, WindowId /*target*/) {
  NotYetBuilt("SwitchToLayout");
  return false;
}

bool Coordinator::ApplyComposition(const std::string& /*display*/, const SnapLayout& /*layout*/) {
  NotYetBuilt("ApplyComposition");
  return false;
}

void Coordinator::OnDisplaysChanged() {
  RefreshDisplays();
  if (dragActive_) {
    // The drag's view of the displays is stale: take it again and let the next tick
    // find its target afresh.
    HideTargets();
    dwell_.Clear();
    drag_.kind = kTargetNone;
    drag_.armed = false;
    drag_.display = -1;
    cornerCache_ = {};
    columnCache_ = {};
    BuildDragDisplays();
    // The dragged window stays out of every stack until it is dropped.
    for (DragDisplay& display : dragDisplays_) {
      for (auto& [region, windows] : display.members) std::erase(windows, drag_.window);
    }
    for (auto& [id, lists] : membership_) {
      for (auto& [region, windows] : lists) std::erase(windows, drag_.window);
    }
  }
  NotYetBuilt("OnDisplaysChanged");
}

void Coordinator::RecoverDisplayLayouts() {
  RefreshDisplays();
  NotYetBuilt("RecoverDisplayLayouts");
}

void Coordinator::StartAssist(int /*displayIndex*/, const SnapLayout& /*layout*/,
                              WindowId /*placed*/) {
  NotYetBuilt("StartAssist");
}

void Coordinator::CloseAssist() {}

bool Coordinator::ShowSwitcher(WindowId /*window*/) {
  NotYetBuilt("ShowSwitcher");
  return false;
}

void Coordinator::DestroySwitcher() {}

bool Coordinator::ShowOverview(WindowId /*window*/) {
  NotYetBuilt("ShowOverview");
  return false;
}

}  // namespace tessary
