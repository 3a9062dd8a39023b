#pragma once

// A dialog-like window (the layout editor, settings, the information windows, the tour,
// the feedback form) as the portable program sees it: it is opened from a control table
// (platform/control_table.h), its controls are addressed by command id, and what the user
// does comes back through DialogWindowInput. The window is a humble view: every decision
// lives in the portable model that implements DialogWindowInput, so the simulated desktop
// can stand in for the real window in tests.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "platform/canvas.h"
#include "platform/control_table.h"
#include "platform/ids.h"
#include "platform/pointer_shape.h"

namespace tessary {

enum class DialogEvent : std::uint8_t {
  kClicked,           // a button was pressed (or a check box toggled: read Checked)
  kSelectionChanged,  // a drop-down's selection changed (read Selection)
  kTextChanged,       // an edit box's text changed (read Text)
  kHotkeyChanged,     // a hotkey field holds a new combination (read Hotkey)
};

enum class CanvasPointerKind : std::uint8_t { kDown, kMove, kUp };

struct CanvasPointer {
  CanvasPointerKind kind = CanvasPointerKind::kMove;
  Point units;            // within the canvas, in units
  std::uint64_t timeMs = 0;  // the message time, for double-click rules
};

// A hotkey field's content: a virtual key and MOD_* bits (MOD_ALT 1, MOD_CONTROL 2,
// MOD_SHIFT 4, MOD_WIN 8); 0/0 is empty.
struct DialogHotkey {
  std::uint32_t virtualKey = 0;
  std::uint32_t modifiers = 0;
  friend bool operator==(const DialogHotkey&, const DialogHotkey&) = default;
};

class DialogWindowInput {
 public:
  virtual ~DialogWindowInput() = default;
  virtual void OnCommand(int id, DialogEvent event) = 0;
  // The close box, Alt+F4 or Escape (through the keyboard pre-filter). The model decides;
  // most close the window.
  virtual void OnCloseRequested() = 0;
  // Keys the window itself receives (not its controls): e.g. the editor's Ctrl+Z.
  virtual void OnKeyDown(std::uint32_t /*virtualKey*/, bool /*ctrl*/, bool /*shift*/) {}
  // kCanvas controls: paint in units (the canvas's size given), pointer, pointer shape.
  virtual void PaintCanvas(int /*id*/, Canvas& /*canvas*/, double /*width*/,
                           double /*height*/) {}
  virtual void OnCanvasPointer(int /*id*/, const CanvasPointer& /*pointer*/) {}
  virtual PointerShape CanvasShape(int /*id*/, Point /*units*/) const {
    return PointerShape::kArrow;
  }
};

struct DialogWindowOptions {
  std::string className;  // e.g. "TessaryEditor"; the keyboard pre-filter knows these
  std::string title;
  double clientWidth = 0;   // units
  double clientHeight = 0;  // units
  double scale = 1;         // of the display it opens on
  Point center;             // desktop pixels the window is centered on
  bool darkCaption = false;  // the dark theme: the caption and the client area follow it
  double bodyPoints = 9;      // "Segoe UI" size of the controls' text
  double headingPoints = 17;  // kHeading controls
  int headingWeight = 600;
  ControlTable controls;
  DialogWindowInput* input = nullptr;  // outlives the window
};

class DialogWindow {
 public:
  virtual ~DialogWindow() = default;
  // Creates the window and its controls, shows it and brings it forward; false when the
  // system refused to create it. Opening again while open closes the old window first.
  virtual bool Open(const DialogWindowOptions& options) = 0;
  // Destroys the window; nothing reaches the input afterwards. Harmless when closed.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual WindowId Window() const = 0;
  // Brings it forward and focuses `focusId` (0: leave the focus). False when Windows
  // refused the foreground; the window is then still shown.
  virtual bool BringForward(int focusId) = 0;

  virtual void SetText(int id, std::string_view text) = 0;
  virtual std::string Text(int id) const = 0;
  // What a screen reader calls the control, for a button whose text is only its value
  // (a field takes its name from the label before it; a button only from its own text).
  virtual void SetAccessibleName(int id, std::string_view name) = 0;
  virtual void SetEnabled(int id, bool enabled) = 0;
  virtual void SetVisible(int id, bool visible) = 0;
  virtual void SetDefaultButton(int id) = 0;
  // Drop-downs: replaces the items; selects none.
  virtual void SetItems(int id, const std::vector<std::string>& items) = 0;
  virtual void Select(int id, int index) = 0;  // -1: none
  virtual int Selection(int id) const = 0;     // -1: none
  virtual void SetChecked(int id, bool checked) = 0;
  virtual bool Checked(int id) const = 0;
  virtual void SetHotkey(int id, DialogHotkey hotkey) = 0;
  virtual DialogHotkey Hotkey(int id) const = 0;
  virtual void Focus(int id) = 0;
  virtual void RedrawCanvas(int id) = 0;
  // A text's height in units when wrapped at `width` units in the body font (layouts that
  // grow with their text, like the information window).
  virtual double MeasureTextHeight(std::string_view text, double width) = 0;
  // The same measure before the window exists, in the body font and at the scale of
  // `options`: a window whose size follows its text is measured first, then opened.
  virtual double MeasureTextHeightFor(const DialogWindowOptions& options, std::string_view text,
                                      double width) = 0;
};


}  // namespace tessary
