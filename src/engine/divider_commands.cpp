// Ctrl+Alt+A: the divider editor over the display the user is working on. The editing
// itself lives in DividerEditing; this is where it meets the rest of the engine.

#include "base/log.h"
#include "engine/coordinator.h"

namespace tessary {

bool Coordinator::ShowDividerEditor() {
  if (paused_) return false;
  RefreshDisplays();
  const int index = CommandDisplay(platform().zOrder.Foreground());
  if (index < 0) return false;
  const Monitor& display = displays_[static_cast<std::size_t>(index)];
  std::optional<SnapLayout> active = layouts_.ActiveLayout(display.id);
  if (!HasDividers(active)) {
    Notify(kNoDividersMessage);
    return false;
  }
  EndAssist();
  return dividers_.Open(display, active, platform().systemSettings.DoubleClickSeconds());
}

void Coordinator::InstallDividerHooks() {
  dividers_.SetHooks({
      .windows = [this] { return ManageableFrames(); },
      .moveTogether =
          [this](const std::vector<GlideItem>& moves) {
            OpenBatch();
            for (const GlideItem& move : moves) MoveWindowTo(move.window, move.target);
            CommitBatch();
            std::set<WindowId> reached;
            for (const GlideItem& move : moves) {
              if (Reached(move.window, move.target)) reached.insert(move.window);
            }
            return reached;
          },
      .adopt = [this](const std::string& display,
                      const SnapLayout& layout) { layouts_.RememberLayout(display, layout); },
      .notify = [this](const std::string& text) { Notify(text); },
      .scheduleRefresh = [this](double delay) { ScheduleRefresh(delay); },
  });
}

}  // namespace tessary
