#pragma once

// The switcher's peek: resting the pointer on a card lifts that window (or the windows
// action B would bring forward) to the top without activating it, so the user sees it
// before choosing; moving off, or closing the switcher, puts the stack back as it stood.

#include <vector>

#include "desktop/desktop.h"

namespace tessary {

class SwitcherPeek {
 public:
  explicit SwitcherPeek(Desktop& desktop) : desktop_(desktop) {}

  // Raises `windows` (not empty) so that the first ends on top. The first peek of a run
  // records where `members` stood and the window above them (none when that is the
  // switcher's `panel`).
  void Show(const std::vector<WindowId>& windows, const std::vector<WindowId>& members,
            WindowId panel);
  // Ends a running peek, putting the recorded members back when `restore` is set.
  // Answers whether a peek was running.
  bool End(bool restore);

 private:
  Desktop& desktop_;
  bool active_ = false;
  std::vector<WindowId> recorded_;  // front first
  WindowId anchor_ = kNoWindow;
};

}  // namespace tessary
