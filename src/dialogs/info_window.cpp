#include "dialogs/info_window.h"

#include <algorithm>

namespace tessary {

InfoWindow::~InfoWindow() { Close(); }

bool InfoWindow::Show(const InfoTemplate& info, const DialogPlacement& placement,
                      ButtonHandler onButton, CheckHandler onCheck) {
  Close();
  if (!window_) window_ = factory_.NewDialogWindow();
  if (!window_) return false;
  DialogWindowOptions options;
  options.className = kInfoClassName;
  options.title = info.title;
  options.scale = placement.scale;
  options.center = placement.center;
  options.darkCaption = placement.dark;
  options.bodyPoints = kInfoBodyPoints;
  options.headingPoints = kInfoHeadingPoints;
  options.headingWeight = kInfoHeadingWeight;
  options.input = this;
  InfoLayout layout =
      LayOutInfo(info, window_->MeasureTextHeightFor(options, info.body, kInfoBodyWidth));
  options.clientWidth = layout.clientWidth;
  options.clientHeight = layout.clientHeight;
  options.controls = std::move(layout.controls);
  onButton_ = std::move(onButton);
  onCheck_ = std::move(onCheck);
  if (!window_->Open(options)) return false;
  if (info.checkBox) window_->SetChecked(kInfoCheckBoxId, info.checkBox->checked);
  // Enter answers the default button, which the pre-filter clicks only while it has the
  // focus; the check box, first in the Tab order, would otherwise take it.
  const auto preferred = std::find_if(info.buttons.begin(), info.buttons.end(),
                                      [](const InfoButton& button) { return button.isDefault; });
  if (preferred != info.buttons.end()) window_->Focus(preferred->id);
  return true;
}

void InfoWindow::Close() {
  if (window_) window_->Close();
}

void InfoWindow::OnCommand(int id, DialogEvent event) {
  if (event != DialogEvent::kClicked || !IsOpen()) return;
  if (id == kInfoCheckBoxId) {
    if (onCheck_) onCheck_(window_->Checked(id));
    return;
  }
  // A copy: the handler may show this window anew and replace itself.
  const ButtonHandler handler = onButton_;
  if (handler) handler(id);
}

}  // namespace tessary
