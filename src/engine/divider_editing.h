#pragma once

// Adjusting a display's shared dividers: the editor's working state (the committed layout
// and the working copy being dragged, the smallest region fractions), what its drags,
// "50/50" and "Done" do, and moving every window in the layout's regions and spans to a
// changed tree, or back again when one cannot follow. The Coordinator owns one and lends
// it the moving, the layout store and the messages through DividerEditingHooks.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "desktop/desktop.h"
#include "desktop/monitor.h"
#include "engine/stack_model.h"
#include "layout/layout_tree.h"
#include "platform/clock.h"
#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/divider_editor.h"

namespace tessary {

// Coordinator commands the editor's callbacks post (WM_COORDINATOR_COMMAND codes).
inline constexpr int kCommandDividerDrag = -40;       // argument: PackDividerDrag
inline constexpr int kCommandDividerDragEnd = -41;    // argument: the divider
inline constexpr int kCommandDividerEvenSplit = -42;  // argument: the divider
inline constexpr int kCommandDividerDone = -43;

// A dragged divider and where the pointer put it: the divider in the low 16 bits, the
// fraction in millionths in the high 32 bits (signed: the pointer may leave the area).
std::int64_t PackDividerDrag(int divider, double fraction);
void UnpackDividerDrag(std::int64_t argument, int& divider, double& fraction);

inline constexpr const char* kNoDividersMessage =
    "Choose a layout with more than one region first.";
inline constexpr const char* kDividerStaysMessage =
    "A window reached its minimum size, so the divider stays where it was.";
inline constexpr const char* kNoEvenSplitMessage =
    "The windows here can't shrink enough for an even split.";

// Whether there is a layout with at least one divider to adjust.
bool HasDividers(const std::optional<SnapLayout>& layout);

struct DividerEditingHooks {
  // The manageable windows with their frames, front-most first.
  std::function<FramesFrontFirst()> windows;
  // Moves the windows together (one batch); answers those that reached their targets.
  std::function<std::set<WindowId>(const std::vector<GlideItem>& moves)> moveTogether;
  // The display now uses this layout, and keeps its proportions (layouts.json).
  std::function<void(const std::string& display, const SnapLayout& layout)> adopt;
  std::function<void(const std::string& text)> notify;
  std::function<void(double delay)> scheduleRefresh;
};

class DividerEditing {
 public:
  DividerEditing(ThemeSource& theme, Clock& clock) : view_(theme, clock) {}

  // Makes the editor's surface; its callbacks post the commands above.
  bool Create(SurfaceFactory& factory, std::function<void(int, std::int64_t)> postCommand);
  void SetHooks(DividerEditingHooks hooks) { hooks_ = std::move(hooks); }

  // Opens the editor over the display with its active layout; false when the layout has
  // no divider (see HasDividers).
  bool Open(const Monitor& display, const std::optional<SnapLayout>& active,
            double doubleClickSeconds);
  // The view's callbacks, by the divider's index in the tree's list of splits.
  void Drag(int divider, double fraction);
  void DragEnd(int divider);
  void EvenSplit(int divider);
  void Close();
  // The commands above; false for any other code.
  bool HandleCommand(int code, std::int64_t argument);

  // Gives every window in the regions (and spans) of `before` its place in `after` on the
  // display, in one batch; when one does not get there, all go back and the user is told.
  bool ApplyTreeToWindows(const Monitor& display, const SnapLayout& before,
                          const SnapLayout& after);

  bool IsOpen() const { return open_; }
  const SnapLayout& Committed() const { return committed_; }
  const SnapLayout& Working() const { return working_; }
  // The smallest region as a fraction of the work area's width and height.
  double MinWidth() const { return minWidth_; }
  double MinHeight() const { return minHeight_; }
  int DraggedDivider() const { return dragged_; }
  DividerEditor& View() { return view_; }

 private:
  std::optional<TreePath> PathOf(int divider) const;
  void Apply(const SnapLayout& next);

  DividerEditor view_;
  DividerEditingHooks hooks_;
  bool open_ = false;
  Monitor display_;
  SnapLayout committed_;
  SnapLayout working_;
  double minWidth_ = 0;
  double minHeight_ = 0;
  int dragged_ = -1;
};

}  // namespace tessary
