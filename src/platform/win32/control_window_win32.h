#pragma once

// What the program's dialog-like windows share (the layout editor, settings, the
// information windows, the tour, the feedback form): a captioned top-level window whose
// standard controls are laid out in units of 1/96 inch at the scale of the display it
// opens on, one font per size, a dark caption in the dark theme, and the message routing
// from a window to the object that owns it. Keyboard behaviour (Tab, Enter, Escape) comes
// from the message loop's pre-filter (platform/dialog_keys.h), which knows these classes.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "platform/control_table.h"

namespace tessary {

// A rectangle in units; the window's scale turns it into client pixels.
struct UnitRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

// Units to pixels at one scale (1.0 at 96 dpi).
struct UnitScale {
  double scale = 1;
  int Px(double units) const;
  RECT ToRect(const UnitRect& units) const;
};

// A GDI font the window owns; deleted with it.
class UiFont {
 public:
  UiFont() = default;
  // "Segoe UI" (or `face`) at `points` typographic points and `weight` (400 regular,
  // 600 semibold, 700 bold) at the given scale.
  UiFont(double points, int weight, double scale, const wchar_t* face = L"Segoe UI");
  ~UiFont();
  UiFont(UiFont&& other) noexcept;
  UiFont& operator=(UiFont&& other) noexcept;
  UiFont(const UiFont&) = delete;
  UiFont& operator=(const UiFont&) = delete;
  HFONT Get() const { return font_; }

 private:
  HFONT font_ = nullptr;
};

// Loads the common controls the windows use (hotkey fields, tooltips, tabs) once.
void EnsureCommonControls();

// Registers a dialog-like window class on first use: arrow cursor, the system's window
// colour behind the controls. True when the class exists.
bool EnsureControlWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure);

struct ControlWindowPlacement {
  double clientWidth = 0;   // units
  double clientHeight = 0;  // units
  double scale = 1;
  Point center;             // desktop pixels the window is centered on
};

// Creates the captioned window with a system menu (no sizing, no maximize) whose client
// area has the given size, centered on the point and kept inside that point's work area.
// `owner` reaches the procedure through WM_NCCREATE; see ControlWindowOwner. Hidden.
HWND CreateControlWindow(HINSTANCE instance, const wchar_t* className, std::string_view title,
                         const ControlWindowPlacement& placement, void* owner);

// The object given to CreateControlWindow, stored at WM_NCCREATE; null before that.
void* ControlWindowOwnerOf(HWND window, UINT message, LPARAM lParam);
template <typename T>
T* ControlWindowOwner(HWND window, UINT message, LPARAM lParam) {
  return static_cast<T*>(ControlWindowOwnerOf(window, message, lParam));
}

// The caption follows the app theme (the desktop window manager's dark caption).
void UseDarkCaption(HWND window, bool dark);

// A standard child control ("Button", "Edit", "ComboBox", "Static", "msctls_hotkey32", …)
// at a unit rectangle with the given font. WS_CHILD | WS_VISIBLE are added; WS_TABSTOP is
// the caller's choice. Screen readers name a control by its text, and an edit box or list
// without text by the label created just before it, so labels come first.
HWND AddControl(HWND parent, const wchar_t* controlClass, std::string_view text, DWORD style,
                const UnitRect& units, int id, const UnitScale& scale, HFONT font,
                DWORD exStyle = 0);

// The fonts a window's controls use: the body font for most, the heading font for
// kHeading (the body font when absent).
struct ControlFonts {
  HFONT body = nullptr;
  HFONT heading = nullptr;
};

// Creates one system control per entry, in order (Tab order), with WS_TABSTOP on every
// control that takes input. A kCanvas entry becomes a child of `canvasClass` (registered
// by the caller), or a plain static when none is given. Returns the windows in the same
// order; an entry that failed is null.
std::vector<HWND> CreateControls(HWND parent, const ControlTable& table, const UnitScale& scale,
                                 const ControlFonts& fonts, const wchar_t* canvasClass = nullptr);

std::string ControlText(HWND control);
void SetControlText(HWND control, std::string_view text);

// The answer to WM_CTLCOLORSTATIC for labels drawn over the window colour.
LRESULT TransparentLabelColors(WPARAM deviceContext);

// Brings the window forward and gives the focus to `focus`. Windows may refuse the
// foreground to a program that does not own the last input; the window then still opens,
// usable with the mouse. True when it became the foreground window.
bool ShowControlWindow(HWND window, HWND focus);

// The client area of a window in the dark theme, so that it matches its dark caption:
// the surfaces' dark background (32, 32, 32) behind white text, edit boxes and lists one
// step lighter. The light theme keeps the system's colours and needs none of this.
class DarkClientColors {
 public:
  DarkClientColors();
  ~DarkClientColors();
  DarkClientColors(const DarkClientColors&) = delete;
  DarkClientColors& operator=(const DarkClientColors&) = delete;

  // The answer to WM_ERASEBKGND: the whole client area in the background colour.
  LRESULT Erase(HWND window, WPARAM deviceContext) const;
  // The answer to WM_CTLCOLORSTATIC (labels, check boxes, read-only and disabled edits),
  // WM_CTLCOLORBTN (around push buttons), WM_CTLCOLOREDIT and WM_CTLCOLORLISTBOX.
  LRESULT ControlColors(UINT message, WPARAM deviceContext) const;

 private:
  HBRUSH background_ = nullptr;
  HBRUSH field_ = nullptr;
};

}  // namespace tessary
