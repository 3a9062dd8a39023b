#pragma once

// The Coordinator: the one object that owns all snapping state. It follows title-bar
// drags (drag_tracking.cpp, drag_targets.cpp) and edge resizes (span_resizing.cpp,
// resize_together.cpp), places windows when a drag ends on a target (placing.cpp,
// corner_split.cpp, split_fit.cpp; drops onto occupied regions: region_drops.h), keeps
// the stacks and their badges (stacks.h), and owns the displays, the layout catalogue,
// the placement records, the learned minimum sizes and the overlay surfaces. Main thread
// only.
//
// The shell drives it: window events (OnMoveSizeStart/End), the main window's timers
// (OnTimer with ids 1, 2, 3, 4, 6 and 8), posted commands (HandleCommand), Escape during a
// drag (CancelDragByEscape) and the window commands. It talks back only through the five
// callbacks and the command poster it is given.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "desktop/desktop.h"
#include "desktop/snap_assist_watch.h"
#include "engine/compositions.h"
#include "engine/assist.h"
#include "engine/coordinator_types.h"
#include "engine/display_changes.h"
#include "engine/divider_editing.h"
#include "engine/drag_state.h"
#include "engine/elevated_windows.h"
#include "engine/layout_editing.h"
#include "engine/minimum_sizes.h"
#include "engine/placement_request.h"
#include "engine/region_drops.h"
#include "engine/region_membership.h"
#include "engine/resize_record.h"
#include "engine/stack_overview.h"
#include "engine/stacks.h"
#include "engine/switcher.h"
#include "layout/document_store.h"
#include "layout/layout_store.h"
#include "platform/main_window_timers.h"
#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/drop_menu_view.h"
#include "surfaces/follower_outlines.h"
#include "surfaces/outline.h"
#include "surfaces/picker.h"

namespace tessary {

class Coordinator {
 public:
  explicit Coordinator(CoordinatorServices services);
  ~Coordinator();
  Coordinator(const Coordinator&) = delete;
  Coordinator& operator=(const Coordinator&) = delete;

  // Creates the four surfaces (picker, outline, drop menu, divider editor), installs the
  // picker's callbacks, reads the displays and loads the layouts and learned minimum
  // sizes. False when a surface cannot be created.
  bool Init();

  ShellCallbacks& Callbacks() { return callbacks_; }
  void SetCallbacks(ShellCallbacks callbacks) { callbacks_ = std::move(callbacks); }

  // A tick of one of the main window's timers; false for ids that are not the
  // Coordinator's (1, 2, 3, 4, 6, 8).
  bool OnTimer(int id);

  // --- Drag tracking ---------------------------------------------------------------
  void OnMoveSizeStart(WindowId window);
  void OnMoveSizeEnd(WindowId window);
  // Timer 1.
  void DragTick();
  // Stops following the drag and hides the picker, the outline and the drop menu.
  void CancelDrag();
  // Escape during a drag: true when it took something down (the key is then consumed).
  bool CancelDragByEscape();
  // Arranges a stack pass after `delay` seconds (timer 4); a short request is never
  // postponed by later ones, longer ones restart the wait.
  void ScheduleRefresh(double delay);
  void HandleCommand(int code, std::int64_t argument);

  // --- Pickers opened by commands ----------------------------------------------------
  // The gallery: the picker with the display's switch list, choosing a layout for the
  // display. `target` is the command's target window (its display is used), if any.
  void ShowGallery(WindowId target = kNoWindow);
  // The Place command: the picker, interactive, for one window. False when the window
  // cannot be managed or has no display (the caller beeps).
  bool ShowPlacePicker(WindowId window);

  // --- Placing -------------------------------------------------------------------------
  // Timer 2: carries out the pending request.
  void PlacePending();
  // A move made by the program: bumps the use sequence, remembers the prior rectangle
  // once, and joins the open batch or glides at once. A window whose app is not
  // responding or runs as administrator is left where it is, and the user told so: false.
  bool MoveWindowTo(WindowId window, const Rect& rect);
  // False, after telling the user once per window, when the window's app runs as
  // administrator and this program does not: commands check their window with it.
  bool CanArrange(WindowId window);
  // Motion batches: moves made while one is open are carried out together on commit,
  // which answers the windows whose exact placement succeeded.
  void OpenBatch();
  std::set<WindowId> CommitBatch();

  SizeNeed MinimumSize(WindowId window, double scale) const;
  SizeNeed MinimumSizeOf(const std::vector<WindowId>& windows, double scale) const;
  // Fits the split between `targetRegion` (for `window`) and `otherRegion` (for
  // `others`) of `layout` on the display, moving the windows in and learning from the
  // ones that refuse. On failure the windows are left where the last try put them.
  SplitFitResult FitSplit(WindowId window, std::int32_t targetRegion, std::int32_t otherRegion,
                          const std::vector<WindowId>& others, const SnapLayout& layout,
                          int displayIndex);
  void StoreMinimums() { minimums_.Store(); }
  // Forgets every learned and observed minimum size; answers how many apps were known.
  int ForgetMinimums();

  // --- Switches ------------------------------------------------------------------------
  void SetPaused(bool paused);
  bool Paused() const { return paused_; }
  void ApplyStackSwitches(const StackSwitches& switches) { stackSwitches_ = switches; }
  const StackSwitches& Switches() const { return stackSwitches_; }

  // --- What the shell (and tests) may read ---------------------------------------------
  const std::vector<Monitor>& Displays() const { return displays_; }
  void RefreshDisplays();
  // The display showing most of the window (by its frame), else the one nearest; -1.
  int DisplayOfWindow(WindowId window);
  // Where a command acts: the window's display, else the one under the cursor, else the
  // first; -1 without displays.
  int CommandDisplay(WindowId window);
  LayoutStore& Layouts() { return layouts_; }
  const MinimumSizes& Minimums() const { return minimums_; }
  bool DragActive() const { return dragActive_; }
  const DragState& Drag() const { return drag_; }
  bool Escaped() const { return escaped_; }
  const PlacementRequest* PendingPlacement() const { return pending_ ? &*pending_ : nullptr; }
  const LateEnd& PendingLateEnd() const { return lateEnd_; }
  std::optional<PlacementRecord> PlacementOf(WindowId window) const;
  std::optional<Rect> PriorRectOf(WindowId window) const;
  // Restore has given the window its prior rectangle back: the next move records anew.
  void ForgetPriorRect(WindowId window) { priorRects_.erase(window); }
  const UseSequence& Uses() const { return useSequence_; }
  // The membership taken at the start of the last drag (display key -> region lists).
  const std::map<std::string, RegionLists>& Membership() const { return membership_; }
  double RefreshDeadline() const { return refreshDeadline_; }
  WindowId PickerTargetWindow() const { return pickerTarget_; }
  bool GalleryMode() const { return gallery_; }
  Picker& GetPicker() { return picker_; }
  Outline& GetOutline() { return outline_; }
  DropMenuView& GetDropMenu() { return dropMenu_; }
  Desktop& GetDesktop() { return desktop_; }
  Stacks& GetStacks() { return stacks_; }
  // The stacks as the desktop stands now (the switcher lists them; so do stories).
  std::vector<StackInfo> StacksNow();
  // Replaces the switching effects (stack_transitions.h); null: every switch is instant.
  void SetStackSwitch(StackSwitch transition) { stacks_.SetSwitch(std::move(transition)); }

  // --- Shared dividers (divider_commands.cpp; the state lives in DividerEditing) ---------
  // Ctrl+Alt+A: the divider editor over the command's display; false when paused or
  // the display's layout has no divider (the user is told).
  bool ShowDividerEditor();
  DividerEditing& Dividers() { return dividers_; }

  // --- Compositions (the state and the work live in Compositions) ---------------------
  // Ctrl+Alt+1..9: the user's own layout number `index` (0-based) on the target's display.
  bool SwitchToLayout(int index, WindowId target = kNoWindow) {
    return compositions_.SwitchTo(index, target);
  }
  // Applies a layout with its apps to a display (tray entries, the gallery's choice).
  bool ApplyComposition(const std::string& display, const SnapLayout& layout) {
    return compositions_.Apply(display, layout);
  }
  Compositions& GetCompositions() { return compositions_; }
  // The layout editor (LayoutEditing) for an own layout; null: a new one.
  bool OpenLayoutEditor(const SnapLayout* layout) { return editing_.Open(layout); }

  // --- Snap Assist (assist_commands.cpp; the state lives in SnapAssist) ---------------
  // Offers the display's other windows for the layout's empty regions after a placement.
  void StartAssist(int displayIndex, const SnapLayout& layout, WindowId placed);
  void EndAssist() { assist_.End(); }
  WindowId AssistPanel() const { return assist_.FocusPanel(); }
  SnapAssist& Assist() { return assist_; }

  // --- Display changes (display_change_commands.cpp; the state lives in DisplayChanges) --
  // WM_DISPLAYCHANGE and the work-area change: windows in regions and spans follow a
  // changed work area, a returning arrangement gets its windows back, and the displays'
  // layouts are recovered.
  void OnDisplaysChanged();
  // At start-up and after every change: re-establish each display's layout from where
  // the windows stand and assign the windows standing in its regions.
  void RecoverDisplayLayouts();

  // --- Stacks (stack_commands.cpp; the state lives in Stacks) ---------------------------
  // The stack pass (timer 4, timer 5): derives the stacks and keeps their badges.
  void RefreshStacks();
  // Next (+1) or previous (-1) member of the foreground window's stack, wrapping; false
  // when paused, stacks are off or there is nothing to step to (beeps without a stack).
  bool StepStack(int step);
  // The switcher (StackSwitcher; else the foreground's) or overview of `window`'s stack.
  bool ShowSwitcher(WindowId window) { return switcher_.Show(window); }
  void DestroySwitcher() { switcher_.Close(); }
  StackSwitcher& Switcher() { return switcher_; }
  bool ShowOverview(WindowId window) { return overview_.Show(window); }
  StackOverview& Overview() { return overview_; }
  // Brings a stack member to the front (restoring it if minimised); false when it is gone.
  bool BringForward(WindowId window, bool activate);
  // Brings the windows a spanning window covers in front of it: `window`, else the
  // foreground window, else the display's front-most span. False when nothing moved.
  bool SendSpanBehind(WindowId window);
  void HideAllBadges();
  void DestroyAllBadges();
  // Forgets every remembered badge position; false when none had been moved.
  bool ResetBadgePositions();
  // Timer 8: badges grow near the pointer, a running Snap Assist watches the foreground and
  // a picker refused the keys watches for a press elsewhere. It runs only while one of them
  // needs it, so an idle desktop fires no timer.
  void UpkeepTick();

 private:
  friend class Compositions;  // it moves, remembers and assigns windows as placing does
  friend class StackSwitcher;  // its panel is made and posts like the other surfaces
  friend class StackOverview;  // so is its window

  // One display as the drag sees it, fixed at the start of the drag so that a tick never
  // enumerates displays or walks the z-order.
  struct DragDisplay {
    Monitor monitor;
    std::optional<SnapLayout> active;
    RegionMap regions;  // the active layout's pixel rectangles on the work area
    RegionLists members;
  };
  // The corner target last worked out, kept until the corner changes.
  struct CornerCache {
    int display = -1;
    int corner = -1;
    PlacedLayout placed;
    RegionMap rects;
  };
  // The picker's hovered region last worked out, kept until the hover changes.
  struct PickerTargetCache {
    int display = -1;
    int layout = -1;
    std::int32_t region = -1;
    RegionMap rects;
  };
  // The column under the top band last worked out, kept until the column changes.
  struct ColumnCache {
    int display = -1;
    Rect unit;
    std::optional<WholeColumnLayout> whole;
    Rect pixels;
  };

  const Platform& platform() const { return desktop_.platform(); }
  double Now() const;
  void Notify(const std::string& text);
  std::string AppNameOf(WindowId window) const;
  // True, after telling the user, when the window's app is not responding.
  bool LeftUnresponsive(WindowId window);

  // drag_tracking.cpp
  void BuildDragDisplays();
  void FindOrigin();
  void Classify(const Rect& frame, Point cursor);
  void AnswerLateEnd(WindowId root);
  void QueuePlacement(DragState ended, const Rect& endFrame);

  // drag_targets.cpp
  void MoveStep(Point cursor, double now, const Rect& frame);
  bool CornerStep(int displayIndex, Point p, double scale, double now);
  void OpenPickerForDrag(int displayIndex, Point p, double scale);
  // What the picker offers during the drag on a display; drawn ahead at the drag's start.
  struct DragPicker {
    std::vector<SnapLayout> layouts;
    int current = -1;
    PickerIcons icons;
  };
  DragPicker DragPickerOn(int displayIndex);
  void PreparePickerForDrag();
  void PreparePickerAtStart();
  bool RegionTargeting(int displayIndex, Point p, Point cursor, double scale, double now,
                       const Rect& frame);
  bool TopBandTargeting(int displayIndex, Point p, double scale, double now, bool hasOrigin);
  bool PreviousPositionTargeting(int displayIndex, std::int32_t region, const Rect& frame,
                                 Point cursor, double scale, double now);
  void ShowTarget(const RegionMap& rects, std::int32_t region, int displayIndex,
                  const std::string& caption);
  void HideTargets();
  void SetTargetLayout(const SnapLayout& layout);
  PickerIcons IconsFor(const std::vector<SnapLayout>& catalogue, int activeIndex,
                       const RegionLists* members, WindowId except);

  // Drops onto occupied regions work on the drag, the surfaces and placing.
  friend class RegionDrops;

  // placing.cpp
  bool PlaceIntoRegion(WindowId window, int displayIndex, const SnapLayout& layout,
                       std::int32_t region, const Rect& startRect, int kind);
  bool TooBig(WindowId window, const Rect& target, double scale) const;
  void StartWatchIfArranging();
  RegionLists MembersOn(int displayIndex, const SnapLayout& layout, WindowId except);

  // corner_split.cpp
  void CornerSplit(const PlacementRequest& request, int displayIndex, const SnapLayout& previous);


  // span_resizing.cpp: the resize of a window's edge, step by step and at its end;
  // resize_together.cpp: its neighbours following the shared divider.
  void BeginResize();
  void OnResizeStep(Point cursor, const Rect& frame);
  void EndResizeDrag(const DragState& ended, const Rect& endFrame);
  void OnResizeEnd(const PlacementRequest& request);
  void SpanAcross(const ResizeRecord& record, const Rect& endFrame);
  void ResizeTogether(const ResizeRecord& record, const Rect& endFrame);
  SnapLayout LimitToKnownMinimums(const ResizeRecord& record, const Rect& endFrame);
  bool Reached(WindowId window, const Rect& target) const;

  // picker_commands.cpp
  void PlaceFromPicker(int layoutIndex, int region);
  bool WatchUnfocusedPicker();

  // display_change_commands.cpp
  FramesFrontFirst ManageableFrames();
  // divider_commands.cpp
  void InstallDividerHooks();
  void ReturnArrangement(const DisplayChanges::Return& returning);
  void ReaimDrag();

  // assist_commands.cpp: a panel's choice (window) or give-up (0) for a region.
  void HandleAssistCommand(std::int32_t region, std::int64_t argument);

  // stack_commands.cpp
  bool HandleStackCommand(int code, std::int64_t argument);
  void StartUpkeep();
  // Runs `action` with what a stack pass needs to know now.
  void WithStackContext(const std::function<void(const StackPassContext&)>& action);

  Desktop& desktop_;
  SurfaceFactory& surfaceFactory_;
  ThemeSource& theme_;
  DocumentStore* layoutDocuments_;
  std::function<void(int, std::int64_t)> postCommand_;
  ShellCallbacks callbacks_;

  bool paused_ = false;
  StackSwitches stackSwitches_;

  Picker picker_;
  Outline outline_;
  FollowerOutlines followers_;  // the other neighbours that follow a resize
  DropMenuView dropMenu_;
  DividerEditing dividers_;
  bool initialised_ = false;

  std::vector<Monitor> displays_;
  LayoutStore layouts_;
  std::map<std::string, RegionLists> membership_;
  std::map<WindowId, PlacementRecord> placements_;
  std::map<WindowId, Rect> priorRects_;
  UseSequence useSequence_;
  MinimumSizes minimums_;

  // Motion batches: the innermost open one is at the back.
  std::vector<std::vector<GlideItem>> batches_;

  // The drag.
  DragState drag_;
  bool dragActive_ = false;
  std::vector<DragDisplay> dragDisplays_;
  DwellTimer dwell_;
  bool escaped_ = false;
  Point escapePoint_;
  CornerCache cornerCache_;
  ColumnCache columnCache_;
  PickerTargetCache pickerTargetCache_;
  std::vector<SnapLayout> pickerCatalogue_;

  std::optional<ResizeRecord> resize_;  // from a resize's recognition until it is carried out
  std::optional<PlacementRequest> pending_;
  LateEnd lateEnd_;

  double refreshDeadline_ = 0;
  double refreshAskedAt_ = 0;  // the first request the scheduled pass answers
  bool refreshShort_ = false;
  bool upkeepRunning_ = false;  // timer 8

  // Pickers opened by commands.
  WindowId pickerTarget_ = kNoWindow;
  bool gallery_ = false;
  std::string galleryDisplay_;
  std::vector<SnapLayout> galleryList_;

  SnapAssistWatch snapAssistWatch_;
  ElevatedWindows elevated_;
  SnapAssist assist_;
  Stacks stacks_;
  DisplayChanges displayChanges_;
  Compositions compositions_{*this};
  StackSwitcher switcher_{*this};
  StackOverview overview_{*this};
  RegionDrops drops_{*this};
  LayoutEditing editing_{*this, surfaceFactory_, theme_};
};

}  // namespace tessary
