#pragma once

// The stack switcher: the chooser panel showing every window of one stack as a card, opened
// with Ctrl+Alt+S, from a badge or from the tray. Picking a card brings that window forward.
// This class owns the one open switcher: its panel, the members it lists and the rules that
// close it. The panel only posts commands; the Coordinator hands them back here.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "engine/stack_model.h"
#include "engine/switcher_peek.h"
#include "surfaces/chooser_panel.h"

namespace tessary {

class Coordinator;

// Commands the switcher's panel posts (WM_COORDINATOR_COMMAND). The wheel's code,
// kCommandSwitcherWheel (-15), comes from the mouse hook.
inline constexpr int kCommandSwitcherChoose = -10;  // argument: the chosen window
inline constexpr int kCommandSwitcherDone = -11;
inline constexpr int kCommandSwitcherStep = -12;     // argument: +1 or -1
inline constexpr int kCommandSwitcherTab = -13;      // argument: the tab
inline constexpr int kCommandSwitcherActionB = -14;  // argument: the spanning window
inline constexpr int kCommandSwitcherStretch = -17;  // argument: the window to stretch

inline constexpr const char* kSwitcherHeader = "Window Stack";
inline constexpr const char* kSwitcherClose = "Close";

class StackSwitcher {
 public:
  explicit StackSwitcher(Coordinator& coordinator);

  // Opens the panel for the stack holding `window` (the foreground window when none);
  // `hoverZone` is given when the pointer resting on a minimise button opened it. Closes
  // any open switcher first. False when nothing opens.
  bool Show(WindowId window, const Rect* hoverZone = nullptr);
  void Close();
  bool Open() const { return panel_ != nullptr; }
  // Ctrl+Alt+] and [ while the panel is open: the next or previous member comes forward.
  bool Step(int step);
  // A command posted by the panel; false for codes that are not the switcher's.
  bool HandleCommand(int code, std::int64_t argument);
  // Timer 8: the closing rules, or watching the pointer rest on a minimise button. False
  // once there is nothing to watch (the timer may rest).
  bool Tick(double now);
  // After a stack pass: the minimise buttons of the windows in front of a stack (the caption
  // band of one that draws its own) go to the mouse hook, which reports the pointer's
  // arrival on one (kCommandHoverSpot).
  void PublishHoverSpots();

  ChooserPanel* Panel() const { return panel_.get(); }
  const std::vector<WindowId>& Members() const { return members_; }
  WindowId Selected() const { return selected_; }
  bool Hovering() const { return hovering_; }

 private:
  struct Content {
    std::vector<WindowId> windows;
    ChooserConfig config;
    double width = 0;  // units; 0: the standard size
    double height = 0;
  };
  Content ContentFor(const StackInfo& stack, WindowId window);
  Rect Placement(const StackInfo& stack, const Content& content, const Rect* hoverZone) const;
  ChooserCallbacks Callbacks();
  bool PointerNear(double scale) const;
  bool WatchHover(double now);
  bool IsFront(WindowId window) const;
  void Stretch(WindowId window);
  std::optional<Rect> MinimiseButton(WindowId window) const;
  // Where resting the pointer may open the switcher: the minimise button, or the caption
  // band of a window that draws its own caption, whose hit test then decides.
  struct HoverSpot {
    Rect rect;
    bool askWindow = false;
  };
  std::optional<HoverSpot> HoverSpotOf(WindowId window) const;
  double ScaleOf(WindowId window) const;

  Coordinator& c_;
  std::unique_ptr<ChooserPanel> panel_;
  SwitcherPeek peek_;
  std::string display_;
  std::vector<WindowId> members_;
  Rect area_;                      // the stack's area: a span's, for stretching
  std::vector<std::string> tabs_;  // the ids of the layouts the tabs name
  WindowId selected_ = kNoWindow;
  bool hovering_ = false;
  Rect hoverZone_;
  double cooldown_ = 0;  // no step before this time
  double grace_ = 0;     // losing the foreground before this time is ignored
  double leftAt_ = 0;    // when the pointer left a hover-opened panel; 0 while inside
  bool focusedOnce_ = false;
  // The hover watch: the window whose minimise button has the pointer, and since when.
  WindowId watched_ = kNoWindow;
  double watchedSince_ = 0;
  std::vector<Rect> spots_;  // as last handed to the hook
};

}  // namespace tessary
