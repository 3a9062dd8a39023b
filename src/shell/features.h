#pragma once

// Which of the program's larger features are wired up in this build. Menu items and open
// requests of a feature that is not there yet are shown greyed or do nothing (with one
// line in the log), never a silent no-op on a live item and never a crash. Each feature's
// wiring turns its switch on.

namespace tessary {

struct ShellFeatures {
  bool welcome = true;          // the welcome window ("Getting Started…")
  bool tour = true;             // "Take the Tour…"
  bool whatsNew = true;         // the What's New window and its release notes
  bool settingsWindow = true;   // "Settings…", "Window Stack Settings…"
  bool feedback = true;         // "Send Feedback…"
  bool updateCheck = true;      // "Check for Updates…" and the hourly check
  bool diagnostics = true;      // recording diagnostics
  bool layoutFiles = true;      // import and export through the exchange file
  bool layoutEditor = true;     // "Create Custom Layout…", "Edit Layout"
  bool dividerEditor = true;    // "Adjust Shared Dividers"
  bool compositions = true;     // applying a layout to a display (Choose / Switch Layout)
  bool stacks = true;           // stepping through a stack, sending a span behind
  bool stackSwitcher = true;    // "Show Window Stack…": the switcher's panel
  bool stackOverview = true;    // "Show Stack Overview": the overview window
};

}  // namespace tessary
