#include "engine/layout_editing.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

#include "engine/coordinator.h"
#include "layout/builtin_layouts.h"
#include "layout/layout_ids.h"
#include "surfaces/theme.h"

namespace tessary {
namespace {

EditorColors ColorsOf(const Theme& theme) {
  return {.background = theme.background,
          .frame = theme.border,
          .region = theme.regionFill,
          // Region labels keep the text colour, so in contrast mode, where the tint is the
          // highlight, a selected region is marked by its highlight edge alone.
          .selected = theme.highContrast ? theme.background : theme.accentTint,
          .selectedBorder = theme.accent,
          .text = theme.text,
          .secondaryText = theme.secondaryText};
}

bool NameBefore(const KnownApp& a, const KnownApp& b) {
  return std::lexicographical_compare(
      a.name.begin(), a.name.end(), b.name.begin(), b.name.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
      });
}

}  // namespace

LayoutEditing::LayoutEditing(Coordinator& coordinator, SurfaceFactory& surfaces,
                             ThemeSource& theme)
    : c_(coordinator),
      theme_(theme),
      editor_(LayoutEditorServices{
          .surfaces = surfaces,
          .prompts = coordinator.GetDesktop().platform().prompts,
          .appName = [this](const std::string& app) { return c_.GetDesktop().AppName(app); },
          .colors = [this] { return ColorsOf(ReadTheme(theme_)); },
      }) {}

int LayoutEditing::TargetDisplay(const SnapLayout* layout) {
  const int working = c_.CommandDisplay(c_.GetDesktop().platform().zOrder.Foreground());
  if (!layout) return working;
  // An own layout belongs to one display: edit it there.
  const auto holds = [&](int index) {
    if (index < 0) return false;
    const std::vector<SnapLayout> own =
        c_.Layouts().CustomLayouts(c_.Displays()[static_cast<std::size_t>(index)].id);
    return std::any_of(own.begin(), own.end(),
                       [&](const SnapLayout& mine) { return mine.id == layout->id; });
  };
  if (holds(working)) return working;
  for (int i = 0; i < static_cast<int>(c_.Displays().size()); ++i) {
    if (holds(i)) return i;
  }
  return working;
}

std::vector<KnownApp> LayoutEditing::KnownApps() {
  Desktop& desktop = c_.GetDesktop();
  std::vector<KnownApp> apps;
  std::set<std::string> seen;
  for (WindowId window : desktop.ManageableWindows()) {
    std::string app = desktop.AppIdOf(window);
    if (app.empty() || !seen.insert(app).second) continue;
    std::string name = desktop.AppName(app);
    apps.push_back({std::move(app), std::move(name)});
  }
  std::stable_sort(apps.begin(), apps.end(), NameBefore);
  return apps;
}

bool LayoutEditing::Open(const SnapLayout* layout) {
  c_.RefreshDisplays();
  const int index = TargetDisplay(layout);
  if (index < 0) return false;
  const Monitor& display = c_.Displays()[static_cast<std::size_t>(index)];
  LayoutEditorInput input;
  input.display = {display.work, display.scale, display.id, display.name};
  if (layout) {
    input.existing = *layout;
  } else {
    input.startChoices = BuiltInLayouts();
    for (SnapLayout& own : c_.Layouts().CustomLayouts(display.id)) {
      input.startChoices.push_back(std::move(own));
    }
  }
  input.knownApps = KnownApps();
  const std::string key = display.id;
  input.onSave = [this, key](const SnapLayout& saved, bool apply) {
    return Save(key, saved, apply);
  };
  input.onDelete = [this, key](const std::string& id) { Delete(key, id); };
  const Platform& platform = c_.GetDesktop().platform();
  input.doubleClickSeconds = platform.systemSettings.DoubleClickSeconds();
  input.dark = ReadTheme(theme_).dark;
  return editor_.Open(std::move(input));
}

bool LayoutEditing::Save(const std::string& display, SnapLayout layout, bool apply) {
  if (layout.id.empty()) layout.id = NewUserLayoutId();
  LayoutStore& layouts = c_.Layouts();
  if (!layouts.SaveCustomLayout(display, layout)) {
    c_.GetDesktop().platform().prompts.WarningBeep();
    return false;
  }
  const std::optional<SnapLayout> active = layouts.ActiveLayout(display);
  if (active && active->id == layout.id) layouts.SetActiveLayout(display, layout);
  editor_.Close();
  if (apply) c_.ApplyComposition(display, layout);
  return true;
}

void LayoutEditing::Delete(const std::string& display, const std::string& id) {
  // The store also forgets it as the display's active layout; the windows stay put.
  c_.Layouts().DeleteCustomLayout(display, id);
}

}  // namespace tessary
