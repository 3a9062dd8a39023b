// Building the tray menu for the window the user was working in and showing it.

#include <set>

#include "desktop/monitor.h"
#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"
#include "shell/layout_thumbnail.h"
#include "shell/shell.h"

namespace tessary {

TrayMenuContext Shell::MenuContext() {
  TrayMenuContext context;
  WindowId foreground = platform().zOrder.Foreground();
  // With the taskbar or the tray itself in front, the commands act on the window the
  // user was working in before.
  if (foreground != kNoWindow && desktop_->IsManageable(foreground)) {
    context.focused = foreground;
  } else if (lastForeground_ != kNoWindow && platform().windows.Exists(lastForeground_) &&
             desktop_->IsManageable(lastForeground_)) {
    context.focused = lastForeground_;
  }
  const std::vector<Monitor>& displays = coordinator_->Displays();
  const int index = coordinator_->CommandDisplay(context.focused);
  if (index < 0) return context;
  const Monitor& display = displays[static_cast<std::size_t>(index)];
  context.display = index;
  context.displayKey = display.id;
  context.displayName = display.name;
  LayoutStore& layouts = coordinator_->Layouts();
  context.active = layouts.ActiveLayout(display.id);
  context.switchList = layouts.SwitchList(display.id, context.active ? &*context.active : nullptr);
  context.ownLayouts = layouts.CustomLayouts(display.id);
  return context;
}

MenuModel Shell::BuildMenu(const TrayMenuContext& context) {
  TrayMenuFacts facts;
  facts.version = version_;
  facts.windowsArranging = desktop_->WindowsSnapSettings().arranging;
  facts.paused = coordinator_->Paused();
  facts.updateAvailable = updateAvailable_;
  facts.availableVersion = availableVersion_;
  facts.hasDisplay = context.display >= 0;
  facts.displayName = context.displayName;
  const int count = std::min<int>(static_cast<int>(context.switchList.size()), kMaxMenuLayouts);
  for (int i = 0; i < count; ++i) {
    const SnapLayout& layout = context.switchList[static_cast<std::size_t>(i)];
    TrayLayoutEntry entry;
    entry.adjusted = IsAdjustedLayout(layout, context.ownLayouts);
    entry.title = LayoutEntryTitle(layout, entry.adjusted);
    entry.checked = context.active && LayoutsEqual(layout, *context.active);
    entry.regionCount = static_cast<int>(RegionRects(layout.tree, kUnitRect).size());
    std::vector<std::string> appNames;
    std::set<std::string> seen;
    std::map<std::int32_t, IconId> icons;
    for (const auto& [region, apps] : layout.apps) {
      for (const std::string& app : apps) {
        if (app.empty()) continue;
        if (!icons.count(region)) icons[region] = desktop_->IconForApp(app);
        const std::string name = desktop_->AppName(app);
        if (!name.empty() && seen.insert(name).second) appNames.push_back(name);
      }
    }
    entry.subtitle =
        LayoutEntrySubtitle(appNames, entry.adjusted, IsOwnLayout(layout, context.ownLayouts));
    entry.thumbnail = MakeLayoutThumbnail(layout, std::move(icons));
    facts.layouts.push_back(std::move(entry));
  }
  for (std::size_t i = 0; i < context.ownLayouts.size(); ++i) {
    const SnapLayout& own = context.ownLayouts[i];
    facts.ownLayoutNames.push_back(own.name);
    if (facts.activeOwnLayout < 0 && context.active && context.active->id == own.id) {
      facts.activeOwnLayout = static_cast<int>(i);
    }
  }
  facts.hasActiveLayout = context.active.has_value();
  facts.hasFocusedWindow = context.focused != kNoWindow;
  facts.windowStacksEnabled = settings_->Current().windowStacksEnabled;
  facts.recordingDiagnostics = RecordingDiagnostics();
  for (int i = 0; i < kShortcutCount; ++i) {
    facts.shortcutLabels[static_cast<std::size_t>(i)] = ShortcutLabel(i);
  }
  return BuildTrayMenu(facts);
}

void Shell::ShowTrayMenu(std::optional<Point> anchor) {
  if (!coordinator_ || shutDown_) return;
  const TrayMenuContext context = MenuContext();
  const MenuModel menu = BuildMenu(context);
  const int chosen =
      anchor ? env_.host.menus.ShowAt(menu, *anchor) : env_.host.menus.ShowAtCursor(menu);
  CarryOutMenuCommand(chosen, context);
}

}  // namespace tessary
