#include "dialogs/info_layout.h"

#include <algorithm>

#include "base/utf.h"

namespace tessary {
namespace {

constexpr double kClientWidth = 600;
constexpr double kMargin = 20;
constexpr double kBodyTop = 72;
constexpr double kBodySlack = 8;  // below the measured text, so descenders never clip
constexpr double kCheckBoxRow = 34;
constexpr double kButtonHeight = 32;
constexpr double kButtonGap = 10;
constexpr double kButtonsBelowBody = 12;
// The heading and the button row around the body.
constexpr double kAboveBody = 76;
constexpr double kBelowBody = 64;

}  // namespace

double InfoButtonWidth(std::string_view text) {
  const double characters = static_cast<double>(FromUtf8(text).size());
  return std::max(100.0, 7.5 * characters + 16);
}

InfoLayout LayOutInfo(const InfoTemplate& info, double bodyMeasured) {
  const double bodyHeight = bodyMeasured + kBodySlack;
  const double checkRow = info.checkBox ? kCheckBoxRow : 0;
  InfoLayout layout;
  layout.clientWidth = kClientWidth;
  layout.clientHeight = bodyHeight + kAboveBody + kBelowBody + checkRow;
  ControlTable& controls = layout.controls;
  controls.push_back({ControlKind::kHeading, kInfoHeadingId, info.heading, {kMargin, 20, 560, 40}});
  controls.push_back({ControlKind::kLabel, kInfoBodyId, info.body,
                      {kMargin, kBodyTop, kInfoBodyWidth, bodyHeight}});
  const double bodyBottom = kBodyTop + bodyHeight;
  if (info.checkBox) {
    controls.push_back({ControlKind::kCheckBox, kInfoCheckBoxId, info.checkBox->text,
                        {kMargin, bodyBottom + kBodySlack, kInfoBodyWidth, 24}});
  }
  // From the right: the last button is rightmost.
  const double top = bodyBottom + kBodySlack + checkRow + kButtonsBelowBody;
  double right = kClientWidth - kMargin;
  std::vector<ControlSpec> buttons;
  for (auto it = info.buttons.rbegin(); it != info.buttons.rend(); ++it) {
    const double width = InfoButtonWidth(it->text);
    buttons.push_back({it->isDefault ? ControlKind::kDefaultButton : ControlKind::kButton, it->id,
                       it->text, {right - width, top, width, kButtonHeight}});
    right -= width + kButtonGap;
  }
  // In the Tab order from left to right.
  controls.insert(controls.end(), buttons.rbegin(), buttons.rend());
  return layout;
}

}  // namespace tessary
