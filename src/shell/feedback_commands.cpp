// "Send Feedback…" (tray item 83, open request 6): the form on the display under the
// cursor, with the details of this program and PC, posting to the feedback service (or to
// TESSARY_FEEDBACK_URL).

#include "services/maker_site.h"
#include "services/service_address.h"
#include "shell/shell.h"

namespace tessary {
namespace {

constexpr const char* kFeedbackUrlVariable = "TESSARY_FEEDBACK_URL";

}  // namespace

void Shell::ShowFeedback() {
  if (!coordinator_ || shutDown_) return;
  if (!feedback_) {
    std::unique_ptr<DialogWindow> window = env_.surfaces.NewDialogWindow();
    if (!window) {
      Log("feedback form unavailable");
      return;
    }
    MainWindow& main = env_.host.mainWindow;
    feedback_ = std::make_unique<FeedbackForm>(
        std::move(window), env_.host.http,
        [&main](int outcome) {
          main.Post(main_window_message::kFeedbackAnswer, static_cast<std::uint64_t>(outcome), 0);
        },
        [this](const std::string& caption, const std::string& text) {
          platform().prompts.Inform(caption, text, PromptIcon::kInformation);
        });
  }
  const std::optional<ProgramVersion> own = env_.host.services.OwnVersion();
  FeedbackContext context{
      ServiceAddress(platform().processes.EnvironmentVariable(kFeedbackUrlVariable), kFeedbackPath),
      version_, DescribeForFeedback(version_, own ? own->revision : 0,
                                    env_.host.services.DescribeSystem())};
  // Centered on the work area of the display under the cursor, at that display's scale.
  coordinator_->RefreshDisplays();
  const int display = coordinator_->CommandDisplay(kNoWindow);
  if (display < 0) return;
  const Monitor& monitor = coordinator_->Displays()[static_cast<std::size_t>(display)];
  feedback_->Open(std::move(context), monitor.scale,
                  Point{monitor.work.x + monitor.work.width / 2,
                        monitor.work.y + monitor.work.height / 2});
}

}  // namespace tessary
