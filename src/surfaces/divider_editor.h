#pragma once

// The divider editor: an interactive overlay on a display's work area that outlines the
// layout's regions and puts a handle on every divider. Dragging a handle, "50/50", a
// double click on a handle and "Done" (or Escape, Enter) are reported through the
// callbacks; what they do to the layout and the windows is the engine's, which shows the
// editor and refreshes it with the tree after every change.

#include <functional>
#include <memory>

#include "layout/layout_tree.h"
#include "platform/clock.h"
#include "platform/surface.h"
#include "platform/theme_source.h"
#include "surfaces/divider_editor_geometry.h"
#include "surfaces/divider_editor_paint.h"

namespace tessary {

inline constexpr const char* kDividerEditorTitle = "Adjust Shared Dividers";
inline constexpr const char* kDividerEditorClass = "TessaryDividers";

// Dividers are numbered as the tree lists its splits. Each is called from the editor's
// input handlers, so the owner posts a command rather than acting at once.
struct DividerEditorCallbacks {
  std::function<void(int divider, double fraction)> drag;
  std::function<void(int divider)> dragEnd;
  std::function<void(int divider)> evenSplit;
  std::function<void()> done;
};

class DividerEditor : public SurfaceInput {
 public:
  DividerEditor(ThemeSource& theme, Clock& clock) : theme_(theme), clock_(clock) {}
  ~DividerEditor() override;
  DividerEditor(const DividerEditor&) = delete;
  DividerEditor& operator=(const DividerEditor&) = delete;

  // Topmost, click-through until shown.
  bool Create(SurfaceFactory& factory);
  void SetCallbacks(DividerEditorCallbacks callbacks) { callbacks_ = std::move(callbacks); }

  // Covers `area` (desktop pixels) with the tree's regions and dividers, takes the mouse
  // and, the first time, the keyboard focus. Nothing is hovered, dragged or selected.
  void Show(const Rect& area, double scale, NodeRef tree, double doubleClickSeconds);
  // The same editor with another tree of the same shape (after a drag or a commit).
  void Refresh(NodeRef tree);
  void Hide();

  bool Visible() const;
  const DividerEditorGeometry& Geometry() const { return geometry_; }
  DividerHighlights Highlights() const { return {hovered_, dragged_, selected_}; }
  Surface* GetSurface() { return surface_.get(); }

  void OnKeyDown(std::uint32_t virtualKey) override;
  void OnPointerMove(Point desktop) override;
  void OnPointerPress(Point desktop) override;
  void OnPointerRelease(Point desktop) override;
  void OnCaptureLost() override;
  bool ActivateOnClick() override { return true; }
  bool CapturesPointer() const override { return true; }
  PointerShape Shape() const override;

 private:
  void Paint();
  Point PanelPoint(Point desktop) const;
  void EndDrag();

  ThemeSource& theme_;
  Clock& clock_;
  std::unique_ptr<Surface> surface_;
  DividerEditorCallbacks callbacks_;
  Rect area_;
  double scale_ = 1;
  double doubleClickSeconds_ = 0.5;
  NodeRef tree_;
  DividerEditorGeometry geometry_;
  int hovered_ = -1;
  int dragged_ = -1;
  int selected_ = -1;
  DividerClick lastClick_;
};

}  // namespace tessary
