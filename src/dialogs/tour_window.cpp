#include "dialogs/tour_window.h"

#include <algorithm>

namespace tessary {
namespace {

constexpr double kClientWidth = 680;
constexpr double kClientHeight = 520;
constexpr double kBodyPoints = 10.5;
constexpr double kTitlePoints = 17;
constexpr int kTitleWeight = 600;
// 8.5 points in units (1/96 inch).
constexpr double kCaptionSize = 8.5 * 96 / 72;

ControlTable TourControls() {
  const TourPage& first = TourPageAt(0);
  return {
      {ControlKind::kCanvas, kTourCaptionId, "TESSARY TOUR", {32, 20, 300, 18}},
      {ControlKind::kCanvas, kTourPictureId, "", {32, 48, 616, 230}},
      {ControlKind::kHeading, kTourTitleId, std::string(first.title), {32, 290, 616, 34}},
      {ControlKind::kLabel, kTourBodyId, std::string(first.body), {32, 330, 616, 110}},
      {ControlKind::kLabel, kTourDotsId, TourDots(0), {32, 470, 140, 24}},
      {ControlKind::kButton, kTourActionId, std::string(first.actionText), {222, 464, 210, 32}},
      {ControlKind::kButton, kTourBackId, "Back", {448, 464, 90, 32}},
      {ControlKind::kDefaultButton, kTourNextId, "Next", {548, 464, 100, 32}},
  };
}

}  // namespace

std::string TourDots(int page) {
  std::string dots;
  for (int i = 0; i < kTourPageCount; ++i) dots += i == page ? "● " : "○ ";
  return dots;
}

TourWindow::~TourWindow() { Close(); }

bool TourWindow::Show(const DialogPlacement& placement, const TourPalette& palette) {
  palette_ = palette;
  if (IsOpen()) {
    // Windows may refuse the foreground; the tour is still there, on its page.
    window_->BringForward(kTourNextId);
    return true;
  }
  if (!window_) window_ = factory_.NewDialogWindow();
  if (!window_) return false;
  DialogWindowOptions options;
  options.className = kTourClassName;
  options.title = "Tessary Tour";
  options.clientWidth = kClientWidth;
  options.clientHeight = kClientHeight;
  options.scale = placement.scale;
  options.center = placement.center;
  options.darkCaption = placement.dark;
  options.bodyPoints = kBodyPoints;
  options.headingPoints = kTitlePoints;
  options.headingWeight = kTitleWeight;
  options.controls = TourControls();
  options.input = this;
  if (!window_->Open(options)) return false;
  ShowPage(0);
  return true;
}

void TourWindow::Close() {
  if (window_) window_->Close();
}

void TourWindow::ShowPage(int page) {
  if (!IsOpen()) return;
  page_ = std::clamp(page, 0, kTourPageCount - 1);
  const TourPage& shown = TourPageAt(page_);
  const bool last = page_ == kTourPageCount - 1;
  window_->SetText(kTourTitleId, shown.title);
  window_->SetText(kTourBodyId, shown.body);
  window_->SetText(kTourActionId, shown.actionText);
  window_->SetVisible(kTourActionId, !shown.actionText.empty());
  window_->SetEnabled(kTourBackId, page_ > 0);
  window_->SetText(kTourNextId, last ? "Done" : "Next");
  window_->SetText(kTourDotsId, TourDots(page_));
  window_->RedrawCanvas(kTourPictureId);
  // A hidden or greyed control keeps the focus on Windows and then nothing answers the
  // keyboard; Next is always there.
  window_->Focus(kTourNextId);
}

void TourWindow::OnCommand(int id, DialogEvent event) {
  if (event != DialogEvent::kClicked || !IsOpen()) return;
  switch (id) {
    case kTourActionId:
      if (onAction_) onAction_(TourPageAt(page_).action);
      return;
    case kTourBackId:
      ShowPage(page_ - 1);
      return;
    case kTourNextId:
      if (page_ == kTourPageCount - 1) {
        Close();
      } else {
        ShowPage(page_ + 1);
      }
      return;
    default:
      return;
  }
}

void TourWindow::PaintCanvas(int id, Canvas& canvas, double width, double height) {
  if (id == kTourPictureId) {
    PaintTourIllustration(canvas, page_, width, height, palette_);
  } else if (id == kTourCaptionId) {
    canvas.DrawLabel("TESSARY TOUR", {0, 0, width, height}, palette_.caption, kCaptionSize, true,
                     TextAlign::kLeading);
  }
}

}  // namespace tessary
