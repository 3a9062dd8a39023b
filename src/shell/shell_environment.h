#pragma once

// Everything the shell is given by the backend that runs it: the desktop interfaces, the
// shell's own system services, the surfaces, the files and the sign-in entry.

#include <cstdint>
#include <functional>

#include "platform/file_system.h"
#include "platform/key_names.h"
#include "platform/platform.h"
#include "platform/shell_host.h"
#include "platform/startup_entry.h"
#include "platform/surface.h"
#include "platform/theme_source.h"

namespace tessary {

struct ShellEnvironment {
  Platform platform;
  ShellHost host;
  SurfaceFactory& surfaces;
  ThemeSource& theme;
  FileSystem& files;
  StartupEntry& startupEntry;
  KeyNames& keyNames;
  // Seconds since 1970 (the update check's time stamps); empty: the system clock.
  std::function<std::int64_t()> unixTime;
};

}  // namespace tessary
