#include "engine/switcher_peek.h"

#include <algorithm>

#include "base/log.h"

namespace tessary {

void SwitcherPeek::Show(const std::vector<WindowId>& windows, const std::vector<WindowId>& members,
                        WindowId panel) {
  const Platform& p = desktop_.platform();
  if (!active_) {
    active_ = true;
    recorded_.clear();
    anchor_ = kNoWindow;
    for (WindowId w : desktop_.ManageableWindows()) {
      if (std::find(members.begin(), members.end(), w) != members.end()) recorded_.push_back(w);
    }
    const std::vector<WindowId> all = p.zOrder.TopLevelWindows();
    if (!recorded_.empty()) {
      const auto first = std::find(all.begin(), all.end(), recorded_.front());
      if (first != all.begin() && first != all.end() && *(first - 1) != panel)
        anchor_ = *(first - 1);
    }
  }
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (p.windows.Exists(*it)) p.zOrder.BringToTop(*it);
  }
  Log("peek %d", static_cast<int>(windows.size()));
}

bool SwitcherPeek::End(bool restore) {
  if (!active_) return false;
  active_ = false;
  const Platform& p = desktop_.platform();
  if (restore && !recorded_.empty()) {
    // Below the anchor when it still stands in the ordinary band, else at the top.
    WindowId above = anchor_;
    if (above != kNoWindow &&
        (!p.windows.Exists(above) || (p.windows.ExStyle(above) & window_ex_style::kTopmost))) {
      above = kNoWindow;
    }
    for (WindowId w : recorded_) {
      if (!p.windows.Exists(w)) continue;
      if (above == kNoWindow) {
        p.zOrder.BringToTop(w);
      } else {
        p.zOrder.PlaceBelow(w, above);
      }
      above = w;
    }
  }
  recorded_.clear();
  anchor_ = kNoWindow;
  return true;
}

}  // namespace tessary
