#pragma once

// A dialog-like window on the simulated desktop: it keeps what the real window would show
// (each control's text, items, selection, check, hotkey, enabled and visible state, the
// focus) and lets a test act as the user (press, type, choose, close), delivering the
// same notifications to the portable model as the real window does.

#include <map>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "platform/sim/recording_canvas.h"

namespace tessary {

class SimDialogRegistry;

class SimDialogWindow final : public DialogWindow {
 public:
  explicit SimDialogWindow(SimDialogRegistry& registry);
  ~SimDialogWindow() override;
  SimDialogWindow(const SimDialogWindow&) = delete;
  SimDialogWindow& operator=(const SimDialogWindow&) = delete;

  bool Open(const DialogWindowOptions& options) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  WindowId Window() const override { return window_; }
  bool BringForward(int focusId) override;
  void SetText(int id, std::string_view text) override;
  std::string Text(int id) const override;
  void SetAccessibleName(int id, std::string_view name) override;
  void SetEnabled(int id, bool enabled) override;
  void SetVisible(int id, bool visible) override;
  void SetDefaultButton(int id) override;
  void SetItems(int id, const std::vector<std::string>& items) override;
  void Select(int id, int index) override;
  int Selection(int id) const override;
  void SetChecked(int id, bool checked) override;
  bool Checked(int id) const override;
  void SetHotkey(int id, DialogHotkey hotkey) override;
  DialogHotkey Hotkey(int id) const override;
  void Focus(int id) override;
  void RedrawCanvas(int id) override;
  double MeasureTextHeight(std::string_view text, double width) override;
  double MeasureTextHeightFor(const DialogWindowOptions& options, std::string_view text,
                              double width) override;

  // --- What a test sees and does ---
  const DialogWindowOptions& Options() const { return options_; }
  bool Enabled(int id) const;
  bool Shown(int id) const;
  std::string AccessibleName(int id) const;  // empty: the system's own
  const std::vector<std::string>& Items(int id) const;
  int FocusedId() const { return focus_; }
  int DefaultButton() const { return defaultButton_; }
  // The user's actions. Each is refused (false) on a disabled or hidden control, like a
  // real click on a greyed button.
  bool Press(int id);
  bool Type(int id, std::string_view text);
  bool Choose(int id, int index);
  bool EnterHotkey(int id, DialogHotkey hotkey);
  void RequestClose();
  void PointAt(int canvasId, CanvasPointerKind kind, Point units, std::uint64_t timeMs = 0);
  // Paints a canvas as the window would, into a recording.
  const RecordingCanvas& PaintedCanvas(int canvasId);

 private:
  struct ControlState {
    ControlSpec spec;
    std::vector<std::string> items;
    int selection = -1;
    bool checked = false;
    DialogHotkey hotkey;
    std::string accessibleName;
  };
  ControlState* Find(int id);
  const ControlState* Find(int id) const;
  bool Usable(int id) const;

  SimDialogRegistry& registry_;
  DialogWindowOptions options_;
  std::map<int, ControlState> controls_;
  bool open_ = false;
  WindowId window_ = kNoWindow;
  int focus_ = 0;
  int defaultButton_ = 0;
  RecordingCanvas canvas_;
};

// The open dialog windows of the program, for tests to find.
class SimDialogRegistry {
 public:
  // The open window of that class ("TessarySettings"), or null.
  SimDialogWindow* Find(std::string_view className) const;
  const std::vector<SimDialogWindow*>& Open() const { return open_; }

 private:
  friend class SimDialogWindow;
  std::vector<SimDialogWindow*> open_;
  std::uint64_t nextWindow_ = 0xD1A0000;
};

}  // namespace tessary
