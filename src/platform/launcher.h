#pragma once

// Starting applications through the shell.

#include <string>

namespace tessary {

class Launcher {
 public:
  virtual ~Launcher() = default;

  // GetFileAttributesW(path) succeeds.
  virtual bool PathExists(const std::string& path) = 0;
  // ShellExecuteW(null, "open", file, parameters or null when empty, no working folder,
  // SW_SHOWNOACTIVATE) returned a value greater than 32. Does not wait for the app.
  virtual bool ShellOpen(const std::string& file, const std::string& parameters) = 0;
};

}  // namespace tessary
