// The editor window's life, its refresh after every change, and what the keys and the
// preview do. Saving, deleting and the two lists are in layout_editor_actions.cpp.

#include "dialogs/layout_editor.h"

#include <utility>

#include "dialogs/layout_editor_controls.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

namespace id = editor_id;

constexpr std::uint32_t kKeyY = 0x59;
constexpr std::uint32_t kKeyZ = 0x5A;

Point CenterOf(const Rect& rect) { return {rect.x + rect.width / 2, rect.y + rect.height / 2}; }

}  // namespace

LayoutEditor::LayoutEditor(LayoutEditorServices services) : services_(std::move(services)) {}

LayoutEditor::~LayoutEditor() { Close(); }

bool LayoutEditor::Open(LayoutEditorInput input) {
  Close();
  input_ = std::move(input);
  const bool editing = input_.existing.has_value();
  model_ = editing ? LayoutEditorModel(input_.existing->tree, input_.existing->apps)
                   : LayoutEditorModel();
  if (!window_) window_ = services_.surfaces.NewDialogWindow();
  if (!window_) return false;
  DialogWindowOptions options;
  options.className = std::string(kEditorClass);
  options.title = std::string(editing ? kEditorTitleEdit : kEditorTitleCreate);
  options.clientWidth = kEditorWidth;
  options.clientHeight = kEditorHeight;
  options.scale = input_.display.scale;
  options.center = CenterOf(input_.display.work);
  options.darkCaption = input_.dark;
  options.controls = LayoutEditorControls(editing);
  options.input = this;
  if (!window_->Open(options)) {
    input_ = {};
    return false;
  }
  if (editing) window_->SetText(id::kName, input_.existing->name);
  FillLists();
  Refresh();
  window_->BringForward(id::kName);
  return true;
}

void LayoutEditor::Close() {
  if (window_) window_->Close();
  input_ = {};
  model_ = LayoutEditorModel();
  lastClickDivider_ = -1;
}

bool LayoutEditor::IsOpen() const { return window_ && window_->IsOpen(); }

std::string LayoutEditor::AppName(const std::string& app) const {
  for (const KnownApp& known : input_.knownApps) {
    if (known.id == app) return known.name;
  }
  return services_.appName ? services_.appName(app) : app;
}

std::string LayoutEditor::AppNames(std::int32_t region) const {
  std::string joined;
  for (const std::string& app : model_.AppsOf(region)) {
    if (!joined.empty()) joined += " + ";
    joined += AppName(app);
  }
  return joined;
}

void LayoutEditor::Refresh() {
  if (!IsOpen()) return;
  const std::int32_t selected = model_.Selected();
  const int label = RegionLabel(model_.Tree(), selected);
  window_->SetText(id::kAppLabel, std::string(kEditorAppLabel) + std::to_string(label));
  const std::string apps = AppNames(selected);
  window_->SetText(id::kAppText, apps.empty() ? std::string(kEditorNoAppText) : apps);
  window_->SetEnabled(id::kSplitSideBySide, model_.CanSplit(Axis::Columns));
  window_->SetEnabled(id::kSplitTopAndBottom, model_.CanSplit(Axis::Rows));
  window_->SetEnabled(id::kMerge, model_.CanMerge());
  window_->SetEnabled(id::kUndo, model_.CanUndo());
  window_->SetEnabled(id::kRedo, model_.CanRedo());
  // A screen reader names the preview by what is selected in it and the apps placed there.
  const std::size_t count = RegionRects(model_.Tree(), kUnitRect).size();
  window_->SetText(id::kCanvas, std::string(kEditorCanvasName) + ": " + std::to_string(count) +
                                    (count == 1 ? " region" : " regions") + ", Region " +
                                    std::to_string(label) + " selected" +
                                    (apps.empty() ? "" : ", " + apps));
  window_->RedrawCanvas(id::kCanvas);
}

void LayoutEditor::OnCommand(int command, DialogEvent event) {
  const bool clicked = event == DialogEvent::kClicked;
  const bool chosen = event == DialogEvent::kSelectionChanged;
  bool changed = false;
  if (command == id::kStartFrom && chosen) {
    ChooseStart();
  } else if (command == id::kApps && chosen) {
    ChooseApp();
  } else if (!clicked) {
    return;
  } else if (command == id::kSplitSideBySide || command == id::kSplitTopAndBottom) {
    changed = model_.Split(command == id::kSplitSideBySide ? Axis::Columns : Axis::Rows);
  } else if (command == id::kMerge) {
    changed = model_.Merge();
  } else if (command == id::kUndo) {
    changed = model_.Undo();
  } else if (command == id::kRedo) {
    changed = model_.Redo();
  } else if (command == id::kDelete) {
    Delete();
  } else if (command == id::kCancel) {
    Close();
  } else if (command == id::kSave || command == id::kSaveAndApply) {
    Save(command == id::kSaveAndApply);
  }
  if (changed) Refresh();
}

void LayoutEditor::OnKeyDown(std::uint32_t virtualKey, bool ctrl, bool shift) {
  if (!ctrl) return;
  bool changed = false;
  if (virtualKey == kKeyZ && !shift) {
    changed = model_.Undo();
  } else if (virtualKey == kKeyZ || virtualKey == kKeyY) {
    changed = model_.Redo();
  }
  if (changed) Refresh();
}

EditorCanvasGeometry LayoutEditor::Geometry() const {
  const Rect& work = input_.display.work;
  const double aspect = work.height > 0 ? work.width / work.height : 0;
  return LayOutEditorCanvas(model_.Tree(), kEditorCanvasUnits.width, kEditorCanvasUnits.height,
                            aspect);
}

void LayoutEditor::PaintCanvas(int /*id*/, Canvas& canvas, double width, double height) {
  const Rect& work = input_.display.work;
  const double aspect = work.height > 0 ? work.width / work.height : 0;
  const EditorCanvasGeometry geometry = LayOutEditorCanvas(model_.Tree(), width, height, aspect);
  std::vector<EditorRegionText> texts;
  const std::vector<std::int32_t> order = RegionsInDisplayOrder(model_.Tree());
  for (std::size_t i = 0; i < order.size(); ++i) {
    texts.push_back({order[i], static_cast<int>(i) + 1, AppNames(order[i])});
  }
  const EditorColors colors = services_.colors ? services_.colors() : EditorColors{};
  PaintEditorCanvas(canvas, geometry, texts, model_.Selected(), colors, width, height);
}

void LayoutEditor::OnCanvasPointer(int /*id*/, const CanvasPointer& pointer) {
  switch (pointer.kind) {
    case CanvasPointerKind::kDown:
      PressCanvas(pointer.units, pointer.timeMs);
      return;
    case CanvasPointerKind::kMove: {
      const int dragged = model_.DraggedDivider();
      if (dragged < 0) return;
      const EditorCanvasGeometry geometry = Geometry();
      if (static_cast<std::size_t>(dragged) >= geometry.dividers.size()) return;
      const Axis axis = geometry.dividers[static_cast<std::size_t>(dragged)].axis;
      model_.DragTo(EditorPreviewFraction(geometry, axis, pointer.units));
      if (window_) window_->RedrawCanvas(id::kCanvas);
      return;
    }
    case CanvasPointerKind::kUp:
      if (model_.DraggedDivider() < 0) return;
      model_.EndDrag();
      Refresh();
      return;
  }
}

void LayoutEditor::PressCanvas(Point units, std::uint64_t timeMs) {
  const EditorCanvasGeometry geometry = Geometry();
  const int divider = EditorDividerAt(geometry, units);
  if (divider < 0) {
    lastClickDivider_ = -1;
    if (model_.Select(EditorRegionAt(geometry, units))) Refresh();
    return;
  }
  const double limitMs = input_.doubleClickSeconds * 1000.0;
  if (divider == lastClickDivider_ && static_cast<double>(timeMs - lastClickTime_) <= limitMs) {
    lastClickDivider_ = -1;
    if (model_.EvenSplit(divider)) Refresh();
    return;
  }
  lastClickDivider_ = divider;
  lastClickTime_ = timeMs;
  model_.BeginDrag(divider);
}

PointerShape LayoutEditor::CanvasShape(int /*id*/, Point units) const {
  const EditorCanvasGeometry geometry = Geometry();
  int divider = model_.DraggedDivider();
  if (divider < 0) divider = EditorDividerAt(geometry, units);
  if (divider < 0 || static_cast<std::size_t>(divider) >= geometry.dividers.size()) {
    return PointerShape::kArrow;
  }
  return geometry.dividers[static_cast<std::size_t>(divider)].axis == Axis::Columns
             ? PointerShape::kSizeWestEast
             : PointerShape::kSizeNorthSouth;
}

}  // namespace tessary
