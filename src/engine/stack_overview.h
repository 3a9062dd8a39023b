#pragma once

// The stack overview: one window of live previews of every member of a stack, opened by
// right-clicking a badge or with the "Show Stack Overview" command. This class decides
// when it opens, which windows it lists and in what order, what a pick does and when it
// closes; the view (surfaces/stack_overview_view.h) only posts commands back.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ids.h"
#include "surfaces/stack_overview_view.h"

namespace tessary {

class Coordinator;

// Commands the overview posts (WM_COORDINATOR_COMMAND).
inline constexpr int kCommandOverviewChoose = -18;  // argument: the chosen window
inline constexpr int kCommandOverviewDismiss = -19;
inline constexpr int kCommandOverviewClosed = -26;  // its closing is over: destroy it

inline constexpr const char* kNoStackText =
    "No other windows share this window\xE2\x80\x99s position and size.";

class StackOverview {
 public:
  explicit StackOverview(Coordinator& coordinator) : c_(coordinator) {}

  // Opens the overview of the stack holding `window` (a badge stands for its front
  // window). Tells the user when the window shares its place with no other. Closes the
  // switcher and any overview first. False when nothing opens.
  bool Show(WindowId window);
  // Starts closing; the view reports back when it is gone.
  void Close();
  void Destroy();
  bool Open() const { return view_ != nullptr; }
  // The overview's own window, and the window it was opened for.
  WindowId Window() const { return view_ ? view_->Window() : kNoWindow; }
  WindowId Subject() const { return subject_; }
  const std::vector<WindowId>& Members() const { return members_; }
  StackOverviewView* View() const { return view_.get(); }
  // A command posted by the view; false for codes that are not the overview's.
  bool HandleCommand(int code, std::int64_t argument);
  // Timer 8: closes the overview when it no longer shows the stack as it is. False when
  // nothing is open (the timer may rest).
  bool Tick();

 private:
  WindowId Requested(WindowId window) const;
  std::vector<WindowId> FrontFirst(std::vector<WindowId> members) const;
  OverviewEntry EntryFor(WindowId window) const;

  Coordinator& c_;
  std::unique_ptr<StackOverviewView> view_;
  WindowId subject_ = kNoWindow;
  std::vector<WindowId> members_;
};

}  // namespace tessary
