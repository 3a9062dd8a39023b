#include "platform/sim/sim_dialog_window.h"

#include <algorithm>

namespace tessary {
namespace {

constexpr double kBodyPixelsPerPoint = 96.0 / 72.0;

bool TakesInput(ControlKind kind) {
  return kind != ControlKind::kLabel && kind != ControlKind::kHeading;
}

}  // namespace

SimDialogWindow::SimDialogWindow(SimDialogRegistry& registry) : registry_(registry) {}

SimDialogWindow::~SimDialogWindow() { Close(); }

bool SimDialogWindow::Open(const DialogWindowOptions& options) {
  Close();
  options_ = options;
  controls_.clear();
  focus_ = 0;
  defaultButton_ = 0;
  for (const ControlSpec& spec : options.controls) {
    if (spec.kind == ControlKind::kDefaultButton) defaultButton_ = spec.id;
    if (spec.id == 0) continue;
    controls_[spec.id].spec = spec;
  }
  // The first control that takes input has the focus, as after WM_INITDIALOG.
  for (const ControlSpec& spec : options.controls) {
    if (spec.id != 0 && TakesInput(spec.kind) && spec.enabled && spec.visible) {
      focus_ = spec.id;
      break;
    }
  }
  window_ = WindowId{registry_.nextWindow_};
  registry_.nextWindow_ += 0x10;
  open_ = true;
  registry_.open_.push_back(this);
  return true;
}

void SimDialogWindow::Close() {
  if (!open_) return;
  open_ = false;
  window_ = kNoWindow;
  auto& open = registry_.open_;
  open.erase(std::remove(open.begin(), open.end(), this), open.end());
}

bool SimDialogWindow::BringForward(int focusId) {
  if (!open_) return false;
  if (focusId != 0) Focus(focusId);
  return true;
}

SimDialogWindow::ControlState* SimDialogWindow::Find(int id) {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

const SimDialogWindow::ControlState* SimDialogWindow::Find(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

void SimDialogWindow::SetText(int id, std::string_view text) {
  if (ControlState* c = Find(id)) c->spec.text = std::string(text);
}

std::string SimDialogWindow::Text(int id) const {
  const ControlState* c = Find(id);
  return c ? c->spec.text : std::string();
}

void SimDialogWindow::SetAccessibleName(int id, std::string_view name) {
  if (ControlState* c = Find(id)) c->accessibleName = std::string(name);
}

std::string SimDialogWindow::AccessibleName(int id) const {
  const ControlState* c = Find(id);
  return c ? c->accessibleName : std::string();
}

void SimDialogWindow::SetEnabled(int id, bool enabled) {
  if (ControlState* c = Find(id)) c->spec.enabled = enabled;
}

void SimDialogWindow::SetVisible(int id, bool visible) {
  if (ControlState* c = Find(id)) c->spec.visible = visible;
}

void SimDialogWindow::SetDefaultButton(int id) { defaultButton_ = id; }

void SimDialogWindow::SetItems(int id, const std::vector<std::string>& items) {
  if (ControlState* c = Find(id)) {
    c->items = items;
    c->selection = -1;
  }
}

void SimDialogWindow::Select(int id, int index) {
  ControlState* c = Find(id);
  if (!c) return;
  c->selection = index >= 0 && index < static_cast<int>(c->items.size()) ? index : -1;
}

int SimDialogWindow::Selection(int id) const {
  const ControlState* c = Find(id);
  return c ? c->selection : -1;
}

void SimDialogWindow::SetChecked(int id, bool checked) {
  if (ControlState* c = Find(id)) c->checked = checked;
}

bool SimDialogWindow::Checked(int id) const {
  const ControlState* c = Find(id);
  return c && c->checked;
}

void SimDialogWindow::SetHotkey(int id, DialogHotkey hotkey) {
  if (ControlState* c = Find(id)) c->hotkey = hotkey;
}

DialogHotkey SimDialogWindow::Hotkey(int id) const {
  const ControlState* c = Find(id);
  return c ? c->hotkey : DialogHotkey{};
}

void SimDialogWindow::Focus(int id) {
  if (Find(id)) focus_ = id;
}

void SimDialogWindow::RedrawCanvas(int /*id*/) {}

double SimDialogWindow::MeasureTextHeight(std::string_view text, double width) {
  return MeasureTextHeightFor(options_, text, width);
}

double SimDialogWindow::MeasureTextHeightFor(const DialogWindowOptions& options,
                                             std::string_view text, double width) {
  const double size = options.bodyPoints * kBodyPixelsPerPoint;
  return SimTextMeasurer().MeasureText(text, size, false, width).height;
}

bool SimDialogWindow::Enabled(int id) const {
  const ControlState* c = Find(id);
  return c && c->spec.enabled;
}

bool SimDialogWindow::Shown(int id) const {
  const ControlState* c = Find(id);
  return c && c->spec.visible;
}

const std::vector<std::string>& SimDialogWindow::Items(int id) const {
  static const std::vector<std::string> kNone;
  const ControlState* c = Find(id);
  return c ? c->items : kNone;
}

bool SimDialogWindow::Usable(int id) const {
  const ControlState* c = Find(id);
  return open_ && c && c->spec.enabled && c->spec.visible;
}

bool SimDialogWindow::Press(int id) {
  if (!Usable(id)) return false;
  ControlState* c = Find(id);
  if (c->spec.kind == ControlKind::kCheckBox) c->checked = !c->checked;
  focus_ = id;
  if (options_.input) options_.input->OnCommand(id, DialogEvent::kClicked);
  return true;
}

bool SimDialogWindow::Type(int id, std::string_view text) {
  if (!Usable(id)) return false;
  ControlState* c = Find(id);
  std::string typed(text);
  // An edit box keeps at most its limit; what is typed beyond it is refused.
  if (c->spec.maxLength > 0) {
    std::size_t units = 0, end = 0;
    while (end < typed.size() && units < static_cast<std::size_t>(c->spec.maxLength)) {
      const unsigned char lead = static_cast<unsigned char>(typed[end]);
      end += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
      units += lead >= 0xF0 ? 2 : 1;
    }
    typed.resize(std::min(end, typed.size()));
  }
  c->spec.text = typed;
  focus_ = id;
  if (options_.input) options_.input->OnCommand(id, DialogEvent::kTextChanged);
  return true;
}

bool SimDialogWindow::Choose(int id, int index) {
  if (!Usable(id)) return false;
  ControlState* c = Find(id);
  if (index < 0 || index >= static_cast<int>(c->items.size())) return false;
  c->selection = index;
  focus_ = id;
  if (options_.input) options_.input->OnCommand(id, DialogEvent::kSelectionChanged);
  return true;
}

bool SimDialogWindow::EnterHotkey(int id, DialogHotkey hotkey) {
  if (!Usable(id)) return false;
  Find(id)->hotkey = hotkey;
  focus_ = id;
  if (options_.input) options_.input->OnCommand(id, DialogEvent::kHotkeyChanged);
  return true;
}

void SimDialogWindow::RequestClose() {
  if (open_ && options_.input) options_.input->OnCloseRequested();
}

void SimDialogWindow::PointAt(int canvasId, CanvasPointerKind kind, Point units,
                              std::uint64_t timeMs) {
  if (!Usable(canvasId) || !options_.input) return;
  options_.input->OnCanvasPointer(canvasId, CanvasPointer{kind, units, timeMs});
}

const RecordingCanvas& SimDialogWindow::PaintedCanvas(int canvasId) {
  canvas_.Clear();
  const ControlState* c = Find(canvasId);
  if (c && options_.input) {
    options_.input->PaintCanvas(canvasId, canvas_, c->spec.units.width, c->spec.units.height);
  }
  return canvas_;
}

SimDialogWindow* SimDialogRegistry::Find(std::string_view className) const {
  for (SimDialogWindow* window : open_) {
    if (window->Options().className == className) return window;
  }
  return nullptr;
}

}  // namespace tessary
