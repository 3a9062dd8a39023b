// Sending feedback from the tray menu: the form, its checks and each answer of the service.

#include "platform/sim/sim_dialog_window.h"
#include "services/feedback_form.h"
#include "shell/open_requests.h"
#include "shell/tray_menu.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

namespace id = feedback_control;
const HttpAddress kService{"quillfrost.example", 443, "/feedback/api/submit", true};

class FeedbackStory : public ShellTest {
 protected:
  void SetUp() override {
    host.services.version = ProgramVersion{1, 4, 2, 7};
    StartWith();
    ChooseFromMenu(tray_command::kSendFeedback);
    form = desk.Surfaces().Dialogs().Find("TessaryFeedback");
    ASSERT_NE(form, nullptr);
  }
  std::string Status() const { return form->Text(id::kStatus); }
  void Send() {
    form->Press(id::kSend);
    Pump();
  }

  SimDialogWindow* form = nullptr;
};

TEST_F(FeedbackStory, TheFormChecksItsInputPostsTheDocumentAndTellsEachAnswer) {
  EXPECT_EQ(form->Options().title, "Send Feedback");
  EXPECT_EQ(form->Items(id::kKind),
            (std::vector<std::string>{"Idea", "Problem", "Question", "Other"}));
  EXPECT_EQ(form->FocusedId(), id::kMessage);
  EXPECT_TRUE(form->Checked(id::kIncludeDetails));
  EXPECT_EQ(Status(), "Read by the developer and never shared.");
  // What the form refuses: Feedback.InputIsCheckedAddressFirstThenMessage.
  Send();
  EXPECT_EQ(Status(), "Write a few words first.");
  EXPECT_TRUE(host.http.requests.empty());

  form->Type(id::kMessage, "Badges flicker");
  form->Choose(id::kKind, 2);
  form->Press(id::kIncludeDetails);
  host.http.hold = true;
  Send();
  EXPECT_EQ(Status(), "Sending\xE2\x80\xA6");
  EXPECT_FALSE(form->Enabled(id::kSend));
  ASSERT_EQ(host.http.requests.size(), 1u);
  const HttpRequest& sent = host.http.requests[0];
  EXPECT_EQ(sent.method, "POST");
  EXPECT_EQ(sent.address, kService);
  EXPECT_EQ(sent.contentType, "application/json");
  EXPECT_EQ(sent.userAgent, "Tessary-Windows/1.4.2");
  EXPECT_EQ(sent.body, R"({"app":"tessary","platform":"windows","kind":"question",)"
                       R"("message":"Badges flicker","version":"1.4.2"})");
  // No answer from the service: Send works again.
  host.http.ReleaseHeld();
  Pump();
  EXPECT_EQ(Status(), "Couldn't reach quillfrost.example. Check your connection and try again.");
  EXPECT_TRUE(form->Enabled(id::kSend));

  // An error status keeps the form, and success thanks and closes it.
  host.http.hold = false;
  host.http.Serve(kService, 503, "");
  Send();
  EXPECT_EQ(Status(), "The feedback service said 503.");
  // Opening it again (another process asks) brings the same form forward.
  shell->OnOpenRequest(static_cast<std::uint64_t>(OpenRequest::kFeedback));
  EXPECT_EQ(desk.Surfaces().Dialogs().Find("TessaryFeedback"), form);
  EXPECT_EQ(form->Text(id::kMessage), "Badges flicker");

  host.http.Serve(kService, 204, "");
  Send();
  EXPECT_EQ(desk.Surfaces().Dialogs().Find("TessaryFeedback"), nullptr);
  ASSERT_EQ(desk.PromptsShown().size(), 1u);
  EXPECT_EQ(desk.PromptsShown()[0].caption, "Send Feedback");
  EXPECT_EQ(desk.PromptsShown()[0].text, "Thanks. Your feedback was sent.");
}

}  // namespace
}  // namespace tessary::testing
