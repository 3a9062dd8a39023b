#include "platform/win32/control_window_win32.h"

#include <commctrl.h>
#include <dwmapi.h>

#include <algorithm>
#include <cmath>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

constexpr DWORD kDwmUseImmersiveDarkMode = 20;  // DWMWA_USE_IMMERSIVE_DARK_MODE
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME;

// AdjustWindowRectExForDpi is Windows 10 1607 and later; earlier systems and Wine builds
// without it get the 96-dpi frame, a few pixels off at most.
RECT FrameAround(int clientWidth, int clientHeight, double scale) {
  RECT rect{0, 0, clientWidth, clientHeight};
  using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  const UINT dpi = static_cast<UINT>(std::lround(96 * scale));
  if (adjust == nullptr || !adjust(&rect, kWindowStyle, FALSE, kWindowExStyle, dpi)) {
    AdjustWindowRectEx(&rect, kWindowStyle, FALSE, kWindowExStyle);
  }
  return rect;
}

}  // namespace

int UnitScale::Px(double units) const { return static_cast<int>(std::lround(units * scale)); }

RECT UnitScale::ToRect(const UnitRect& units) const {
  const int left = Px(units.x);
  const int top = Px(units.y);
  return RECT{left, top, left + Px(units.width), top + Px(units.height)};
}

UiFont::UiFont(double points, int weight, double scale, const wchar_t* face) {
  LOGFONTW description{};
  description.lfHeight = -static_cast<LONG>(std::lround(points * 96.0 * scale / 72.0));
  description.lfWeight = weight;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(description.lfFaceName, face, LF_FACESIZE - 1);
  font_ = CreateFontIndirectW(&description);
}

UiFont::~UiFont() {
  if (font_ != nullptr) DeleteObject(font_);
}

UiFont::UiFont(UiFont&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }

UiFont& UiFont::operator=(UiFont&& other) noexcept {
  if (this != &other) {
    if (font_ != nullptr) DeleteObject(font_);
    font_ = other.font_;
    other.font_ = nullptr;
  }
  return *this;
}

void EnsureCommonControls() {
  static const bool loaded = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_HOTKEY_CLASS |
                                                        ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)loaded;
}

bool EnsureControlWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure) {
  WNDCLASSEXW existing{sizeof(existing)};
  if (GetClassInfoExW(instance, className, &existing)) return true;
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.lpszClassName = className;
  return RegisterClassExW(&windowClass) != 0;
}

HWND CreateControlWindow(HINSTANCE instance, const wchar_t* className, std::string_view title,
                         const ControlWindowPlacement& placement, void* owner) {
  const UnitScale units{placement.scale};
  const RECT frame =
      FrameAround(units.Px(placement.clientWidth), units.Px(placement.clientHeight),
                  placement.scale);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const POINT center{static_cast<LONG>(std::lround(placement.center.x)),
                     static_cast<LONG>(std::lround(placement.center.y))};
  int left = center.x - width / 2;
  int top = center.y - height / 2;
  // Keep the caption reachable: inside the work area of the display under the point.
  MONITORINFO monitor{sizeof(monitor)};
  if (GetMonitorInfoW(MonitorFromPoint(center, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    left = std::max<int>(work.left, std::min<int>(left, work.right - width));
    top = std::max<int>(work.top, std::min<int>(top, work.bottom - height));
  }
  const std::wstring caption = WideFromUtf8(title);
  HWND window = CreateWindowExW(kWindowExStyle, className, caption.c_str(), kWindowStyle, left,
                                top, width, height, nullptr, nullptr, instance, owner);
  // The frame was worked out for the display's scale; where the window really sits at
  // another DPI (an older system, or a display whose scale the program saw differently),
  // the client area would come out a few pixels off. Correct it by what is measured.
  RECT client;
  if (window != nullptr && GetClientRect(window, &client)) {
    const int missingWidth = units.Px(placement.clientWidth) - client.right;
    const int missingHeight = units.Px(placement.clientHeight) - client.bottom;
    if (missingWidth != 0 || missingHeight != 0) {
      SetWindowPos(window, nullptr, 0, 0, width + missingWidth, height + missingHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  return window;
}

void* ControlWindowOwnerOf(HWND window, UINT message, LPARAM lParam) {
  return WindowOwner<void>(window, message, lParam);
}

void UseDarkCaption(HWND window, bool dark) {
  const BOOL value = dark ? TRUE : FALSE;
  DwmSetWindowAttribute(window, kDwmUseImmersiveDarkMode, &value, sizeof(value));
}

HWND AddControl(HWND parent, const wchar_t* controlClass, std::string_view text, DWORD style,
                const UnitRect& units, int id, const UnitScale& scale, HFONT font,
                DWORD exStyle) {
  const RECT rect = scale.ToRect(units);
  const std::wstring wide = WideFromUtf8(text);
  HWND control = CreateWindowExW(
      exStyle, controlClass, wide.c_str(), style | WS_CHILD | WS_VISIBLE, rect.left, rect.top,
      rect.right - rect.left, rect.bottom - rect.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (control != nullptr && font != nullptr) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return control;
}

namespace {

struct SystemControl {
  const wchar_t* className;
  DWORD style;
};

SystemControl SystemControlFor(ControlKind kind, const wchar_t* canvasClass) {
  switch (kind) {
    case ControlKind::kLabel:
    case ControlKind::kHeading:
      return {L"Static", SS_LEFT | SS_NOPREFIX};
    case ControlKind::kEdit:
      return {L"Edit", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL};
    case ControlKind::kMultilineEdit:
      return {L"Edit", WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                           ES_WANTRETURN};
    case ControlKind::kButton:
      return {L"Button", WS_TABSTOP | BS_PUSHBUTTON};
    case ControlKind::kDefaultButton:
      return {L"Button", WS_TABSTOP | BS_DEFPUSHBUTTON};
    case ControlKind::kCheckBox:
      return {L"Button", WS_TABSTOP | BS_AUTOCHECKBOX};
    case ControlKind::kDropDown:
      return {L"ComboBox", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};
    case ControlKind::kHotkey:
      return {HOTKEY_CLASSW, WS_TABSTOP | WS_BORDER};
    case ControlKind::kCanvas:
      return {canvasClass != nullptr ? canvasClass : L"Static", canvasClass ? 0u : SS_NOTIFY};
  }
  return {L"Static", SS_LEFT};
}

}  // namespace

std::vector<HWND> CreateControls(HWND parent, const ControlTable& table, const UnitScale& scale,
                                 const ControlFonts& fonts, const wchar_t* canvasClass) {
  EnsureCommonControls();
  std::vector<HWND> windows;
  windows.reserve(table.size());
  for (const ControlSpec& spec : table) {
    const SystemControl system = SystemControlFor(spec.kind, canvasClass);
    HFONT font = spec.kind == ControlKind::kHeading && fonts.heading ? fonts.heading : fonts.body;
    HWND control = AddControl(parent, system.className, spec.text, system.style,
                              UnitRect{spec.units.x, spec.units.y, spec.units.width,
                                       spec.units.height},
                              spec.id, scale, font);
    if (control != nullptr) {
      if (spec.maxLength > 0 && (spec.kind == ControlKind::kEdit ||
                                 spec.kind == ControlKind::kMultilineEdit)) {
        SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(spec.maxLength), 0);
      }
      if (!spec.enabled) EnableWindow(control, FALSE);
      if (!spec.visible) ShowWindow(control, SW_HIDE);
    }
    windows.push_back(control);
  }
  return windows;
}

std::string ControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return Utf8FromWide(text);
}

void SetControlText(HWND control, std::string_view text) {
  SetWindowTextW(control, WideFromUtf8(text).c_str());
}

LRESULT TransparentLabelColors(WPARAM deviceContext) {
  HDC dc = reinterpret_cast<HDC>(deviceContext);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

namespace {

constexpr COLORREF kDarkBackground = RGB(32, 32, 32);
constexpr COLORREF kDarkField = RGB(54, 54, 54);
constexpr COLORREF kDarkText = RGB(255, 255, 255);

}  // namespace

DarkClientColors::DarkClientColors()
    : background_(CreateSolidBrush(kDarkBackground)), field_(CreateSolidBrush(kDarkField)) {}

DarkClientColors::~DarkClientColors() {
  if (background_ != nullptr) DeleteObject(background_);
  if (field_ != nullptr) DeleteObject(field_);
}

LRESULT DarkClientColors::Erase(HWND window, WPARAM deviceContext) const {
  RECT client{};
  GetClientRect(window, &client);
  FillRect(reinterpret_cast<HDC>(deviceContext), &client, background_);
  return 1;
}

LRESULT DarkClientColors::ControlColors(UINT message, WPARAM deviceContext) const {
  HDC dc = reinterpret_cast<HDC>(deviceContext);
  SetTextColor(dc, kDarkText);
  if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
    SetBkColor(dc, kDarkField);
    return reinterpret_cast<LRESULT>(field_);
  }
  SetBkMode(dc, TRANSPARENT);
  SetBkColor(dc, kDarkBackground);
  return reinterpret_cast<LRESULT>(background_);
}

bool ShowControlWindow(HWND window, HWND focus) {
  ShowWindow(window, SW_SHOW);
  const bool foreground = SetForegroundWindow(window) != FALSE;
  if (focus != nullptr) SetFocus(focus);
  return foreground;
}

}  // namespace tessary
