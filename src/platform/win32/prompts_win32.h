#pragma once

// Message boxes and file dialogs owned by the window in front of the user (the program's
// own dialog-like window when one is active, else the main window), and the beeps.

#include <windows.h>

#include "platform/prompts.h"

namespace tessary {

class Win32Prompts : public Prompts {
 public:
  void Attach(HWND mainWindow) { mainWindow_ = mainWindow; }

  bool Confirm(const std::string& caption, const std::string& text) override;
  bool Ask(const std::string& caption, const std::string& text, PromptIcon icon) override;
  bool AskYesNo(const std::string& caption, const std::string& text, PromptIcon icon) override;
  void Inform(const std::string& caption, const std::string& text, PromptIcon icon) override;
  std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override;
  std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override;
  void InformationBeep() override;
  void WarningBeep() override;

 private:
  HWND Owner() const;
  int Show(const std::string& caption, const std::string& text, UINT style) const;
  std::optional<std::string> ChooseFile(const FileChoice& choice, bool save) const;

  HWND mainWindow_ = nullptr;
};

}  // namespace tessary
