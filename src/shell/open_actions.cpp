// What the command line, other processes and the tray menu open, and the services of
// later parts that are not wired yet.

#include "shell/open_requests.h"
#include "shell/shell.h"

namespace tessary {

void Shell::Open(OpenTarget target) {
  opened_.push_back(target);
  switch (target) {
    case OpenTarget::kEditor:
      coordinator_->OpenLayoutEditor(nullptr);
      return;
    case OpenTarget::kGallery:
      coordinator_->ShowGallery();
      return;
    case OpenTarget::kDividers:
      coordinator_->ShowDividerEditor();
      return;
    case OpenTarget::kWelcome:
      ShowWelcome();
      return;
    case OpenTarget::kTour:
      ShowTour();
      return;
    case OpenTarget::kSettings:
      OpenSettings();
      return;
  }
}

void Shell::OnOpenRequest(std::uint64_t wParam) {
  if (!IsOpenRequest(wParam) || !coordinator_ || shutDown_) return;
  switch (static_cast<OpenRequest>(wParam)) {
    case OpenRequest::kEditor:
      Open(OpenTarget::kEditor);
      return;
    case OpenRequest::kGallery:
      Open(OpenTarget::kGallery);
      return;
    case OpenRequest::kDividers:
      Open(OpenTarget::kDividers);
      return;
    case OpenRequest::kSettings:
      OpenSettings();
      return;
    case OpenRequest::kWelcome:
      Open(OpenTarget::kWelcome);
      return;
    case OpenRequest::kFeedback:
      ShowFeedback();
      return;
    case OpenRequest::kTour:
      Open(OpenTarget::kTour);
      return;
    case OpenRequest::kDiagnostics:
      ToggleDiagnostics();
      return;
    case OpenRequest::kTrayMenu:
      ShowTrayMenu();
      return;
  }
}


}  // namespace tessary
