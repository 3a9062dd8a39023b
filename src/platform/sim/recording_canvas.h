#pragma once

// A Canvas that records every call with its arguments, so tests can assert what the user
// would see, and a deterministic text measurer standing in for DirectWrite.
//
// Simulated text metrics (every code point the same width; no kerning, no font):
//   width of a code point   0.5 x size, bold 0.55 x size
//   line height             1.25 x size
//   wrapping                at spaces, greedily; the spaces at a break are dropped; a word
//                           longer than the line breaks between code points; '\n' breaks
//   measured size           the widest line and lines x line height, each rounded up;
//                           empty text is one empty line
//   labels                  cut to the longest prefix that fits with "…" (one code point)

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"

namespace tessary {

double SimCharWidth(double size, bool bold);
double SimLineHeight(double size);
std::size_t SimCodePointCount(std::string_view text);
double SimTextWidth(std::string_view text, double size, bool bold);
// The lines `text` wraps into at `maxWidth`.
std::vector<std::string> SimWrapLines(std::string_view text, double size, bool bold,
                                      double maxWidth);
// What a label shows in a box `width` wide.
std::string SimFitLabel(std::string_view text, double size, bool bold, double width);

class SimTextMeasurer : public TextMeasurer {
 public:
  TextSize MeasureText(std::string_view text, double size, bool bold, double maxWidth) override;
};

enum class CanvasOpKind {
  kFillRounded,
  kStrokeRounded,
  kLabel,
  kWrappedText,
  kShadow,
  kIcon,
  kLine,
  kTriangle,
  kCircle,
};

struct CanvasOp {
  CanvasOpKind kind = CanvasOpKind::kFillRounded;
  // Rounded rectangles, label boxes, icon boxes, shadows; wrapped text: (x, y, maxWidth,
  // measured height); circles: their bounding square.
  Rect rect;
  double radius = 0;  // corner radius, or a circle's radius
  Color color;
  double width = 0;   // stroke or line width
  std::string text;   // labels and wrapped text as given
  std::string shown;  // what is visible: a label cut with "…", wrapped lines joined by '\n'
  double fontSize = 0;
  bool bold = false;
  TextAlign align = TextAlign::kLeading;
  bool strong = false;  // shadows
  IconId icon = kNoIcon;
  std::vector<Point> points;  // line ends, triangle corners, a circle's centre
};

class RecordingCanvas : public Canvas {
 public:
  TextSize MeasureText(std::string_view text, double size, bool bold, double maxWidth) override;
  void FillRounded(const Rect& rect, double radius, Color color) override;
  void StrokeRounded(const Rect& rect, double radius, Color color, double strokeWidth) override;
  void DrawLabel(std::string_view text, const Rect& rect, Color color, double size, bool bold,
                 TextAlign align) override;
  void DrawWrappedText(std::string_view text, Point topLeft, double maxWidth, Color color,
                       double size, bool bold) override;
  void DrawIcon(IconId icon, const Rect& rect) override;
  void DrawLine(Point from, Point to, Color color, double width) override;
  void FillTriangle(Point a, Point b, Point c, Color color) override;
  void FillCircle(Point centre, double radius, Color color) override;
  // Recorded as one op; Canvas::DrawShadow shows how a backend draws it.
  void DrawShadow(const Rect& rect, double radius, bool strong) override;

  const std::vector<CanvasOp>& Ops() const { return ops_; }
  void Clear() { ops_.clear(); }

  std::size_t Count(CanvasOpKind kind) const;
  std::vector<const CanvasOp*> OfKind(CanvasOpKind kind) const;
  // The label or wrapped text given exactly this text; null when none was drawn.
  const CanvasOp* FindText(std::string_view text) const;
  // The visible text of every label and wrapped text, in drawing order.
  std::vector<std::string> Texts() const;

 private:
  std::vector<CanvasOp> ops_;
};

}  // namespace tessary
