#include "surfaces/accessible_views.h"

#include <cmath>
#include <string>

#include "surfaces/badge_view.h"
#include "surfaces/chooser_panel_input.h"
#include "surfaces/chooser_panel_paint.h"
#include "surfaces/divider_editor.h"
#include "surfaces/drop_menu_view.h"
#include "surfaces/picker_paint.h"
#include "surfaces/stack_overview_view.h"

namespace tessary {

Rect OnDesktop(const Rect& units, PanelPlacement placement) {
  return {placement.origin.x + units.x * placement.scale,
          placement.origin.y + units.y * placement.scale, units.width * placement.scale,
          units.height * placement.scale};
}

namespace {

void AddButton(AccessibleView& view, std::string name, const Rect& units,
               PanelPlacement placement) {
  if (units.width > 0 && units.height > 0) {
    view.items.push_back({std::move(name), AccessibleRole::kPushButton, OnDesktop(units, placement)});
  }
}

}  // namespace

AccessibleView DescribePicker(const PickerDescription& picker, PanelPlacement placement) {
  AccessibleView view{.name = PickerTitle(picker.gallery, picker.interactive)};
  if (!picker.geometry || !picker.layouts) return view;
  for (const PickerCard& card : picker.geometry->cards) {
    if (card.layout < 0 || card.layout >= static_cast<int>(picker.layouts->size())) continue;
    const std::string& layoutName = (*picker.layouts)[static_cast<std::size_t>(card.layout)].name;
    const bool current = card.layout == picker.current;
    if (picker.gallery) {
      if (card.layout == picker.hovered.layout) view.focused = static_cast<int>(view.items.size());
      view.items.push_back(
          {layoutName, AccessibleRole::kListItem, OnDesktop(card.card, placement), "", current});
      continue;
    }
    // Numbered as everywhere else in the program (the editor, the switcher's groups).
    const std::string of = " of " + std::to_string(card.regions.size()) + ", " + layoutName;
    for (const auto& [region, rect] : card.regions) {
      if (PickerHit{card.layout, region} == picker.hovered) {
        view.focused = static_cast<int>(view.items.size());
      }
      view.items.push_back({"Region " + std::to_string(region + 1) + of,
                            AccessibleRole::kListItem, OnDesktop(rect, placement), "", current});
    }
  }
  return view;
}

std::string WindowCardName(const std::string& title, const std::string& appName) {
  if (appName.empty() || title == appName) return title;
  if (title.empty()) return appName;
  return title + ", " + appName;
}

AccessibleView DescribeStackOverview(const std::vector<OverviewEntry>& entries,
                                     const std::vector<Rect>& cards, int selected, Point origin) {
  AccessibleView view{.name = kOverviewTitle};
  for (std::size_t i = 0; i < entries.size() && i < cards.size(); ++i) {
    view.items.push_back({WindowCardName(entries[i].title, entries[i].appName),
                          AccessibleRole::kListItem, OnDesktop(cards[i], {origin, 1})});
  }
  if (selected >= 0 && selected < static_cast<int>(view.items.size())) view.focused = selected;
  return view;
}

AccessibleView DescribeChooser(const ChooserGeometry& geometry, const ChooserConfig& config,
                               const std::vector<ChooserChoice>& choices, int focus,
                               PanelPlacement placement) {
  AccessibleView view{.name = config.header};
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const Rect card = i < geometry.cards.size() ? geometry.cards[i] : Rect{};
    view.items.push_back({WindowCardName(choices[i].title, choices[i].appName), AccessibleRole::kListItem,
                          OnDesktop(card, placement), "",
                          config.current != kNoWindow && choices[i].window == config.current});
  }
  if (focus >= 0 && focus < static_cast<int>(choices.size())) view.focused = focus;
  for (std::size_t i = 0; i < config.tabs.size() && i < geometry.tabs.size(); ++i) {
    view.items.push_back({config.tabs[i], AccessibleRole::kPageTab,
                          OnDesktop(geometry.tabs[i], placement), "",
                          static_cast<int>(i) == config.currentTab});
  }
  if (config.paging) {
    AddButton(view, kChooserPreviousText, geometry.previous, placement);
    AddButton(view, kChooserNextText, geometry.next, placement);
  }
  if (config.actionB) AddButton(view, config.actionBLabel, geometry.actionB, placement);
  if (config.leaveEmpty) AddButton(view, kChooserLeaveEmptyText, geometry.leaveEmpty, placement);
  AddButton(view, config.primaryText, geometry.primary, placement);
  return view;
}

AccessibleView DescribeDropMenu(const DropActionMenu& menu,
                                const std::optional<DropIntent>& highlight) {
  AccessibleView view{.name = kDropMenuTitle, .role = AccessibleRole::kMenu};
  for (const DropTile& tile : menu.tiles) {
    if (highlight && *highlight == tile.intent) view.focused = static_cast<int>(view.items.size());
    view.items.push_back({tile.label, AccessibleRole::kMenuItem, tile.rect});
  }
  return view;
}

AccessibleView DescribeBadge(const BadgeDescription& badge, PanelPlacement placement) {
  AccessibleView view{.name = kBadgeTitle};
  const BadgeParts& parts = *badge.parts;
  auto add = [&](std::string name, const Rect& units, bool hovered) {
    if (hovered) view.focused = static_cast<int>(view.items.size());
    AddButton(view, std::move(name), units, placement);
  };
  for (std::size_t i = 0; i < parts.icons.size(); ++i) {
    const BadgeIcon& icon = badge.content->icons[i];
    const std::string note = SpanNote(icon);
    add(note.empty() ? icon.name : icon.name + ", " + note, parts.icons[i],
        badge.hovered == BadgeHit{BadgePart::kIcon, static_cast<int>(i)});
  }
  if (parts.groupButton) {
    const std::string& label = badge.content->groupLabel;
    add(label.empty() ? kBringThemForwardText : label, *parts.groupButton,
        badge.hovered.part == BadgePart::kGroupButton);
  }
  if (parts.overflowButton && badge.overflowActive) {
    add(kShowWholeStackText, *parts.overflowButton, badge.hovered.part == BadgePart::kOverflow);
  }
  return view;
}

AccessibleView DescribeDividerEditor(const DividerEditorGeometry& geometry, double panelWidth,
                                     double panelHeight, int selected, PanelPlacement placement) {
  AccessibleView view{.name = kDividerEditorTitle};
  const std::string of = " of " + std::to_string(geometry.handles.size());
  for (std::size_t i = 0; i < geometry.handles.size(); ++i) {
    const DividerHandle& handle = geometry.handles[i];
    const double percent = DividerPosition(handle, panelWidth, panelHeight) * 100;
    view.items.push_back({"Divider " + std::to_string(i + 1) + of +
                              (handle.horizontal ? ", moves up and down" : ", moves left and right"),
                          AccessibleRole::kSlider, OnDesktop(handle.grab, placement),
                          std::to_string(static_cast<int>(std::lround(percent))) + "%"});
  }
  if (selected >= 0 && selected < static_cast<int>(geometry.handles.size())) view.focused = selected;
  AddButton(view, kDividerEvenText, geometry.evenButton, placement);
  AddButton(view, kDividerDoneText, geometry.doneButton, placement);
  return view;
}

}  // namespace tessary
