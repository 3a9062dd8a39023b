#include "platform/win32/dialog_window_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cmath>

#include "platform/win32/accessible_name_win32.h"
#include "platform/win32/canvas_d2d.h"
#include "platform/win32/handles.h"
#include "platform/win32/key_names_win32.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

// The hotkey field speaks HOTKEYF_* bits; the program speaks RegisterHotKey's MOD_* bits.
WORD HotkeyFieldValue(DialogHotkey hotkey) {
  BYTE flags = 0;
  if (hotkey.modifiers & MOD_SHIFT) flags |= HOTKEYF_SHIFT;
  if (hotkey.modifiers & MOD_CONTROL) flags |= HOTKEYF_CONTROL;
  if (hotkey.modifiers & MOD_ALT) flags |= HOTKEYF_ALT;
  // Without it the field would show an arrow as its number-pad twin ("Num 4").
  if (IsExtendedKey(hotkey.virtualKey)) flags |= HOTKEYF_EXT;
  return MAKEWORD(static_cast<BYTE>(hotkey.virtualKey), flags);
}

DialogHotkey FromHotkeyFieldValue(LRESULT value) {
  const BYTE key = LOBYTE(LOWORD(value));
  const BYTE flags = HIBYTE(LOWORD(value));
  DialogHotkey hotkey{key, 0};
  if (flags & HOTKEYF_SHIFT) hotkey.modifiers |= MOD_SHIFT;
  if (flags & HOTKEYF_CONTROL) hotkey.modifiers |= MOD_CONTROL;
  if (flags & HOTKEYF_ALT) hotkey.modifiers |= MOD_ALT;
  return hotkey;
}

LPCWSTR CursorFor(PointerShape shape) {
  switch (shape) {
    case PointerShape::kSizeNorthSouth:
      return IDC_SIZENS;
    case PointerShape::kSizeWestEast:
      return IDC_SIZEWE;
    case PointerShape::kArrow:
      break;
  }
  return IDC_ARROW;
}

// The height in units of `text` wrapped at `width` units, as a static control with
// word breaks lays it out in `font`.
double MeasureWrapped(HFONT font, double scale, std::string_view text, double width) {
  const UnitScale units{scale};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT rect{0, 0, units.Px(width), 0};
  const std::wstring wide = WideFromUtf8(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return (rect.bottom - rect.top) / scale;
}

}  // namespace

bool Win32DialogWindow::Open(const DialogWindowOptions& options) {
  Close();
  options_ = options;
  const std::wstring className = WideFromUtf8(options.className);
  const std::wstring canvasClass = className + L"Canvas";
  if (!EnsureControlWindowClass(instance_, className.c_str(), &Procedure) ||
      !EnsureControlWindowClass(instance_, canvasClass.c_str(), &CanvasProcedure)) {
    return false;
  }
  body_ = UiFont(options.bodyPoints, FW_NORMAL, options.scale);
  heading_ = UiFont(options.headingPoints, options.headingWeight, options.scale);
  const ControlWindowPlacement placement{options.clientWidth, options.clientHeight,
                                         options.scale, options.center};
  window_ = CreateControlWindow(instance_, className.c_str(), options.title, placement, this);
  if (window_ == nullptr) return false;
  UseDarkCaption(window_, options.darkCaption);
  if (options.darkCaption) dark_ = std::make_unique<DarkClientColors>();
  updating_ = true;
  const std::vector<HWND> created =
      CreateControls(window_, options.controls, UnitScale{options.scale},
                     ControlFonts{body_.Get(), heading_.Get()}, canvasClass.c_str());
  updating_ = false;
  int firstFocus = 0;
  for (std::size_t i = 0; i < created.size(); ++i) {
    const ControlSpec& spec = options.controls[i];
    if (spec.kind == ControlKind::kDefaultButton) defaultButton_ = spec.id;
    if (spec.id == 0 || created[i] == nullptr) continue;
    controls_[spec.id] = created[i];
    if (spec.kind == ControlKind::kCanvas) {
      SetWindowLongPtrW(created[i], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      SetWindowLongPtrW(created[i], GWLP_ID, spec.id);
    }
    const bool takesInput = spec.kind != ControlKind::kLabel &&
                            spec.kind != ControlKind::kHeading &&
                            spec.kind != ControlKind::kCanvas;
    if (firstFocus == 0 && takesInput && spec.enabled && spec.visible) firstFocus = spec.id;
  }
  ShowControlWindow(window_, Control(firstFocus));
  return true;
}

void Win32DialogWindow::Close() {
  if (window_ == nullptr) return;
  HWND window = window_;
  // Nothing the destruction sends may reach a model that is going away.
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  for (const auto& [id, control] : controls_) {
    if (GetWindowLongPtrW(control, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this)) {
      SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    }
  }
  window_ = nullptr;
  controls_.clear();
  defaultButton_ = 0;
  DestroyWindow(window);
  if (target_) icons_.Drop(target_.Get());
  target_.Reset();
  body_ = UiFont();
  heading_ = UiFont();
  dark_.reset();
}

WindowId Win32DialogWindow::Window() const { return ToWindowId(window_); }

HWND Win32DialogWindow::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

ControlKind Win32DialogWindow::KindOf(int id) const {
  for (const ControlSpec& spec : options_.controls) {
    if (spec.id == id) return spec.kind;
  }
  return ControlKind::kLabel;
}

bool Win32DialogWindow::BringForward(int focusId) {
  if (window_ == nullptr) return false;
  return ShowControlWindow(window_, focusId != 0 ? Control(focusId) : nullptr);
}

void Win32DialogWindow::SetText(int id, std::string_view text) {
  if (HWND control = Control(id)) {
    updating_ = true;
    SetControlText(control, text);
    updating_ = false;
  }
}

std::string Win32DialogWindow::Text(int id) const {
  HWND control = Control(id);
  return control ? ControlText(control) : std::string();
}

void Win32DialogWindow::SetAccessibleName(int id, std::string_view name) {
  if (HWND control = Control(id)) SetControlAccessibleName(control, WideFromUtf8(name));
}

void Win32DialogWindow::SetEnabled(int id, bool enabled) {
  if (HWND control = Control(id)) EnableWindow(control, enabled ? TRUE : FALSE);
}

void Win32DialogWindow::SetVisible(int id, bool visible) {
  if (HWND control = Control(id)) ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

void Win32DialogWindow::SetDefaultButton(int id) {
  if (HWND old = Control(defaultButton_)) SendMessageW(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  defaultButton_ = id;
  if (HWND now = Control(id)) SendMessageW(now, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void Win32DialogWindow::SetItems(int id, const std::vector<std::string>& items) {
  HWND control = Control(id);
  if (!control) return;
  updating_ = true;
  SendMessageW(control, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring wide = WideFromUtf8(item);
    SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  updating_ = false;
}

void Win32DialogWindow::Select(int id, int index) {
  if (HWND control = Control(id)) {
    updating_ = true;
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    updating_ = false;
  }
}

int Win32DialogWindow::Selection(int id) const {
  HWND control = Control(id);
  if (!control) return -1;
  const LRESULT selection = SendMessageW(control, CB_GETCURSEL, 0, 0);
  return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

void Win32DialogWindow::SetChecked(int id, bool checked) {
  if (HWND control = Control(id)) {
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

bool Win32DialogWindow::Checked(int id) const {
  HWND control = Control(id);
  return control && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32DialogWindow::SetHotkey(int id, DialogHotkey hotkey) {
  if (HWND control = Control(id)) {
    updating_ = true;
    SendMessageW(control, HKM_SETHOTKEY, HotkeyFieldValue(hotkey), 0);
    updating_ = false;
  }
}

DialogHotkey Win32DialogWindow::Hotkey(int id) const {
  HWND control = Control(id);
  return control ? FromHotkeyFieldValue(SendMessageW(control, HKM_GETHOTKEY, 0, 0))
                 : DialogHotkey{};
}

void Win32DialogWindow::Focus(int id) {
  if (HWND control = Control(id)) SetFocus(control);
}

void Win32DialogWindow::RedrawCanvas(int id) {
  if (HWND control = Control(id)) InvalidateRect(control, nullptr, FALSE);
}

double Win32DialogWindow::MeasureTextHeight(std::string_view text, double width) {
  return MeasureWrapped(body_.Get(), options_.scale, text, width);
}

double Win32DialogWindow::MeasureTextHeightFor(const DialogWindowOptions& options,
                                               std::string_view text, double width) {
  const UiFont font(options.bodyPoints, FW_NORMAL, options.scale);
  return MeasureWrapped(font.Get(), options.scale, text, width);
}

void Win32DialogWindow::Notify(WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (updating_ || options_.input == nullptr || Control(id) == nullptr) return;
  const ControlKind kind = KindOf(id);
  if (code == BN_CLICKED && (kind == ControlKind::kButton || kind == ControlKind::kDefaultButton ||
                             kind == ControlKind::kCheckBox)) {
    options_.input->OnCommand(id, DialogEvent::kClicked);
  } else if (code == CBN_SELCHANGE && kind == ControlKind::kDropDown) {
    options_.input->OnCommand(id, DialogEvent::kSelectionChanged);
  } else if (code == EN_CHANGE && kind == ControlKind::kHotkey) {
    // While only modifiers are down the field reads empty: the combination is not
    // finished, and an empty field would otherwise mean "no keys".
    const bool modifierDown = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0 ||
                              GetKeyState(VK_SHIFT) < 0;
    if (Hotkey(id).virtualKey == 0 && modifierDown) return;
    options_.input->OnCommand(id, DialogEvent::kHotkeyChanged);
  } else if (code == EN_CHANGE) {
    options_.input->OnCommand(id, DialogEvent::kTextChanged);
  }
}

LRESULT CALLBACK Win32DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = ControlWindowOwner<Win32DialogWindow>(window, message, lParam);
  if (self == nullptr || (self->window_ != nullptr && self->window_ != window)) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(window, message, wParam, lParam);
}

LRESULT Win32DialogWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Notify(wParam);
      return 0;
    case WM_CLOSE:
      if (options_.input) options_.input->OnCloseRequested();
      return 0;
    case WM_KEYDOWN:
      if (options_.input) {
        options_.input->OnKeyDown(static_cast<std::uint32_t>(wParam), GetKeyState(VK_CONTROL) < 0,
                                  GetKeyState(VK_SHIFT) < 0);
      }
      return 0;
    case WM_ERASEBKGND:
      if (dark_) return dark_->Erase(window, wParam);
      break;
    case WM_CTLCOLORSTATIC:
      return dark_ ? dark_->ControlColors(message, wParam) : TransparentLabelColors(wParam);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (dark_) return dark_->ControlColors(message, wParam);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32DialogWindow::CanvasProcedure(HWND canvas, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
  auto* self = reinterpret_cast<Win32DialogWindow*>(GetWindowLongPtrW(canvas, GWLP_USERDATA));
  if (self == nullptr || self->window_ == nullptr) {
    return DefWindowProcW(canvas, message, wParam, lParam);
  }
  return self->HandleCanvas(canvas, message, wParam, lParam);
}

LRESULT Win32DialogWindow::HandleCanvas(HWND canvas, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  const int id = static_cast<int>(GetWindowLongPtrW(canvas, GWLP_ID));
  const double scale = options_.scale;
  const auto pointer = [&](CanvasPointerKind kind) {
    const Point units{GET_X_LPARAM(lParam) / scale, GET_Y_LPARAM(lParam) / scale};
    if (options_.input) {
      options_.input->OnCanvasPointer(
          id, CanvasPointer{kind, units, static_cast<std::uint64_t>(GetMessageTime())});
    }
  };
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(canvas, &ps);
      PaintCanvas(canvas);
      EndPaint(canvas, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetCapture(canvas);
      pointer(CanvasPointerKind::kDown);
      return 0;
    case WM_MOUSEMOVE:
      pointer(CanvasPointerKind::kMove);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == canvas) ReleaseCapture();
      pointer(CanvasPointerKind::kUp);
      return 0;
    case WM_SETCURSOR: {
      POINT at;
      GetCursorPos(&at);
      ScreenToClient(canvas, &at);
      const PointerShape shape =
          options_.input ? options_.input->CanvasShape(id, Point{at.x / scale, at.y / scale})
                         : PointerShape::kArrow;
      SetCursor(LoadCursorW(nullptr, CursorFor(shape)));
      return TRUE;
    }
    default:
      break;
  }
  return DefWindowProcW(canvas, message, wParam, lParam);
}

void Win32DialogWindow::PaintCanvas(HWND canvas) {
  if (options_.input == nullptr || d2d_ == nullptr) return;
  if (!target_) {
    // A DC render target, as for the window surfaces: the same drawing under Wine too.
    const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE));
    if (FAILED(d2d_->CreateDCRenderTarget(&properties, target_.GetAddressOf()))) return;
    icons_.Register(target_.Get());
  }
  RECT client;
  GetClientRect(canvas, &client);
  HDC dc = GetDC(canvas);
  target_->BindDC(dc, &client);
  const FLOAT dpi = static_cast<FLOAT>(options_.scale * 96.0);
  target_->SetDpi(dpi, dpi);
  target_->BeginDraw();
  const COLORREF background = GetSysColor(COLOR_WINDOW);
  target_->Clear(D2D1::ColorF(GetRValue(background) / 255.0f, GetGValue(background) / 255.0f,
                              GetBValue(background) / 255.0f));
  D2DCanvas drawing(target_.Get(), formats_, icons_);
  options_.input->PaintCanvas(GetWindowLongPtrW(canvas, GWLP_ID) & 0xFFFF, drawing,
                              client.right / options_.scale, client.bottom / options_.scale);
  const HRESULT drawn = target_->EndDraw();
  ReleaseDC(canvas, dc);
  if (FAILED(drawn)) {
    icons_.Drop(target_.Get());
    target_.Reset();  // a lost device: the next paint makes a new target
  }
}

}  // namespace tessary
