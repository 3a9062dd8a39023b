// Escape during a drag. The watch keeps every Escape from the applications while a drag
// is followed; when the drag had nothing of ours up, the key is given back so the app
// under the drag still gets its Escape.

#include "shell/shell.h"

namespace tessary {

void Shell::SetEscapeWatch(bool on) {
  Input& input = platform().input;
  if (on) {
    input.StartEscapeWatch([this] { OnEscapePressed(); });
  } else {
    input.StopEscapeWatch();
  }
}

void Shell::OnEscapePressed() {
  if (coordinator_ && !shutDown_ && coordinator_->CancelDragByEscape()) return;
  // Stopped first, so the watch cannot take the key it is about to give back (the
  // injected strokes carry the program's tag as well).
  platform().input.StopEscapeWatch();
  platform().keys.Send({KeyStroke{Key::kEscape, false}, KeyStroke{Key::kEscape, true}});
}

}  // namespace tessary
