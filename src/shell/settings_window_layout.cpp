#include "shell/settings_window_layout.h"

#include <string>

namespace tessary {
namespace {

namespace id = settings_control;

constexpr double kMargin = 20;
constexpr double kLeftWidth = 370;
constexpr double kRightX = 420;
constexpr double kNameWidth = 210;
constexpr double kHotkeyX = 636;
constexpr double kMouseX = 794;
constexpr double kFieldWidth = 150;
constexpr double kRowPitch = 30;
constexpr double kDropListHeight = 160;  // a drop-down's height includes its open list

// Lays controls down a column: each call places one line and moves the cursor below it.
class Column {
 public:
  Column(ControlTable& table, double x, double width, double y)
      : table_(table), x_(x), width_(width), y_(y) {}

  Column& Add(ControlKind kind, int id, std::string text, double height, double gapAfter) {
    Place(kind, id, std::move(text), {x_, y_, width_, height});
    y_ += height + gapAfter;
    return *this;
  }
  // A control beside the line that comes next (does not move the cursor).
  Column& Beside(ControlKind kind, int id, std::string text, double dx, double dy, double width,
                 double height) {
    Place(kind, id, std::move(text), {x_ + dx, y_ + dy, width, height});
    return *this;
  }
  Column& Skip(double height) {
    y_ += height;
    return *this;
  }

 private:
  void Place(ControlKind kind, int id, std::string text, Rect units) {
    ControlSpec spec;
    spec.kind = kind;
    spec.id = id;
    spec.text = std::move(text);
    spec.units = units;
    table_.push_back(std::move(spec));
  }

  ControlTable& table_;
  double x_;
  double width_;
  double y_;
};

void AddGeneral(Column& left, bool packaged) {
  left.Add(ControlKind::kHeading, 0, "General", 28, 8);
  if (packaged) {
    left.Add(ControlKind::kLabel, 0,
             "Tessary starts when you sign in; Windows' Startup apps can turn that off.", 32,
             4);
    left.Add(ControlKind::kButton, id::kStartupApps, "Startup Apps", 26, 8);
  } else {
    left.Add(ControlKind::kCheckBox, id::kStartAtLogin, "Start Tessary when you sign in", 20, 8);
  }
  left.Beside(ControlKind::kCheckBox, id::kCheckUpdates, "Check for updates automatically", 0, 3,
              250, 20)
      .Beside(ControlKind::kButton, id::kCheckNow, "Check Now", 270, 0, 100, 26)
      .Skip(34);
  left.Add(ControlKind::kLabel, 0, "Splits fit each app's smallest size, as Tessary learns it.",
           20, 4);
  left.Beside(ControlKind::kButton, id::kForgetSizes, "Forget Window Sizes", 0, 0, 150, 26)
      .Skip(42);
}

void AddWindowStacks(Column& left) {
  left.Add(ControlKind::kHeading, 0, "Window Stacks", 28, 8);
  left.Add(ControlKind::kCheckBox, id::kUseStacks, "Use window stacks", 20, 6);
  left.Add(ControlKind::kCheckBox, id::kShowBadges, "Show stack badges", 20, 6);
  left.Add(ControlKind::kCheckBox, id::kBadgesOnEdge, "Stand badges on the window's edge", 20,
           10);
  left.Beside(ControlKind::kLabel, 0, "Order windows by:", 0, 4, 190, 20)
      .Beside(ControlKind::kDropDown, id::kStackOrder, "", 195, 0, 150, kDropListHeight)
      .Skip(32);
  left.Add(ControlKind::kLabel, 0,
           "For the badge icons and the overview a right-click on a badge opens. The window "
           "in front always comes first.",
           32, 10);
  left.Beside(ControlKind::kLabel, 0, "Switching windows looks like:", 0, 4, 190, 20)
      .Beside(ControlKind::kDropDown, id::kTransition, "", 195, 0, 150, kDropListHeight)
      .Skip(32);
  left.Add(ControlKind::kLabel, 0, "Off the edge, drag a badge to move it.", 20, 4);
  left.Beside(ControlKind::kButton, id::kResetBadges, "Reset Badge Positions", 0, 0, 150, 26);
}

void AddShortcuts(ControlTable& table) {
  const double rightWidth = kSettingsWidth - kMargin - kRightX;
  Column right(table, kRightX, rightWidth, 16);
  right.Add(ControlKind::kHeading, 0, "Shortcuts", 28, 8);
  right.Beside(ControlKind::kLabel, 0, "Keys", kHotkeyX - kRightX, 0, kFieldWidth, 18)
      .Beside(ControlKind::kLabel, 0, "Mouse button", kMouseX - kRightX, 0, kFieldWidth, 18)
      .Skip(24);
  for (int command = 0; command < kCommandCount; ++command) {
    const ShortcutInfo& info = CommandShortcutInfo(command);
    right.Beside(ControlKind::kLabel, 0, std::string(info.displayName), 0, 4, kNameWidth, 20)
        .Beside(ControlKind::kHotkey, id::HotkeyOf(command), "", kHotkeyX - kRightX, 1,
                kFieldWidth, 24);
    // The moves take keys only.
    if (command < kShortcutCount) {
      right.Beside(ControlKind::kButton, id::MouseBoxOf(command), "", kMouseX - kRightX, 0,
                   kFieldWidth, 26);
    }
    right.Skip(kRowPitch);
  }
  right.Add(ControlKind::kLabel, 0, std::string(kMoveKeysNote), 20, 4);
  right.Skip(4).Add(ControlKind::kLabel, id::kConflicts, "", 34, 4);
  right.Add(ControlKind::kLabel, 0,
            "Ctrl+Alt+1 to 9 switch to your own layouts. Click a Keys box and press new keys, "
            "or Backspace to turn one off. Mouse button: click the box, then click the middle "
            "or a side button.",
            48, 8);
  right.Beside(ControlKind::kButton, id::kRestoreDefaults, "Restore Defaults", 240, 0, 130, 28)
      .Beside(ControlKind::kDefaultButton, id::kClose, "Close", rightWidth - 124, 0, 124, 28);
}

}  // namespace

ControlTable SettingsControls(bool packaged) {
  ControlTable table;
  Column left(table, kMargin, kLeftWidth, 16);
  AddGeneral(left, packaged);
  AddWindowStacks(left);
  AddShortcuts(table);
  // Last in Tab order: the status line under the left column reports what the buttons did.
  table.push_back(ControlSpec{ControlKind::kLabel, settings_control::kStatus, "",
                              Rect{kMargin, kSettingsHeight - 44, 600, 20}});
  return table;
}

}  // namespace tessary
