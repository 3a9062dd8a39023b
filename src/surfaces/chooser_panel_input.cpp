#include "surfaces/chooser_panel_input.h"

#include <cmath>
#include <limits>

#include "platform/surface.h"

namespace tessary {
namespace {

Point Centre(const Rect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

// Up (-1) or Down (+1) from the focused card; -1 when no card lies that way.
int VerticalNeighbour(const ChooserGeometry& g, int focus, int direction) {
  const Rect& from = g.cards[static_cast<std::size_t>(focus)];
  const Point c = Centre(from);
  int best = -1;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < g.cards.size(); ++i) {
    const Point o = Centre(g.cards[i]);
    const double dy = o.y - c.y;
    if (direction * dy < from.height / 2) continue;
    const double distance = std::abs(o.x - c.x) + 4 * std::abs(dy);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

std::string WithShortcut(const std::string& text, const std::string& shortcut) {
  return shortcut.empty() ? text : text + " (" + shortcut + ")";
}

}  // namespace

ChooserKeyResult ChooserKey(const ChooserGeometry& g, const ChooserConfig& config, int focus,
                            std::uint32_t key) {
  namespace k = surface_key;
  const int n = static_cast<int>(g.cards.size());
  const bool focused = focus >= 0 && focus < n;
  switch (key) {
    case k::kEscape:
      return {ChooserKeyAction::kDone};
    case k::kEnter:
    case k::kSpace:
      return focused ? ChooserKeyResult{ChooserKeyAction::kChoose, focus} : ChooserKeyResult{};
    case k::kRight:
    case k::kTab:
      if (n < 1) return {ChooserKeyAction::kRepaint};
      return {ChooserKeyAction::kFocus, focused ? (focus + 1) % n : 0};
    case k::kLeft:
      if (n < 1) return {ChooserKeyAction::kRepaint};
      return {ChooserKeyAction::kFocus, focused ? (focus + n - 1) % n : n - 1};
    case k::kUp:
    case k::kDown: {
      const int to = focused ? VerticalNeighbour(g, focus, key == k::kUp ? -1 : 1) : -1;
      return to >= 0 ? ChooserKeyResult{ChooserKeyAction::kFocus, to}
                     : ChooserKeyResult{ChooserKeyAction::kRepaint};
    }
    case k::kB:
      return {config.actionB ? ChooserKeyAction::kActionB : ChooserKeyAction::kRepaint};
    default:
      break;
  }
  if (key >= k::kDigit1 && key <= k::kDigit9) {
    const int card = static_cast<int>(key - k::kDigit1);
    if (card < n) return {ChooserKeyAction::kChoose, card};
  }
  return {};
}

std::string ChooserTooltip(const ChooserConfig& config, const std::vector<ChooserChoice>& choices,
                           int item, bool panelKeys) {
  namespace id = chooser_item;
  if (item == id::kPrevious) return WithShortcut(kChooserPreviousText, config.previousShortcut);
  if (item == id::kNext) return WithShortcut(kChooserNextText, config.nextShortcut);
  if (item >= id::kTabBase) {
    const int tab = item - id::kTabBase;
    if (tab >= static_cast<int>(config.tabs.size())) return "";
    const std::string& name = config.tabs[static_cast<std::size_t>(tab)];
    if (tab == config.currentTab) return name + ": in use";
    std::string text = "Switch to " + name;
    if (tab < 9) text += "\nCtrl+Alt+" + std::to_string(tab + 1);
    return text;
  }
  if (item >= id::kStretchBase) return "Stretch Across the Span";
  if (item == id::kActionB) {
    std::string text = config.actionBLabel;
    if (!config.actionBShortcut.empty()) text += ", or " + config.actionBShortcut + " anywhere";
    return panelKeys ? text + "\nPress B here" : text;
  }
  if (item < 0 || item >= static_cast<int>(choices.size())) return "";
  const ChooserChoice& choice = choices[static_cast<std::size_t>(item)];
  std::string text = choice.appName.empty() ? choice.title : choice.appName;
  if (!choice.appName.empty() && !choice.title.empty() && choice.title != choice.appName) {
    text += "\n" + choice.title;
  }
  if (panelKeys && !config.leaveEmpty && item < 9) text += "\nPress " + std::to_string(item + 1);
  return text;
}

}  // namespace tessary
