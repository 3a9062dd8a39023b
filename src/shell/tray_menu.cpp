#include "shell/tray_menu.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"
#include "services/maker_site.h"
#include "shell/window_command.h"

namespace tessary {
namespace {

namespace id = tray_command;
using namespace window_command;

// "text" or "text\tshortcut".
std::string WithShortcut(std::string text, const std::string& shortcut) {
  if (!shortcut.empty()) text += "\t" + shortcut;
  return text;
}

MenuItem LayoutItem(const TrayLayoutEntry& entry, int index) {
  auto data = std::make_shared<LayoutMenuItem>();
  data->title = entry.title;
  data->subtitle = entry.subtitle;
  data->accessibleText = LayoutEntryAccessibleText(entry);
  data->thumbnail = entry.thumbnail;
  MenuItem item;
  item.kind = MenuItemKind::kLayout;
  item.id = id::kChooseLayoutBase + index;
  item.label = entry.title;
  item.checked = entry.checked;
  item.layout = std::move(data);
  return item;
}

MenuItem ChooseLayoutMenu(const TrayMenuFacts& f) {
  std::vector<MenuItem> items;
  items.push_back(MenuItem::Command(0, f.displayName, true));
  items.push_back(MenuItem::Separator());
  bool adjustedSeen = false;
  const int count = std::min<int>(static_cast<int>(f.layouts.size()), kMaxMenuLayouts);
  for (int i = 0; i < count; ++i) {
    const TrayLayoutEntry& entry = f.layouts[static_cast<std::size_t>(i)];
    if (entry.adjusted && !adjustedSeen) {
      adjustedSeen = true;
      items.push_back(MenuItem::Separator());
      items.push_back(MenuItem::Command(0, "Adjusted proportions", true));
    }
    items.push_back(LayoutItem(entry, i));
  }
  items.push_back(MenuItem::Separator());
  items.push_back(MenuItem::Command(id::kGallery, "Open Layout Gallery…\tCtrl+Alt+Z"));
  items.push_back(MenuItem::Command(id::kCreateLayout, "Create Custom Layout…"));
  std::vector<MenuItem> edit;
  for (std::size_t i = 0; i < f.ownLayoutNames.size(); ++i) {
    edit.push_back(MenuItem::Command(id::kEditLayoutBase + static_cast<int>(i), f.ownLayoutNames[i]));
  }
  if (edit.empty()) edit.push_back(MenuItem::Command(0, "Your own layouts appear here", true));
  items.push_back(MenuItem::Submenu("Edit Layout", std::move(edit)));
  items.push_back(MenuItem::Command(id::kImportLayouts, "Import Layouts…"));
  items.push_back(MenuItem::Command(id::kExportMyLayouts, "Export My Layouts…",
                                    f.ownLayoutNames.empty()));
  items.push_back(MenuItem::Command(id::kExportArrangement, "Export Current Arrangement…",
                                    !f.hasActiveLayout));
  items.push_back(MenuItem::Separator());
  items.push_back(MenuItem::Command(id::kResetLayouts, "Reset Layouts on " + f.displayName + "…"));
  return MenuItem::Submenu("Choose a Layout", std::move(items));
}

MenuItem SwitchLayoutMenu(const TrayMenuFacts& f) {
  std::vector<MenuItem> items;
  if (f.ownLayoutNames.empty()) {
    items.push_back(MenuItem::Command(id::kCreateLayout, "Create Custom Layout…"));
  }
  for (std::size_t i = 0; i < f.ownLayoutNames.size(); ++i) {
    std::string label = f.ownLayoutNames[i];
    if (i < 9) label += "\tCtrl+Alt+" + std::to_string(i + 1);
    items.push_back(MenuItem::Command(id::kSwitchLayoutBase + static_cast<int>(i), std::move(label),
                                      false,
                                      static_cast<int>(i) == f.activeOwnLayout));
  }
  return MenuItem::Submenu("Switch Layout", std::move(items));
}

MenuItem FocusedWindowMenu(const TrayMenuFacts& f) {
  const bool none = !f.hasFocusedWindow;
  auto command = [&](int index, const char* text) {
    return MenuItem::Command(id::kWindowCommandBase + index,
                             WithShortcut(text, f.shortcutLabels[static_cast<std::size_t>(index)]),
                             none);
  };
  std::vector<MenuItem> items;
  items.push_back(command(kPlace, "Place…"));
  items.push_back(command(kFill, "Fill Screen"));
  items.push_back(command(kPutBack, "Put Back"));
  items.push_back(command(kRestore, "Restore"));
  items.push_back(MenuItem::Separator());
  items.push_back(MenuItem::Command(
      id::kAdjustDividers, WithShortcut("Adjust Shared Dividers", f.shortcutLabels[kDividers]),
      none || !f.hasActiveLayout));
  return MenuItem::Submenu("Focused Window", std::move(items));
}

MenuItem WindowStacksMenu(const TrayMenuFacts& f) {
  const bool greyed = !f.hasFocusedWindow || !f.windowStacksEnabled;
  std::vector<MenuItem> items;
  items.push_back(MenuItem::Command(id::kWindowCommandBase + kStack, "Show Window Stack…",
                                    greyed));
  items.push_back(MenuItem::Command(id::kWindowCommandBase + kOverview, "Show Stack Overview",
                                    greyed));
  items.push_back(MenuItem::Command(id::kWindowCommandBase + kNext, "Next Window", greyed));
  items.push_back(MenuItem::Command(id::kWindowCommandBase + kPrevious, "Previous Window", greyed));
  items.push_back(MenuItem::Command(id::kWindowCommandBase + kSendToBack,
                                    "Move Spanning Window Behind", greyed));
  items.push_back(MenuItem::Separator());
  items.push_back(
      MenuItem::Command(id::kStackSettings, "Window Stack Settings…"));
  return MenuItem::Submenu("Window Stacks", std::move(items));
}

MenuItem HelpMenu(const TrayMenuFacts& f) {
  std::vector<MenuItem> items;
  items.push_back(MenuItem::Command(id::kGettingStarted, "Getting Started…"));
  items.push_back(MenuItem::Command(id::kTour, "Take the Tour…"));
  items.push_back(MenuItem::Command(id::kUserGuide, "User Guide"));
  items.push_back(MenuItem::Command(id::kWhatsNew, "What's New"));
  items.push_back(MenuItem::Separator());
  items.push_back(MenuItem::Command(id::kSendFeedback, "Send Feedback…"));
  items.push_back(MenuItem::Command(
      id::kRecordDiagnostics,
      f.recordingDiagnostics ? "Stop Recording Diagnostics…" : "Record Diagnostics…"));
  return MenuItem::Submenu("Help", std::move(items));
}

}  // namespace

MenuModel BuildTrayMenu(const TrayMenuFacts& f) {
  MenuModel menu;
  auto& items = menu.items;
  items.push_back(MenuItem::Command(0, "Tessary " + f.version, true));
  items.push_back(MenuItem::Separator());
  bool notices = false;
  if (f.windowsArranging) {
    items.push_back(MenuItem::Command(id::kTurnOffWindowsSnap, "Turn Off Windows Snap…"));
    notices = true;
  }
  if (f.paused) {
    items.push_back(MenuItem::Command(id::kResume, "Resume Snapping"));
    notices = true;
  }
  if (f.updateAvailable) {
    items.push_back(MenuItem::Command(id::kUpdateAvailable,
                                      "Tessary " + f.availableVersion + " Is Available…"));
    notices = true;
  }
  if (notices) items.push_back(MenuItem::Separator());
  if (f.hasDisplay) items.push_back(ChooseLayoutMenu(f));
  items.push_back(SwitchLayoutMenu(f));
  items.push_back(FocusedWindowMenu(f));
  items.push_back(WindowStacksMenu(f));
  items.push_back(MenuItem::Separator());
  items.push_back(MenuItem::Command(id::kPause, "Pause Snapping", false, f.paused));
  items.push_back(MenuItem::Command(id::kSettings, "Settings…"));
  if (f.recordingDiagnostics) {
    items.push_back(MenuItem::Command(id::kStopRecording, "Stop Recording Diagnostics…"));
  }
  items.push_back(MenuItem::Separator());
  items.push_back(HelpMenu(f));
  items.push_back(MenuItem::Command(id::kCheckForUpdates, "Check for Updates…"));
  items.push_back(MenuItem::Command(id::kAbout, "About Tessary"));
  items.push_back(MenuItem::Command(id::kQuit, "Quit Tessary"));
  return menu;
}

bool IsOwnLayout(const SnapLayout& layout, const std::vector<SnapLayout>& ownLayouts) {
  for (const SnapLayout& own : ownLayouts) {
    if (own.id == layout.id) return true;
  }
  return false;
}

bool IsAdjustedLayout(const SnapLayout& layout, const std::vector<SnapLayout>& ownLayouts) {
  if (layout.id == kCornerCustomId) return true;
  if (const SnapLayout* builtIn = FindBuiltIn(layout.id)) {
    return !TreesEqual(builtIn->tree, layout.tree);
  }
  for (const SnapLayout& own : ownLayouts) {
    if (own.id == layout.id) return !TreesEqual(own.tree, layout.tree);
  }
  return false;
}

std::string LayoutEntryTitle(const SnapLayout& layout, bool adjusted) {
  return adjusted ? "Adjusted: " + layout.name : layout.name;
}

std::string LayoutEntrySubtitle(const std::vector<std::string>& appNames, bool adjusted, bool own) {
  if (!appNames.empty()) {
    std::string joined;
    for (const std::string& name : appNames) {
      if (!joined.empty()) joined += ", ";
      joined += name;
    }
    return joined;
  }
  if (adjusted) return "Adjusted proportions";
  if (own) return "Custom layout";
  return "Standard proportions";
}

std::string LayoutEntryAccessibleText(const TrayLayoutEntry& entry) {
  std::string text = entry.title;
  if (entry.checked) text += ", current layout";
  text += ", " + std::to_string(entry.regionCount) + " regions, " + entry.subtitle;
  return text;
}

std::string AboutText(const std::string& version) {
  return "Tessary " + version +
         " for Windows\n\nDrag a window to the top center of a display and drop it into a "
         "region.\n\nCtrl+Alt+P  Place the focused window\nCtrl+Alt+F  Fill the screen (again: "
         "put it back)\nCtrl+Alt+R  Restore its size and place\nCtrl+Alt+S  Show the focused "
         "window's stack\nCtrl+Alt+] / [  Next / previous window in the stack\nCtrl+Alt+H  Put "
         "the focused window back in its spot\nCtrl+Alt+B  Send a spanning window "
         "behind\nCtrl+Alt+1-9  Switch to your own layouts\nCtrl+Alt+Z  Open the layout "
         "gallery\nCtrl+Alt+A  Adjust shared dividers\nCtrl while resizing a snapped window  "
         "Span regions\nAlt while dragging  Move freely\n\n" +
         std::string(kMakerHost);
}

}  // namespace tessary
