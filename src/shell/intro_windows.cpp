// The windows that introduce the program: welcome, What's New and the tour. Each opens on
// the display under the cursor, at that display's scale and in the system's theme.

#include <algorithm>

#include "base/log.h"
#include "desktop/monitor.h"
#include "dialogs/info_window.h"
#include "dialogs/release_notes.h"
#include "dialogs/tour_window.h"
#include "dialogs/welcome.h"
#include "shell/shell.h"
#include "shell/window_command.h"
#include "surfaces/theme.h"

namespace tessary {
namespace {

DialogPlacement PlacementUnderCursor(const Desktop& desktop, const Theme& theme) {
  DialogPlacement placement;
  placement.dark = theme.dark;
  const std::vector<Monitor> displays = desktop.EnumerateDisplays();
  if (displays.empty()) return placement;
  const int under = DisplayAt(displays, desktop.CursorPosition());
  const Monitor& display = displays[static_cast<std::size_t>(std::max(under, 0))];
  placement.scale = display.scale;
  placement.center = {display.work.x + display.work.width / 2,
                      display.work.y + display.work.height / 2};
  return placement;
}

TourPalette PaletteOf(const Theme& theme, const Theme& light) {
  TourPalette palette;
  palette.backdrop = theme.background;
  palette.screen = theme.cardFill;
  palette.region = theme.regionFill;
  palette.window = theme.background;
  palette.ink = theme.text;
  palette.muted = theme.secondaryText;
  palette.accent = theme.accent;
  palette.accentSoft = theme.accentTint;
  palette.line = theme.border;
  // The caption sits on the window's own background, which stays light.
  palette.caption = light.accent;
  return palette;
}

}  // namespace

void Shell::ShowWelcome() {
  if (!welcome_) welcome_ = std::make_unique<InfoWindow>(env_.surfaces);
  WelcomeFacts facts;
  facts.windowsSnapOn = desktop_->WindowsSnapSettings().arranging;
  facts.offerStartAtLogin = !desktop_->IsPackagedProcess();
  facts.startAtLogin = settings_->Current().startAtLogin;
  auto onButton = [this](int id) {
    switch (id) {
      case info_command::kTurnOffWindowsSnap:
        desktop_->OfferTurnOffWindowsSnap();
        return;
      case info_command::kTakeTheTour:
        welcome_->Close();
        ShowTour();
        return;
      default:
        welcome_->Close();
        return;
    }
  };
  auto onCheck = [this](bool checked) {
    tessary::Settings next = settings_->Current();
    next.startAtLogin = checked;
    settings_->Apply(std::move(next));
  };
  const Theme theme = ReadTheme(env_.theme);
  if (welcome_->Show(WelcomeTemplate(facts), PlacementUnderCursor(*desktop_, theme), onButton,
                     onCheck)) {
    Log("welcome window shown");
  }
}

void Shell::ShowWhatsNew(const std::string& text) {
  if (!whatsNew_) whatsNew_ = std::make_unique<InfoWindow>(env_.surfaces);
  const Theme theme = ReadTheme(env_.theme);
  if (whatsNew_->Show(WhatsNewTemplate(text), PlacementUnderCursor(*desktop_, theme),
                      [this](int /*id*/) { whatsNew_->Close(); })) {
    Log("What's New shown");
  }
}

std::string Shell::WhatsNewText(const std::string& since) {
  return tessary::WhatsNewText(since, version_);
}

void Shell::ShowTour() {
  if (!tour_) {
    tour_ = std::make_unique<TourWindow>(env_.surfaces,
                                         [this](TourAction action) { RunTourAction(action); });
  }
  const Theme theme = ReadTheme(env_.theme);
  const Theme light = ThemeFromSystemValues(1, env_.theme.AccentColor());
  if (tour_->Show(PlacementUnderCursor(*desktop_, theme), PaletteOf(theme, light))) {
    Log("tour shown");
  }
}

void Shell::RunTourAction(TourAction action) {
  if (!coordinator_ || shutDown_) return;
  switch (action) {
    case TourAction::kShowGallery:
      coordinator_->ShowGallery();
      return;
    case TourAction::kShowStack:
      // The tour has the foreground now; the stack is the one the user was working in.
      RunCommandOnMenuWindow(window_command::kStack, lastForeground_);
      return;
    case TourAction::kCreateLayout:
      coordinator_->OpenLayoutEditor(nullptr);
      return;
    case TourAction::kOpenSettings:
      OpenSettings();
      return;
    case TourAction::kNone:
      return;
  }
}

}  // namespace tessary
