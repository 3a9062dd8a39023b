#pragma once

// One information window (welcome or What's New): it exists at most once, and showing it
// again replaces the previous one. Buttons report their command id; the check box its new
// state. The window closes itself only on the close box or Escape: what a button does is
// the caller's business.

#include <functional>
#include <memory>

#include "dialogs/dialog_placement.h"
#include "dialogs/info_layout.h"
#include "platform/dialog_window.h"
#include "platform/surface.h"

namespace tessary {

class InfoWindow final : public DialogWindowInput {
 public:
  using ButtonHandler = std::function<void(int id)>;
  using CheckHandler = std::function<void(bool checked)>;

  explicit InfoWindow(SurfaceFactory& factory) : factory_(factory) {}
  ~InfoWindow() override;
  InfoWindow(const InfoWindow&) = delete;
  InfoWindow& operator=(const InfoWindow&) = delete;

  // False when the system has no window for it.
  bool Show(const InfoTemplate& info, const DialogPlacement& placement, ButtonHandler onButton,
            CheckHandler onCheck = nullptr);
  void Close();
  bool IsOpen() const { return window_ && window_->IsOpen(); }

  void OnCommand(int id, DialogEvent event) override;
  void OnCloseRequested() override { Close(); }

 private:
  SurfaceFactory& factory_;
  std::unique_ptr<DialogWindow> window_;
  ButtonHandler onButton_;
  CheckHandler onCheck_;
};

}  // namespace tessary
