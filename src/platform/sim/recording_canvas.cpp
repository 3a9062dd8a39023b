#include "platform/sim/recording_canvas.h"

#include <algorithm>
#include <cmath>

#include "base/utf.h"

namespace tessary {
namespace {

constexpr double kEpsilon = 1e-9;

// Byte offsets of each code point's start, plus the end.
std::vector<std::size_t> CodePointStarts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); i += DecodeCodePoint(text, i).length) {
    starts.push_back(i);
  }
  starts.push_back(text.size());
  return starts;
}

// How many code points fit in `width` (at least one, so wrapping always advances).
std::size_t FittingCount(double width, double charWidth) {
  if (!(width > 0) || !(charWidth > 0)) return 1;
  const double count = std::floor(width / charWidth + kEpsilon);
  return std::max<std::size_t>(1, static_cast<std::size_t>(std::min(count, 1e9)));
}

void WrapParagraph(std::string_view paragraph, std::size_t perLine,
                   std::vector<std::string>& lines) {
  const std::vector<std::size_t> starts = CodePointStarts(paragraph);
  const std::size_t count = starts.size() - 1;
  auto slice = [&](std::size_t from, std::size_t to) {
    return std::string(paragraph.substr(starts[from], starts[to] - starts[from]));
  };
  auto isSpace = [&](std::size_t i) { return paragraph[starts[i]] == ' '; };

  std::size_t lineStart = 0;  // code point index of the current line's start
  std::size_t i = 0;          // end of the last word placed on the current line
  while (true) {
    std::size_t wordStart = i;
    while (wordStart < count && isSpace(wordStart)) ++wordStart;
    if (wordStart == count) {
      lines.push_back(slice(lineStart, count));  // trailing spaces stay on the last line
      return;
    }
    std::size_t wordEnd = wordStart;
    while (wordEnd < count && !isSpace(wordEnd)) ++wordEnd;
    if (wordEnd - lineStart > perLine) {
      // The word starts a new line; the spaces before it are dropped.
      if (i > lineStart) lines.push_back(slice(lineStart, i));
      lineStart = wordStart;
      // A word longer than a line breaks between code points.
      while (wordEnd - lineStart > perLine) {
        lines.push_back(slice(lineStart, lineStart + perLine));
        lineStart += perLine;
      }
    }
    i = wordEnd;
  }
}

}  // namespace

double SimCharWidth(double size, bool bold) { return size * (bold ? 0.55 : 0.5); }
double SimLineHeight(double size) { return size * 1.25; }

std::size_t SimCodePointCount(std::string_view text) { return CodePointStarts(text).size() - 1; }

double SimTextWidth(std::string_view text, double size, bool bold) {
  return static_cast<double>(SimCodePointCount(text)) * SimCharWidth(size, bold);
}

std::vector<std::string> SimWrapLines(std::string_view text, double size, bool bold,
                                      double maxWidth) {
  std::vector<std::string> lines;
  const std::size_t perLine = FittingCount(maxWidth, SimCharWidth(size, bold));
  std::size_t start = 0;
  while (true) {
    const std::size_t newline = text.find('\n', start);
    WrapParagraph(text.substr(start, newline == std::string_view::npos ? std::string_view::npos
                                                                       : newline - start),
                  perLine, lines);
    if (newline == std::string_view::npos) break;
    start = newline + 1;
  }
  return lines;
}

std::string SimFitLabel(std::string_view text, double size, bool bold, double width) {
  const double charWidth = SimCharWidth(size, bold);
  const std::vector<std::size_t> starts = CodePointStarts(text);
  const std::size_t count = starts.size() - 1;
  if (static_cast<double>(count) * charWidth <= width + kEpsilon) return std::string(text);
  if (!(charWidth > 0) || width < charWidth - kEpsilon) return std::string();
  const std::size_t keep = static_cast<std::size_t>(std::floor(width / charWidth + kEpsilon)) - 1;
  return std::string(text.substr(0, starts[std::min(keep, count)])) + "\u2026";
}

TextSize SimTextMeasurer::MeasureText(std::string_view text, double size, bool bold,
                                      double maxWidth) {
  const std::vector<std::string> lines = SimWrapLines(text, size, bold, maxWidth);
  double widest = 0;
  for (const std::string& line : lines) widest = std::max(widest, SimTextWidth(line, size, bold));
  const double height = static_cast<double>(lines.size()) * SimLineHeight(size);
  return {std::ceil(widest - kEpsilon), std::ceil(height - kEpsilon)};
}

TextSize RecordingCanvas::MeasureText(std::string_view text, double size, bool bold,
                                      double maxWidth) {
  return SimTextMeasurer().MeasureText(text, size, bold, maxWidth);
}

void RecordingCanvas::FillRounded(const Rect& rect, double radius, Color color) {
  CanvasOp op;
  op.kind = CanvasOpKind::kFillRounded;
  op.rect = rect;
  op.radius = radius;
  op.color = color;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::StrokeRounded(const Rect& rect, double radius, Color color,
                                    double strokeWidth) {
  CanvasOp op;
  op.kind = CanvasOpKind::kStrokeRounded;
  op.rect = rect;
  op.radius = radius;
  op.color = color;
  op.width = strokeWidth;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawLabel(std::string_view text, const Rect& rect, Color color, double size,
                                bool bold, TextAlign align) {
  CanvasOp op;
  op.kind = CanvasOpKind::kLabel;
  op.rect = rect;
  op.color = color;
  op.text = std::string(text);
  op.shown = SimFitLabel(text, size, bold, rect.width);
  op.fontSize = size;
  op.bold = bold;
  op.align = align;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawWrappedText(std::string_view text, Point topLeft, double maxWidth,
                                      Color color, double size, bool bold) {
  CanvasOp op;
  op.kind = CanvasOpKind::kWrappedText;
  const std::vector<std::string> lines = SimWrapLines(text, size, bold, maxWidth);
  op.rect = {topLeft.x, topLeft.y, maxWidth, MeasureText(text, size, bold, maxWidth).height};
  op.color = color;
  op.text = std::string(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) op.shown += '\n';
    op.shown += lines[i];
  }
  op.fontSize = size;
  op.bold = bold;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawIcon(IconId icon, const Rect& rect) {
  if (icon == kNoIcon) return;
  CanvasOp op;
  op.kind = CanvasOpKind::kIcon;
  op.rect = rect;
  op.icon = icon;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawLine(Point from, Point to, Color color, double width) {
  CanvasOp op;
  op.kind = CanvasOpKind::kLine;
  op.color = color;
  op.width = width;
  op.points = {from, to};
  ops_.push_back(std::move(op));
}

void RecordingCanvas::FillTriangle(Point a, Point b, Point c, Color color) {
  CanvasOp op;
  op.kind = CanvasOpKind::kTriangle;
  op.color = color;
  op.points = {a, b, c};
  ops_.push_back(std::move(op));
}

void RecordingCanvas::FillCircle(Point centre, double radius, Color color) {
  CanvasOp op;
  op.kind = CanvasOpKind::kCircle;
  op.rect = {centre.x - radius, centre.y - radius, 2 * radius, 2 * radius};
  op.radius = radius;
  op.color = color;
  op.points = {centre};
  ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawShadow(const Rect& rect, double radius, bool strong) {
  CanvasOp op;
  op.kind = CanvasOpKind::kShadow;
  op.rect = rect;
  op.radius = radius;
  op.strong = strong;
  ops_.push_back(std::move(op));
}

std::size_t RecordingCanvas::Count(CanvasOpKind kind) const {
  return static_cast<std::size_t>(
      std::count_if(ops_.begin(), ops_.end(), [&](const CanvasOp& op) { return op.kind == kind; }));
}

std::vector<const CanvasOp*> RecordingCanvas::OfKind(CanvasOpKind kind) const {
  std::vector<const CanvasOp*> found;
  for (const CanvasOp& op : ops_) {
    if (op.kind == kind) found.push_back(&op);
  }
  return found;
}

const CanvasOp* RecordingCanvas::FindText(std::string_view text) const {
  for (const CanvasOp& op : ops_) {
    if ((op.kind == CanvasOpKind::kLabel || op.kind == CanvasOpKind::kWrappedText) &&
        op.text == text) {
      return &op;
    }
  }
  return nullptr;
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> texts;
  for (const CanvasOp& op : ops_) {
    if (op.kind == CanvasOpKind::kLabel || op.kind == CanvasOpKind::kWrappedText) {
      texts.push_back(op.shown);
    }
  }
  return texts;
}

}  // namespace tessary
