#pragma once

// Hotkeys of the main window (RegisterHotKey) and the AltGr question about the installed
// keyboard layouts.

#include <windows.h>

#include <functional>

#include "platform/hotkeys.h"

namespace tessary {

class Win32Hotkeys : public Hotkeys {
 public:
  // The main window is looked up at every call: hotkeys are registered only after it
  // exists, and a null window would tie them to the thread instead.
  explicit Win32Hotkeys(std::function<HWND()> mainWindow) : mainWindow_(std::move(mainWindow)) {}

  bool Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
  void Unregister(int id) override;

 private:
  std::function<HWND()> mainWindow_;
};

class Win32KeyboardLayouts : public KeyboardLayouts {
 public:
  bool AltGrTypesCharacter(std::uint32_t virtualKey, bool shift) override;
};

}  // namespace tessary
