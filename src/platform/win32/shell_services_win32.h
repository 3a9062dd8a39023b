#pragma once

// The shell's one-off services on Windows: the graphics factories, the program's own
// version resource and message boxes owned by the main window.

#include <windows.h>

#include <functional>

#include "platform/shell_host.h"
#include "platform/win32/graphics_factories.h"

namespace tessary {

class Win32ShellServices : public ShellServices {
 public:
  Win32ShellServices(GraphicsFactories& graphics, std::function<HWND()> mainWindow)
      : graphics_(graphics), mainWindow_(std::move(mainWindow)) {}

  bool CreateGraphicsFactories() override { return graphics_.Create(); }
  std::optional<ProgramVersion> OwnVersion() override;
  void ShowInformation(const std::string& caption, const std::string& text) override;
  bool AskOkCancel(const std::string& caption, const std::string& text) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  SystemDescription DescribeSystem() override;

 private:
  GraphicsFactories& graphics_;
  std::function<HWND()> mainWindow_;
};

// The fixed file version of an executable's version resource; none when unreadable.
std::optional<ProgramVersion> FileVersionOf(const wchar_t* path);

}  // namespace tessary
