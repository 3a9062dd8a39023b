#include "services/feedback_form.h"

#include <utility>

#include "base/log.h"
#include "services/update_check.h"

namespace tessary {
namespace {

namespace id = feedback_control;

constexpr const char* kTitle = "Send Feedback";
constexpr const char* kQuietStatus = "Read by the developer and never shared.";
constexpr int kMaxMessageCharacters = 5000;

ControlTable FormControls(const std::string& detailsLine) {
  return {
      {ControlKind::kHeading, 0, "What's on your mind?", {20, 16, 520, 32}},
      {ControlKind::kDropDown, id::kKind, "", {20, 56, 180, 200}},
      {ControlKind::kMultilineEdit, id::kMessage, "", {20, 92, 520, 220}, kMaxMessageCharacters},
      {ControlKind::kLabel, 0, "Your email (optional, for a reply)", {20, 322, 520, 20}},
      {ControlKind::kEdit, id::kEmail, "", {20, 344, 520, 26}},
      {ControlKind::kCheckBox, id::kIncludeDetails, "Include Tessary and PC details",
       {20, 382, 520, 22}},
      {ControlKind::kLabel, 0, detailsLine, {40, 406, 500, 36}},
      {ControlKind::kLabel, id::kStatus, kQuietStatus, {20, 456, 520, 40}},
      {ControlKind::kButton, id::kCancel, "Cancel", {330, 510, 100, 32}},
      {ControlKind::kDefaultButton, id::kSend, "Send", {440, 510, 100, 32}},
  };
}

}  // namespace

FeedbackForm::FeedbackForm(
    std::unique_ptr<DialogWindow> window, HttpClient& http, std::function<void(int)> postAnswer,
    std::function<void(const std::string& caption, const std::string& text)> inform)
    : window_(std::move(window)),
      http_(http),
      postAnswer_(std::move(postAnswer)),
      inform_(std::move(inform)) {}

FeedbackForm::~FeedbackForm() { Close(); }

bool FeedbackForm::IsOpen() const { return window_ && window_->IsOpen(); }

bool FeedbackForm::Open(FeedbackContext context, double scale, Point center) {
  if (!window_) return false;
  if (IsOpen()) {
    window_->BringForward(id::kMessage);
    return true;
  }
  context_ = std::move(context);
  sending_ = false;
  DialogWindowOptions options;
  options.className = "TessaryFeedback";
  options.title = kTitle;
  options.clientWidth = 560;
  options.clientHeight = 560;
  options.scale = scale;
  options.center = center;
  options.bodyPoints = 10;
  options.headingPoints = 15;
  options.headingWeight = 600;
  options.controls = FormControls(DetailsLine(context_.details));
  options.input = this;
  if (!window_->Open(options)) return false;
  window_->SetItems(id::kKind, {std::begin(kFeedbackKindLabels), std::end(kFeedbackKindLabels)});
  window_->Select(id::kKind, 0);
  window_->SetChecked(id::kIncludeDetails, true);
  window_->SetDefaultButton(id::kSend);
  window_->Focus(id::kMessage);
  return true;
}

void FeedbackForm::Close() {
  if (window_) window_->Close();
  sending_ = false;
}

void FeedbackForm::OnCommand(int control, DialogEvent event) {
  if (event != DialogEvent::kClicked) return;
  if (control == id::kSend) Send();
  if (control == id::kCancel) Close();
}

void FeedbackForm::Send() {
  if (sending_) return;
  const std::string message = window_->Text(id::kMessage);
  const std::string email = window_->Text(id::kEmail);
  if (const std::optional<std::string> problem = FeedbackProblem(message, email)) {
    window_->SetText(id::kStatus, *problem);
    return;
  }
  HttpRequest request;
  request.method = "POST";
  request.address = context_.address;
  request.userAgent = ServiceUserAgent(context_.versionText);
  request.contentType = "application/json";
  request.body = FeedbackBody(window_->Selection(id::kKind), message, email, context_.versionText,
                              window_->Checked(id::kIncludeDetails) ? &context_.details : nullptr);
  sending_ = true;
  window_->SetEnabled(id::kSend, false);
  window_->SetText(id::kStatus, "Sending\xE2\x80\xA6");
  Log("feedback sent: %llu bytes", static_cast<unsigned long long>(request.body.size()));
  http_.Send(std::move(request), [post = postAnswer_](HttpResponse response) {
    if (!response.answered) {
      post(1);
    } else {
      post(response.status >= 200 && response.status <= 299 ? 0 : response.status);
    }
  });
}

void FeedbackForm::OnAnswer(int outcome) {
  // An answer for a form the user closed meanwhile is dropped.
  if (!IsOpen() || !sending_) return;
  sending_ = false;
  if (outcome == 0) {
    inform_(kTitle, "Thanks. Your feedback was sent.");
    Close();
    return;
  }
  window_->SetEnabled(id::kSend, true);
  window_->SetText(id::kStatus, FeedbackFailureText(outcome));
}

}  // namespace tessary
