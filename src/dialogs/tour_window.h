#pragma once

// The five-page tour (class TessaryTour): a picture, a title and a text per page, the page
// dots, the page's action button, Back and Next (Done on the last page). It exists at most
// once: showing it again brings it forward on the page it is at. The actions themselves
// belong to the caller.

#include <functional>
#include <memory>

#include "dialogs/dialog_placement.h"
#include "dialogs/tour_illustrations.h"
#include "dialogs/tour_pages.h"
#include "platform/dialog_window.h"
#include "platform/surface.h"

namespace tessary {

inline constexpr const char* kTourClassName = "TessaryTour";

// Control ids.
inline constexpr int kTourActionId = 20;
inline constexpr int kTourBackId = 21;
inline constexpr int kTourNextId = 22;
inline constexpr int kTourCaptionId = 23;  // "TESSARY TOUR", drawn in its small bold type
inline constexpr int kTourTitleId = 24;
inline constexpr int kTourBodyId = 25;
inline constexpr int kTourDotsId = 26;
inline constexpr int kTourPictureId = 27;

class TourWindow final : public DialogWindowInput {
 public:
  using ActionHandler = std::function<void(TourAction action)>;

  TourWindow(SurfaceFactory& factory, ActionHandler onAction)
      : factory_(factory), onAction_(std::move(onAction)) {}
  ~TourWindow() override;
  TourWindow(const TourWindow&) = delete;
  TourWindow& operator=(const TourWindow&) = delete;

  // Opens on page 0, or brings the open tour forward. False when there is no window.
  bool Show(const DialogPlacement& placement, const TourPalette& palette);
  void Close();
  bool IsOpen() const { return window_ && window_->IsOpen(); }
  int Page() const { return page_; }
  void ShowPage(int page);

  void OnCommand(int id, DialogEvent event) override;
  void OnCloseRequested() override { Close(); }
  void PaintCanvas(int id, Canvas& canvas, double width, double height) override;

 private:
  SurfaceFactory& factory_;
  ActionHandler onAction_;
  std::unique_ptr<DialogWindow> window_;
  TourPalette palette_;
  int page_ = 0;
};

// "●" for the current page and "○" for the others, each followed by a blank.
std::string TourDots(int page);

}  // namespace tessary
