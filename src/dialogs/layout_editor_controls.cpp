#include "dialogs/layout_editor_controls.h"

#include <string>

namespace tessary {

ControlTable LayoutEditorControls(bool editing) {
  namespace id = editor_id;
  using K = ControlKind;
  ControlTable table;
  const auto add = [&](K kind, int id, std::string text, Rect units, int maxLength = 0) {
    table.push_back({kind, id, std::move(text), units, maxLength, true, true});
  };
  add(K::kLabel, 0, "Name", {16, 16, 60, 26});
  add(K::kEdit, id::kName, "", {80, 16, 300, 26}, kEditorNameLimit);
  if (!editing) {
    add(K::kLabel, 0, "Start from", {400, 16, 80, 26});
    add(K::kDropDown, id::kStartFrom, "", {484, 16, 360, 300});
  }
  add(K::kCanvas, id::kCanvas, std::string(kEditorCanvasName), kEditorCanvasUnits);
  add(K::kButton, id::kSplitSideBySide, "Split Side by Side", {16, 448, 150, 30});
  add(K::kButton, id::kSplitTopAndBottom, "Split Top and Bottom", {172, 448, 170, 30});
  add(K::kButton, id::kMerge, "Merge", {348, 448, 90, 30});
  add(K::kButton, id::kUndo, "Undo", {444, 448, 80, 30});
  add(K::kButton, id::kRedo, "Redo", {530, 448, 80, 30});
  add(K::kLabel, id::kAppLabel, std::string(kEditorAppLabel) + "1", {16, 492, 140, 26});
  add(K::kDropDown, id::kApps, "", {160, 492, 300, 300});
  add(K::kLabel, id::kAppText, std::string(kEditorNoAppText), {470, 492, 374, 26});
  if (editing) add(K::kButton, id::kDelete, "Delete Layout\u2026", {16, 630, 130, 32});
  add(K::kButton, id::kCancel, "Cancel", {500, 630, 100, 32});
  add(K::kButton, id::kSave, editing ? "Save Changes" : "Save Layout", {608, 630, 110, 32});
  add(K::kDefaultButton, id::kSaveAndApply, "Save && Apply", {726, 630, 118, 32});
  return table;
}

}  // namespace tessary
