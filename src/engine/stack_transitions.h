#pragma once

// How a switch between stack members looks: the effect chosen in the settings, played
// around the real change. The slide moves the target window itself out and back; the
// cards and the GPU effects capture the windows involved and hand them to the player
// (transitions/transitions.h), which calls back to make the change while its overlay
// hides the desktop. Every effect that cannot play leaves the change to the caller.

#include <functional>
#include <vector>

#include "desktop/desktop.h"
#include "platform/surface.h"
#include "transitions/transition_capture.h"
#include "transitions/transitions.h"

namespace tessary {

// One switch between stack members: `raise` are brought in front of the windows in
// `inFront` (front-most first). A transition answers false when it cannot run; the
// switch is then instant.
struct StackSwitchRequest {
  std::vector<WindowId> raise;
  std::vector<WindowId> inFront;
  bool activate = false;
  int transition = 0;  // the effect's id (transitions/transition_catalogue.h)
  Rect display;        // the bounds of the windows' display (the slide heads for its centre)
  double scale = 1.0;  // its scale
};
using StackSwitch = std::function<bool(const StackSwitchRequest&)>;

class StackTransitions {
 public:
  StackTransitions(Desktop& desktop, SurfaceFactory& surfaces);

  // The GPU device is made ahead of the first effect (the switcher opening).
  void Warm() { player_.Warm(); }
  // Plays the request's effect, calling `swap` (the real change) exactly once inside it.
  // False: nothing played and `swap` was not called.
  bool Play(const StackSwitchRequest& request, const std::function<void()>& swap);

 private:
  bool Slide(const StackSwitchRequest& request, const std::function<void()>& swap);
  bool Cards(const StackSwitchRequest& request, const std::function<void()>& swap);
  // The windows' images and frames, in order; a window that yields no image is left out
  // (its index is then missing from `kept`).
  std::vector<TransitionItem> Capture(const std::vector<WindowId>& windows,
                                      std::vector<WindowId>& kept);

  Desktop& desktop_;
  WindowImages* images_;
  Transitions player_;
  BackdropCache backdrop_;
};

}  // namespace tessary
