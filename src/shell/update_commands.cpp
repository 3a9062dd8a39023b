// The update check as the user meets it: the hourly and the start-up checks, "Check for
// Updates…" (and the settings window's Check Now, which issues the same command), and
// what each outcome shows: the tray badge and tooltip, a balloon or a message box.

#include "platform/main_window_timers.h"
#include "services/maker_site.h"
#include "services/service_address.h"
#include "shell/shell.h"

namespace tessary {
namespace {

constexpr const char* kUpdateUrlVariable = "TESSARY_UPDATE_URL";
constexpr const char* kUpdateBalloonTitle = "Tessary update";

std::string AvailableSentence(const std::string& version) {
  return "Tessary " + version + " is available.";
}

std::string OutcomeSentence(UpdateOutcome outcome, const std::string& version) {
  switch (outcome) {
    case UpdateOutcome::kAvailable:
      return AvailableSentence(version);
    case UpdateOutcome::kUnreachable:
      return std::string(kMakerHost) + " couldn't be reached.";
    case UpdateOutcome::kUpToDate:
      break;
  }
  return "Tessary is up to date.";
}

}  // namespace

void Shell::StartUpdateCheck(bool interactive) {
  if (!coordinator_ || shutDown_) return;
  if (!updates_) {
    const std::optional<ProgramVersion> own = env_.host.services.OwnVersion();
    MainWindow& window = env_.host.mainWindow;
    updates_ = std::make_unique<UpdateCheck>(
        env_.host.http,
        ServiceAddress(platform().processes.EnvironmentVariable(kUpdateUrlVariable),
                       kUpdateDocumentPath),
        version_, own ? own->revision : 0, [&window](UpdateOutcome outcome) {
          window.Post(main_window_message::kUpdateResult, static_cast<std::uint64_t>(outcome), 0);
        });
  }
  updates_->Start(interactive);
  if (settingsWindow_) settingsWindow_->ShowUpdateStatus("Checking…");
}

void Shell::OnUpdateResult(std::uint64_t wParam) {
  if (!updates_ || !settings_ || shutDown_ || wParam > 2) return;
  const auto outcome = static_cast<UpdateOutcome>(wParam);
  const bool manual = updates_->TakeManual();
  tessary::Settings next = settings_->Current();
  next.lastUpdateCheck = UnixTime();
  settings_->Apply(std::move(next));

  const std::optional<UpdateInfo> latest = updates_->Latest();
  const std::string version = latest ? latest->version : std::string();
  if (outcome == UpdateOutcome::kAvailable) SetUpdateAvailable(version);
  if (settingsWindow_) {
    const std::int64_t checked = settings_->Current().lastUpdateCheck;
    settingsWindow_->ShowUpdateStatus(
        OutcomeSentence(outcome, version) + " " +
        (checked == 0 ? std::string("Not checked yet.")
                      : "Last checked " + platform().systemSettings.LocalDateTimeText(checked) +
                            "."));
  }
  Log("update check: outcome %d", static_cast<int>(outcome));
  if (manual) {
    if (outcome != UpdateOutcome::kAvailable) {
      platform().prompts.Inform("Tessary", OutcomeSentence(outcome, version),
                                PromptIcon::kInformation);
    } else if (platform().prompts.Confirm(
                   "Tessary", "Tessary " + version + " is available. Open the download page?")) {
      platform().launcher.ShellOpen(std::string("https://") + kMakerHost + kProductPagePath, "");
    }
  } else if (outcome == UpdateOutcome::kAvailable) {
    ShowBalloon(kUpdateBalloonTitle,
                AvailableSentence(version) + " Choose it in Tessary's menu.");
  }
}

}  // namespace tessary
