#pragma once

// Message boxes owned by the main window, and the information beep.

#include <windows.h>

#include "platform/prompts.h"

namespace tessary {

class Win32Prompts : public Prompts {
 public:
  void Attach(HWND mainWindow) { mainWindow_ = mainWindow; }

  bool Confirm(const std::string& caption, const std::string& text) override;
  void InformationBeep() override;

 private:
  HWND mainWindow_ = nullptr;
};

}  // namespace tessary
