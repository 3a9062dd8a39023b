#pragma once

// The stacks concern of the engine: the stack pass that derives stacks from the desktop
// and keeps one badge per front window, the remembered badge positions, and bringing a
// member forward. The Coordinator owns one and forwards its entry points here.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/desktop.h"
#include "engine/badge_placements.h"
#include "engine/stack_model.h"
#include "engine/stack_transitions.h"
#include "layout/layout_store.h"
#include "platform/popup_menu.h"
#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/badge_view.h"

namespace tessary {

// Commands the badges post (WM_COORDINATOR_COMMAND); the argument is a window number.
inline constexpr int kCommandBadgeBringForward = -20;  // the icon's window
inline constexpr int kCommandBadgeBringGroup = -21;    // the badge's front window
inline constexpr int kCommandBadgeMoved = -22;         // the badge's front window
inline constexpr int kCommandBadgePointerArrived = -23;  // the badge's front window
inline constexpr int kCommandBadgeMenu = -24;            // the badge's front window
inline constexpr int kCommandBadgeShowStack = -25;       // the badge's front window
inline constexpr int kCommandBadgeOverview = -27;        // the badge's front window

// What the user reads after all badge positions were reset.
inline constexpr const char* kBadgesResetText = "Every badge is back in its usual place.";

// What the user chose in a floating badge's menu.
enum class BadgeMenuChoice { kNone, kMoveBack, kResetAll };

// What a pass needs from the Coordinator at the moment it runs.
struct StackPassContext {
  const std::vector<StackDisplay>& layouts;  // displays with an active layout
  UseSequence& uses;
  bool windowStacks = true;
  bool badges = true;
  bool badgesOnEdge = true;
  bool orderByName = false;
  bool paused = false;
  bool dragging = false;
};

class Stacks {
 public:
  // `menus` shows a floating badge's menu; null: the badge has none.
  Stacks(Desktop& desktop, SurfaceFactory& surfaces, ThemeSource& theme,
         DocumentStore* badgeDocuments, std::function<void(int, std::int64_t)> postCommand,
         PopupMenus* menus);
  ~Stacks();
  Stacks(const Stacks&) = delete;
  Stacks& operator=(const Stacks&) = delete;

  // The displays with an active layout and their regions, in a buffer the stacks keep.
  const std::vector<StackDisplay>& LayoutDisplays(const std::vector<Monitor>& displays,
                                                  const LayoutStore& layouts);

  // The stack pass.
  struct PassResult {
    bool again = false;      // a settling period is under way: run again soon
    bool badgeShown = false;  // a badge appeared or changed
  };
  PassResult Refresh(const StackPassContext& context);
  // The stacks as the desktop stands now; valid until the next call.
  const std::vector<StackInfo>& Compute(const StackPassContext& context);

  // Brings the windows forward, instantly or through the installed transition.
  void Switch(StackSwitchRequest request);
  // The switching effects play from the start; another transition, or none (instant
  // switches), can be installed instead.
  void SetSwitch(StackSwitch transition) { transition_ = std::move(transition); }
  // The change itself, at once: the windows come to the front, the first front-most.
  void Raise(const StackSwitchRequest& request);
  StackTransitions& Effects() { return effects_; }
  // The windows whose frames overlap `target` (by more than `overlap` px each way) in
  // front of it, front-most first, one per frame.
  std::vector<WindowId> WindowsInFront(WindowId target, double scale);
  // A pass keeps badges of live members until this clock time.
  void SettleUntil(double time) { settleUntil_ = time; }

  // A floating badge was dropped at the rectangle its Badge reported.
  void BadgeMoved(WindowId front, const StackPassContext& context);
  bool ResetPlacements();
  bool ForgetPlacement(const std::string& display, const Rect& frame);
  // Alt+right-click on the floating badge of `front`: "Move Badge Back Under the Title
  // Bar" when it has a remembered position, "Reset All Badge Positions" when any badge
  // has one; no menu when neither applies. Carries out the choice and answers it.
  BadgeMenuChoice ShowBadgeMenu(WindowId front);
  void HideAll();
  void DestroyAll();
  // Timer 8: each badge grows or shrinks with the pointer. Answers whether a badge still
  // wants the pointer (it is near one, or a press is held); otherwise the timer can rest.
  bool TrackPointer(Point cursor);

  struct BadgeEntry {
    std::unique_ptr<Badge> badge;
    std::uint64_t pass = 0;  // the last pass that wanted it
    std::string display;     // the id of its front window's display
  };
  const std::map<std::string, BadgeEntry>& Badges() const { return badges_; }
  const BadgePlacementStore& Placements() const { return placements_; }
  // The manageable windows with their frames, front-most first, as the last walk of the
  // z-order found them.
  const FramesFrontFirst& Frames() const { return z_.manageable; }
  // The windows that stood in front of a stack at the last pass, in stack order.
  const std::vector<WindowId>& Fronts() const { return fronts_; }

 private:
  struct ZWalk {
    std::vector<WindowId> all;  // every top-level window, front-most first
    FramesFrontFirst manageable;
  };
  void WalkZOrder();
  BadgeEntry* BadgeFor(const std::string& key, const std::string& display);
  // Answers whether the badge was presented anew.
  bool ShowBadge(const StackInfo& stack, WindowId front, const StackPassContext& context);
  bool KeepUnwanted(const BadgeEntry& entry, const std::vector<StackInfo>& stacks) const;
  // The window a badge of `front` is placed under: the one directly above it, or none (the
  // top of the ordinary band) when that one is topmost.
  WindowId BadgeAbove(WindowId front) const;
  IconId IconOf(WindowId window);
  const std::string& AppNameOf(WindowId window);
  void DropVanished();

  Desktop& desktop_;
  SurfaceFactory& surfaces_;
  ThemeSource& theme_;
  std::function<void(int, std::int64_t)> postCommand_;
  PopupMenus* menus_;
  BadgePlacementStore placements_;
  StackTransitions effects_;
  StackSwitch transition_;
  std::map<std::string, BadgeEntry> badges_;
  std::map<WindowId, Rect> droppedAt_;
  std::vector<WindowId> fronts_;
  std::map<WindowId, IconId> icons_;
  std::map<WindowId, std::string> appNames_;
  ZWalk z_;
  StackFinder finder_;
  std::vector<StackDisplay> layoutDisplays_;
  double settleUntil_ = 0;
  std::uint64_t pass_ = 0;
  // Buffers of the pass, kept so that an unchanged desktop allocates nothing.
  std::string key_;
  std::vector<WindowId> behind_;
  BadgeContent content_;
  std::vector<WindowId> badgeWindows_;
};

}  // namespace tessary
