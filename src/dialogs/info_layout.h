#pragma once

// The information-window template behind the welcome and What's New windows: a heading,
// a body that may run long, an optional check box and buttons lined up from the right.
// The window grows with its body, so the body is measured first and the rest is placed
// below it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control_table.h"

namespace tessary {

inline constexpr const char* kInfoClassName = "TessaryInfo";
inline constexpr double kInfoBodyPoints = 10;
inline constexpr double kInfoHeadingPoints = 17;
inline constexpr int kInfoHeadingWeight = 600;
// The width the body wraps at, in units.
inline constexpr double kInfoBodyWidth = 560;

// Control ids; the buttons carry their command ids.
inline constexpr int kInfoHeadingId = 40;
inline constexpr int kInfoBodyId = 41;
inline constexpr int kInfoCheckBoxId = 50;

struct InfoButton {
  int id = 0;
  std::string text;
  bool isDefault = false;
};

struct InfoCheckBox {
  std::string text;
  bool checked = false;
};

struct InfoTemplate {
  std::string title;
  std::string heading;
  std::string body;
  std::vector<InfoButton> buttons;  // left to right
  std::optional<InfoCheckBox> checkBox;
};

struct InfoLayout {
  double clientWidth = 0;
  double clientHeight = 0;
  ControlTable controls;
};

// max(100, 7.5 units per character + 16).
double InfoButtonWidth(std::string_view text);

// The layout for a body that measured `bodyMeasured` units high wrapped at the body width.
InfoLayout LayOutInfo(const InfoTemplate& info, double bodyMeasured);

}  // namespace tessary
