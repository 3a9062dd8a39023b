// Shutdown, in order: the hook threads first so nothing new arrives, then the windows and
// badges, the drag, and the tray icon. Nothing is written: every change was saved when it
// was made.

#include "base/log.h"
#include "dialogs/info_window.h"
#include "dialogs/tour_window.h"
#include "platform/main_window_timers.h"
#include "shell/shell.h"

namespace tessary {

void Shell::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  ShellHost& host = env_.host;
  if (host.mouseHook.Running()) host.mouseHook.Stop();
  // The dialog-like windows close first; the settings window's capture ends without
  // restarting the hook (shutDown_ is set).
  if (settingsWindow_) settingsWindow_->Close();
  capturingCommand_.reset();
  for (InfoWindow* window : {welcome_.get(), whatsNew_.get()}) {
    if (window) window->Close();
  }
  if (tour_) tour_->Close();
  mouseShared_.capturing.store(false);
  if (feedback_) feedback_->Close();
  platform().events.Uninstall();
  if (coordinator_) {
    coordinator_->DestroyAllBadges();
    coordinator_->DestroySwitcher();
  }
  Log("shutdown");
  if (coordinator_) {
    coordinator_->EndAssist();
    coordinator_->CancelDrag();
  }
  host.tray.Remove();
  host.mainWindow.Quit(0);
}

int Shell::Finish() {
  if (lockHeld_) env_.host.instanceLock.Release();
  lockHeld_ = false;
  return 0;
}

Shell::~Shell() {
  // The system drops a window's timers and hooks with the window; a shell that goes
  // without its window (a test, a failed start) lets go of them here.
  if (started_ || coordinator_) {
    platform().timers.SetTimerHandler(nullptr);
    platform().timers.Stop(main_window_timer::kStackPass);
    platform().timers.Stop(main_window_timer::kUpdateCheck);
    platform().timers.Stop(main_window_timer::kTrayRetry);
    platform().events.Uninstall();
    platform().input.StopEscapeWatch();
    if (env_.host.mouseHook.Running()) env_.host.mouseHook.Stop();
  }
  if (lockHeld_) env_.host.instanceLock.Release();
}

}  // namespace tessary
