#pragma once

// Starting files, folders and packaged apps through the shell.

#include "platform/launcher.h"

namespace tessary {

class Win32Launcher : public Launcher {
 public:
  bool PathExists(const std::string& path) override;
  bool ShellOpen(const std::string& file, const std::string& parameters) override;
};

}  // namespace tessary
