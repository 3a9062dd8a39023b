#pragma once

// What the user is told when a placement is undone because a window would not take its
// new size: a drop of one window and a drop that moved several say it the same way.

#include <string>

namespace tessary {

// `own`: the offending window is the one that was placed ("Its"), else one of the others
// ("The windows'").
inline std::string NeedsMoreRoomMessage(const std::string& app, bool own) {
  return app + " needs more room than this space has. " + (own ? "Its" : "The windows'") +
         " prior size was restored.";
}

}  // namespace tessary
