#pragma once

// Snap Assist: after a window has been placed into a region, every empty region of that
// layout is covered by a chooser panel offering the user's other windows on the display.
// This class owns the running assist (at most one): its plan, its panels and the
// foreground watch. The panels only post commands; the Coordinator hands them back here
// and does the moving itself.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "desktop/desktop.h"
#include "engine/assist_plan.h"
#include "layout/layout_tree.h"
#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/chooser_panel.h"

namespace tessary {

inline constexpr const char* kAssistHeader = "Choose a window for this space";
inline constexpr const char* kAssistDone = "Done";

class SnapAssist {
 public:
  // `post` sends a Coordinator command (region or -1, window or 0) through the message loop.
  SnapAssist(Desktop& desktop, SurfaceFactory& surfaces, ThemeSource& theme,
             std::function<void(int, std::int64_t)> post)
      : desktop_(desktop), surfaces_(surfaces), theme_(theme), post_(std::move(post)) {}

  // Ends any running assist and offers the other windows for the empty regions of `layout`
  // on `display` (one of `displays`). True when panels are showing.
  bool Start(const Monitor& display, const SnapLayout& layout, WindowId placed,
             const std::vector<Monitor>& displays, double now);
  // Destroys every panel and forgets the assist.
  void End();
  bool Running() const { return running_; }

  // A choice of `window` for `region`: the region's rectangle when the window is to go
  // there; nothing when the choice is stale (then nothing has changed).
  std::optional<Rect> Assign(std::int32_t region, WindowId window);
  void LeaveEmpty(std::int32_t region);
  // After a choice or a give-up: that region's panel goes; the others are offered what
  // remains, or the assist ends when nothing does.
  void AfterChoice(std::int32_t region);

  // The 100 ms foreground watch; false once the assist is over.
  bool Watch(double now);

  // The panel that has the focus (the top-left one at the start, the lowest region after
  // a choice); kNoWindow when none.
  WindowId FocusPanel() const;
  // Gives that panel the foreground and the keyboard focus again.
  void Refocus();
  const std::string& DisplayId() const { return display_.id; }
  const AssistPlan& Plan() const { return plan_; }
  ChooserPanel* PanelFor(std::int32_t region) const;

 private:
  std::vector<ChooserChoice> ReadChoices() const;
  std::unique_ptr<ChooserPanel> MakePanel(std::int32_t region, const Rect& rect,
                                          const std::vector<ChooserChoice>& choices);

  Desktop& desktop_;
  SurfaceFactory& surfaces_;
  ThemeSource& theme_;
  std::function<void(int, std::int64_t)> post_;

  bool running_ = false;
  Monitor display_;
  SnapLayout layout_;
  AssistPlan plan_;
  std::map<std::int32_t, std::unique_ptr<ChooserPanel>> panels_;
  std::int32_t focusRegion_ = -1;
  bool focusedOnce_ = false;
  double startTime_ = 0;
};

}  // namespace tessary
