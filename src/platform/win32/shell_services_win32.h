#pragma once

// The shell's one-off services on Windows: the graphics factories, the program's own
// version resource and the description of the system.

#include <windows.h>

#include "platform/shell_host.h"
#include "platform/win32/graphics_factories.h"

namespace tessary {

class Win32ShellServices : public ShellServices {
 public:
  explicit Win32ShellServices(GraphicsFactories& graphics) : graphics_(graphics) {}

  bool CreateGraphicsFactories() override { return graphics_.Create(); }
  std::optional<ProgramVersion> OwnVersion() override;
  SystemDescription DescribeSystem() override;

 private:
  GraphicsFactories& graphics_;
};

// The fixed file version of an executable's version resource; none when unreadable.
std::optional<ProgramVersion> FileVersionOf(const wchar_t* path);

}  // namespace tessary
