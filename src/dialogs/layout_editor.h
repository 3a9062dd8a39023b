#pragma once

// The layout editor window: the user designs an own layout or changes one (splitting,
// merging, dragging dividers, choosing each region's apps, naming it) and saves it,
// optionally applying it at once. The window is a DialogWindow over this class; the
// edits themselves live in LayoutEditorModel. One editor is open at a time; whoever opens
// it receives the result through the input's two callbacks.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "dialogs/layout_editor_canvas.h"
#include "dialogs/layout_editor_model.h"
#include "layout/layout_tree.h"
#include "platform/dialog_window.h"
#include "platform/prompts.h"
#include "platform/surface.h"

namespace tessary {

// An app that has a window open: its identity and the name the user knows it by.
struct KnownApp {
  std::string id;
  std::string name;
};

struct EditorDisplay {
  Rect work;  // desktop pixels
  double scale = 1;
  std::string key;
  std::string name;
};

struct LayoutEditorInput {
  EditorDisplay display;
  std::optional<SnapLayout> existing;     // absent when creating
  std::vector<SnapLayout> startChoices;   // offered under "Start from" when creating
  std::vector<KnownApp> knownApps;        // sorted by name
  // The layout (its id empty when new) and whether to apply it. False when it could not
  // be stored: the editor stays open.
  std::function<bool(const SnapLayout&, bool apply)> onSave;
  std::function<void(const std::string& id)> onDelete;
  double doubleClickSeconds = 0.5;
  bool dark = false;
};

// What the editor needs of the system, for as long as it lives.
struct LayoutEditorServices {
  SurfaceFactory& surfaces;
  Prompts& prompts;
  // The name of an app that is not among the known ones (from its identity).
  std::function<std::string(const std::string& app)> appName;
  // The theme's colours, read at every paint.
  std::function<EditorColors()> colors;
};

class LayoutEditor final : public DialogWindowInput {
 public:
  explicit LayoutEditor(LayoutEditorServices services);
  ~LayoutEditor() override;
  LayoutEditor(const LayoutEditor&) = delete;
  LayoutEditor& operator=(const LayoutEditor&) = delete;

  // Closes an open editor without saving, then builds, shows and focuses the new one.
  // False when the window could not be made.
  bool Open(LayoutEditorInput input);
  // Destroys the window and forgets the edits.
  void Close();
  bool IsOpen() const;

  void OnCommand(int id, DialogEvent event) override;
  void OnCloseRequested() override { Close(); }
  void OnKeyDown(std::uint32_t virtualKey, bool ctrl, bool shift) override;
  void PaintCanvas(int id, Canvas& canvas, double width, double height) override;
  void OnCanvasPointer(int id, const CanvasPointer& pointer) override;
  PointerShape CanvasShape(int id, Point units) const override;

 private:
  void FillLists();
  void Refresh();
  std::string AppName(const std::string& app) const;
  std::string AppNames(std::int32_t region) const;
  EditorCanvasGeometry Geometry() const;
  void ChooseStart();
  void ChooseApp();
  void Save(bool apply);
  void Delete();
  void PressCanvas(Point units, std::uint64_t timeMs);

  LayoutEditorServices services_;
  std::unique_ptr<DialogWindow> window_;
  LayoutEditorInput input_;
  LayoutEditorModel model_;
  int lastClickDivider_ = -1;
  std::uint64_t lastClickTime_ = 0;
};

}  // namespace tessary
