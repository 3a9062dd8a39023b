// Recording diagnostics from the tray menu (Record / Stop Recording Diagnostics) and from
// other processes (open request 8): the snapshots of the desktop, the file's place in the
// state folder, and what the user is told.

#include "layout/tree_geometry.h"
#include "services/diagnostics_snapshot.h"
#include "services/local_time.h"
#include "shell/shell.h"
#include "state/state_folder.h"

namespace tessary {
namespace {

constexpr const char* kRecordingStarted =
    "Recording diagnostics. Do what went wrong, then choose Stop Recording Diagnostics in "
    "Tessary's menu. Apps are named; window titles are left out.";
constexpr const char* kRecordedTitle = "Diagnostics Recorded";
constexpr double kRecordingToastSeconds = 7.0;

std::string RecordedText(const std::string& path) {
  return "The recording is saved as\n" + path +
         "\n\nIt's a text file you can read first; send it along when you report what went "
         "wrong. Show it in File Explorer?";
}

SnapshotFacts GatherFacts(Coordinator& coordinator, Desktop& desktop, const Settings& settings) {
  SnapshotFacts facts;
  coordinator.RefreshDisplays();
  for (const Monitor& monitor : coordinator.Displays()) {
    SnapshotDisplay display{monitor.name, monitor.bounds, monitor.work, monitor.scale, {}, {}};
    if (const std::optional<SnapLayout> layout = coordinator.Layouts().ActiveLayout(monitor.id)) {
      display.layoutId = layout->id;
      display.regions = PixelRegionRects(*layout, monitor.work, RegionGap(monitor.scale));
    }
    facts.displays.push_back(std::move(display));
  }
  for (WindowId window : desktop.ManageableWindows()) {
    if (const std::optional<Rect> frame = desktop.FrameBounds(window)) {
      facts.windows.push_back({ToNumber(window), desktop.AppNameOfWindow(window), *frame});
    }
  }
  facts.rememberedSizes = static_cast<int>(coordinator.Minimums().Learned().size());
  facts.movedBadges = coordinator.GetStacks().Placements().Any();
  facts.paused = coordinator.Paused();
  facts.stacks = settings.windowStacksEnabled;
  facts.badges = settings.stackBadgesEnabled;
  facts.badgesOnEdge = settings.stackBadgesOnEdge;
  return facts;
}

}  // namespace

bool Shell::RecordingDiagnostics() const { return diagnostics_ && diagnostics_->Open(); }

void Shell::ToggleDiagnostics() {
  if (!coordinator_ || !settings_ || shutDown_) return;
  if (!diagnostics_) {
    diagnostics_ = std::make_unique<DiagnosticsRecorder>(
        env_.files, [this] { return platform().clock.Now(); });
  }
  const std::string snapshot =
      SnapshotText(GatherFacts(*coordinator_, *desktop_, settings_->Current()));
  if (diagnostics_->Open()) {
    const std::string path = diagnostics_->Stop(snapshot);
    if (path.empty() || !platform().prompts.AskYesNo(kRecordedTitle, RecordedText(path),
                                                      PromptIcon::kInformation)) {
      return;
    }
    // Explorer opens the folder with the file selected.
    platform().launcher.ShellOpen("explorer.exe", "/select,\"" + path + "\"");
    return;
  }
  const std::string folder = StateFolder(env_.files);
  if (folder.empty()) return;  // state in memory only: there is nowhere to record to
  if (!diagnostics_->Start(JoinPath(folder, kDiagnosticsFolderName), LocalTimeOf(UnixTime()),
                           snapshot)) {
    return;
  }
  ShowMessage(kRecordingStarted, kRecordingToastSeconds);
}

}  // namespace tessary
