#pragma once

// The Win32 dialog-like window: a captioned window with the system controls its table
// lists (control_window_win32.h), notifications turned into DialogWindowInput calls, and
// canvases painted with Direct2D like the surfaces.

#include <d2d1.h>
#include <windows.h>
#include <wrl/client.h>

#include <map>
#include <memory>

#include "platform/dialog_window.h"
#include "platform/win32/control_window_win32.h"
#include "platform/win32/icon_bitmap_cache.h"
#include "platform/win32/text_formats_d2d.h"

namespace tessary {

class Win32DialogWindow final : public DialogWindow {
 public:
  Win32DialogWindow(HINSTANCE instance, ID2D1Factory* d2d, TextFormats& formats,
                    IconBitmapCache& icons)
      : instance_(instance), d2d_(d2d), formats_(formats), icons_(icons) {}
  ~Win32DialogWindow() override { Close(); }
  Win32DialogWindow(const Win32DialogWindow&) = delete;
  Win32DialogWindow& operator=(const Win32DialogWindow&) = delete;

  bool Open(const DialogWindowOptions& options) override;
  void Close() override;
  bool IsOpen() const override { return window_ != nullptr; }
  WindowId Window() const override;
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

  HWND Handle() const { return window_; }
  HWND Control(int id) const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CanvasProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleCanvas(HWND canvas, UINT message, WPARAM wParam, LPARAM lParam);
  void Notify(WPARAM wParam);
  void PaintCanvas(HWND canvas);
  ControlKind KindOf(int id) const;

  HINSTANCE instance_;
  ID2D1Factory* d2d_;
  TextFormats& formats_;
  IconBitmapCache& icons_;
  DialogWindowOptions options_;
  HWND window_ = nullptr;
  UiFont body_;
  UiFont heading_;
  std::map<int, HWND> controls_;
  int defaultButton_ = 0;
  // Set while the program itself changes a control, whose notifications are not the user's.
  bool updating_ = false;
  Microsoft::WRL::ComPtr<ID2D1DCRenderTarget> target_;
  std::unique_ptr<DarkClientColors> dark_;  // in the dark theme only
};

}  // namespace tessary
