#include "surfaces/drop_glyphs.h"

#include "surfaces/drop_action_menu.h"

namespace tessary {
namespace {

// The parts every glyph is made of: faint outlines of where things are, solid fills of
// where the window goes, and arrows.
struct GlyphPen {
  Canvas& canvas;
  Color solid;
  Color faint;

  void Outline(const Rect& rect) const { canvas.StrokeRounded(rect, 4, faint, 2); }
  void Fill(const Rect& rect) const { canvas.FillRounded(rect, 3, solid); }
  void Line(Point a, Point b) const { canvas.DrawLine(a, b, solid, 3); }
  void Head(Point a, Point b, Point c) const { canvas.FillTriangle(a, b, c, solid); }
};

}  // namespace

void DrawDropGlyph(Canvas& canvas, std::int32_t kind, const Rect& box, Color color) {
  const GlyphPen pen{canvas, color, WithAlpha(color, 0.35)};
  const double bx = box.x, by = box.y, bw = box.width, bh = box.height;
  const double cx = bx + bw / 2, cy = by + bh / 2;
  switch (kind) {
    case kDropAddToStack:
    case kDropPending:
    case 10:
    case kDropSpanAddToStack:
      // Two overlapping cards.
      pen.Outline({bx + 8, by, bw - 8, bh - 8});
      pen.Fill({bx, by + 8, bw - 8, bh - 8});
      return;
    case kDropPutBack:
      pen.Outline(box);
      pen.Line({cx + 9, cy - 6}, {cx + 9, cy + 4});
      pen.Line({cx + 9, cy + 4}, {cx - 6, cy + 4});
      pen.Head({cx - 13, cy + 4}, {cx - 5, cy - 3}, {cx - 5, cy + 11});
      return;
    case kDropTopHalf:
    case kDropSpanSplitTop:
    case kDropSpanTopHalf:
      pen.Outline(box);
      pen.Fill({bx, by, bw, bh / 2 - 1});
      return;
    case kDropBottomHalf:
    case kDropSpanSplitBottom:
    case kDropSpanBottomHalf:
      pen.Outline(box);
      pen.Fill({bx, by + bh / 2 + 1, bw, bh / 2 - 1});
      return;
    case kDropLeftHalf:
    case kDropSpanLeftColumn:
      pen.Outline(box);
      pen.Fill({bx, by, bw / 2 - 1, bh});
      return;
    case kDropRightHalf:
    case kDropSpanRightColumn:
      pen.Outline(box);
      pen.Fill({bx + bw / 2 + 1, by, bw / 2 - 1, bh});
      return;
    case kDropWholeColumn:
      pen.Fill(box);
      return;
    case kDropSwap: {
      pen.Outline({bx, by, bw / 2 - 2, bh});
      pen.Outline({bx + bw / 2 + 2, by, bw / 2 - 2, bh});
      const double y1 = by + 0.35 * bh;
      const double y2 = by + 0.65 * bh;
      pen.Line({bx + 6, y1}, {bx + bw - 12, y1});
      pen.Head({bx + bw - 6, y1}, {bx + bw - 14, y1 - 6}, {bx + bw - 14, y1 + 6});
      pen.Line({bx + 12, y2}, {bx + bw - 6, y2});
      pen.Head({bx + 6, y2}, {bx + 14, y2 - 6}, {bx + 14, y2 + 6});
      return;
    }
    case kDropSpanColumn:
      pen.Outline({bx, by, bw, bh / 2 - 1});
      pen.Outline({bx, by + bh / 2 + 1, bw, bh / 2 - 1});
      pen.Fill({bx + 4, by + 4, bw - 8, bh - 8});
      return;
    default:
      return;
  }
}

}  // namespace tessary
