#pragma once

// The "Send Feedback" form (TessaryFeedback): a dialog-like window whose every decision is
// made here. Send checks the input, posts the document on a worker and waits; the answer
// comes back to the main thread as a posted message (OnAnswer). One form at a time:
// opening it again brings the open one forward.

#include <functional>
#include <memory>
#include <string>

#include "base/geometry.h"
#include "platform/dialog_window.h"
#include "platform/http_client.h"
#include "services/feedback_document.h"

namespace tessary {

struct FeedbackContext {
  HttpAddress address;
  std::string versionText;
  FeedbackDetails details;
};

class FeedbackForm final : public DialogWindowInput {
 public:
  // `postAnswer` takes the outcome to the main thread (called on the worker): 0 success,
  // 1 no answer, else the HTTP status. `inform` shows an information box.
  FeedbackForm(std::unique_ptr<DialogWindow> window, HttpClient& http,
               std::function<void(int)> postAnswer,
               std::function<void(const std::string& caption, const std::string& text)> inform);
  ~FeedbackForm() override;

  // Opens the form centered on `center` at `scale`, or brings the open one forward; the
  // message box has the focus either way.
  bool Open(FeedbackContext context, double scale, Point center);
  void Close();
  bool IsOpen() const;
  void OnAnswer(int outcome);

  void OnCommand(int id, DialogEvent event) override;
  void OnCloseRequested() override { Close(); }

 private:
  void Send();

  std::unique_ptr<DialogWindow> window_;
  HttpClient& http_;
  std::function<void(int)> postAnswer_;
  std::function<void(const std::string&, const std::string&)> inform_;
  FeedbackContext context_;
  bool sending_ = false;
};

// The form's control ids.
namespace feedback_control {
inline constexpr int kKind = 10;
inline constexpr int kMessage = 11;
inline constexpr int kEmail = 12;
inline constexpr int kIncludeDetails = 13;
inline constexpr int kSend = 14;
inline constexpr int kCancel = 15;
inline constexpr int kStatus = 16;
}  // namespace feedback_control

}  // namespace tessary
