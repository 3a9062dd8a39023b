#pragma once

// The few modal questions and sounds the desktop services need from the system.

#include <string>

namespace tessary {

class Prompts {
 public:
  virtual ~Prompts() = default;

  // MessageBoxW owned by the main window with MB_OKCANCEL | MB_ICONINFORMATION; true when
  // the user chose OK. Blocks (the system runs a modal loop). UTF-8 texts.
  virtual bool Confirm(const std::string& caption, const std::string& text) = 0;
  // MessageBeep(MB_ICONINFORMATION): the sound of a command that found nothing to act on.
  virtual void InformationBeep() = 0;
};

}  // namespace tessary
