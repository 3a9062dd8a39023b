#include "dialogs/release_notes.h"

#include <array>
#include <cctype>
#include <vector>

namespace tessary {
namespace {

constexpr std::array<ReleaseNote, 5> kNotes{{
    {"0.1.5",
     "• A welcome window, a five-page tour and these release notes.\n"
     "• Transitions when the windows of a stack are switched.\n"
     "• Diagnostics recording, an update check and a feedback form."},
    {"0.1.4",
     "• Your own layouts, with the apps that live in each spot; Ctrl+Alt+1–9 switch "
     "between them.\n"
     "• Importing and exporting layouts.\n"
     "• Mouse buttons as shortcuts, and the stack overview."},
    {"0.1.3",
     "• Spans: hold Ctrl while resizing a snapped window's edge to cover whole regions.\n"
     "• The stack switcher (Ctrl+Alt+S), and Ctrl+Alt+] and [ to step through a stack.\n"
     "• Shared dividers adjusted together (Ctrl+Alt+A)."},
    {"0.1.2",
     "• Drops onto occupied regions: add to the stack, take a half, rejoin a split, or swap.\n"
     "• Window stacks, with a badge of app icons on the front window's edge.\n"
     "• Keyboard shortcuts to place, fill and restore windows."},
    {"0.1.0",
     "Tessary comes to Windows.\n\n"
     "• Drag a window to the top center of a display and drop it into a region.\n"
     "• Snap Assist offers your other windows for the empty regions.\n"
     "• Built-in layouts for every display, with proportions kept per display."},
}};

}  // namespace

std::span<const ReleaseNote> ReleaseNotes() { return kNotes; }

std::string WhatsNewText(std::string_view lastSeen, std::string_view current) {
  std::string text;
  for (const ReleaseNote& entry : kNotes) {
    if (CompareVersions(entry.version, current) > 0) continue;
    if (!lastSeen.empty() && CompareVersions(entry.version, lastSeen) <= 0) continue;
    if (!text.empty()) text += "\n\n";
    text += "Tessary ";
    text += entry.version;
    text += "\n";
    text += entry.notes;
  }
  return text;
}

}  // namespace tessary
