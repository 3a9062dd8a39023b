#pragma once

// The controls of a dialog-like window as plain data: the portable model of each window
// (editor, settings, information windows, tour, feedback) says which controls it has,
// where (in units of 1/96 inch, scaled by the backend to the display) and with which
// command ids; the backend creates the matching system controls in that order, which is
// also the Tab order and how a screen reader pairs a label with the field after it.

#include <string>
#include <vector>

#include "base/geometry.h"

namespace tessary {

enum class ControlKind {
  kLabel,          // static text
  kHeading,        // static text in the window's heading font
  kEdit,           // one line of text
  kMultilineEdit,  // several lines, wraps, scrolls
  kButton,
  kDefaultButton,  // Enter's button
  kCheckBox,
  kDropDown,       // a drop-down list (no typing)
  kHotkey,         // the system's hotkey field
  kCanvas,         // an area the window paints itself (a preview, an illustration)
};

struct ControlSpec {
  ControlKind kind = ControlKind::kLabel;
  int id = 0;        // 0 for labels nobody addresses
  std::string text;  // UTF-8; a drop-down's items come separately
  Rect units;        // position and size in units within the client area
  int maxLength = 0; // edits: the most characters accepted (0: the system's default)
  bool enabled = true;
  bool visible = true;
};

using ControlTable = std::vector<ControlSpec>;

}  // namespace tessary
