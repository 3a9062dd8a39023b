#pragma once

// Windows of apps running as administrator. Windows does not let a program that runs
// without administrator rights move them, and refuses quietly enough that a move can look
// done; so every command checks its window first (as a drag's start does) and the user is
// told why once per window, not at every attempt.

#include <set>
#include <string>

#include "desktop/desktop.h"

namespace tessary {

class ElevatedWindows {
 public:
  enum class Reach {
    kReachable,
    kToldNow,     // out of reach; the user has just been told
    kToldBefore,  // out of reach; the user was told at an earlier attempt
  };

  // Whether the program can arrange the window; the first time one cannot be, the
  // returned kToldNow asks the caller to say so (with Message).
  Reach Check(Desktop& desktop, WindowId window);
  static std::string Message(const std::string& appName);

 private:
  std::set<WindowId> told_;
};

}  // namespace tessary
