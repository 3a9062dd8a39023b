#pragma once

// The few modal questions, messages, file choices and sounds the program needs from the
// system. Each blocks while the system runs its modal loop; texts are UTF-8.

#include <optional>
#include <string>

namespace tessary {

enum class PromptIcon { kInformation, kWarning, kError, kQuestion };

// A file dialog: its title, one filter ("Apps (*.exe)" showing "*.exe"), the extension
// added to a typed name without one, and the name suggested in a save dialog.
struct FileChoice {
  std::string title;
  std::string filterName;     // e.g. "Apps (*.exe)"
  std::string filterPattern;  // e.g. "*.exe"
  std::string defaultExtension;  // without the dot, e.g. "json"; may be empty
  std::string suggestedName;     // save dialogs only
  // A second filter, "All files" showing "*.*", for files named any other way.
  bool offerAllFiles = false;
};

class Prompts {
 public:
  virtual ~Prompts() = default;

  // MessageBoxW owned by the main window with MB_OKCANCEL | MB_ICONINFORMATION; true when
  // the user chose OK.
  virtual bool Confirm(const std::string& caption, const std::string& text) = 0;
  // OK and Cancel with the given icon; true when the user chose OK.
  virtual bool Ask(const std::string& caption, const std::string& text, PromptIcon icon) = 0;
  // Yes and No with the given icon, for a question that offers to do one more thing;
  // true when the user chose Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text, PromptIcon icon) = 0;
  // A message with only OK.
  virtual void Inform(const std::string& caption, const std::string& text, PromptIcon icon) = 0;
  // The system's open and save dialogs; the chosen file's full path, or nothing when the
  // user cancelled (or the dialog could not open).
  virtual std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) = 0;
  virtual std::optional<std::string> ChooseFileToSave(const FileChoice& choice) = 0;
  // MessageBeep(MB_ICONINFORMATION): the sound of a command that found nothing to act on.
  virtual void InformationBeep() = 0;
  // MessageBeep(MB_ICONWARNING): the sound of a request that was refused.
  virtual void WarningBeep() = 0;
};

}  // namespace tessary
