#include "dialogs/tour_illustrations.h"

#include <algorithm>
#include <string_view>

#include "base/utf.h"

namespace tessary {
namespace {

// Every picture is designed for this size and centered in the area it is given.
constexpr double kDesignWidth = 616;
constexpr double kDesignHeight = 230;
constexpr double kKeyHeight = 28;

// Drawing in design coordinates, moved to where the picture sits.
class Sketch {
 public:
  Sketch(Canvas& canvas, double width, double height, const TourPalette& palette)
      : c_(canvas),
        p_(palette),
        x0_((width - kDesignWidth) / 2),
        y0_((height - kDesignHeight) / 2) {}

  const TourPalette& palette() const { return p_; }
  Rect At(double x, double y, double w, double h) const { return {x0_ + x, y0_ + y, w, h}; }
  Point Pt(double x, double y) const { return {x0_ + x, y0_ + y}; }

  void Fill(double x, double y, double w, double h, double radius, Color color) {
    c_.FillRounded(At(x, y, w, h), radius, color);
  }
  void Frame(double x, double y, double w, double h, double radius, Color color, double stroke) {
    c_.StrokeRounded(At(x, y, w, h), radius, color, stroke);
  }
  void Label(std::string_view text, double x, double y, double w, double h, Color color,
             double size, bool bold, TextAlign align = TextAlign::kCenter) {
    c_.DrawLabel(text, At(x, y, w, h), color, size, bold, align);
  }
  void Line(double x1, double y1, double x2, double y2, Color color, double width) {
    c_.DrawLine(Pt(x1, y1), Pt(x2, y2), color, width);
  }
  void Dot(double x, double y, double radius, Color color) { c_.FillCircle(Pt(x, y), radius, color); }

  // An arrow from (x1, y1) to the tip (x2, y2), horizontal or vertical.
  void Arrow(double x1, double y1, double x2, double y2) {
    const Color color = p_.accent;
    const double dx = x2 > x1 ? 1 : (x2 < x1 ? -1 : 0);
    const double dy = y2 > y1 ? 1 : (y2 < y1 ? -1 : 0);
    Line(x1, y1, x2 - dx * 8, y2 - dy * 8, color, 3);
    c_.FillTriangle(Pt(x2, y2), Pt(x2 - dx * 10 - dy * 7, y2 - dy * 10 - dx * 7),
                    Pt(x2 - dx * 10 + dy * 7, y2 - dy * 10 + dx * 7), color);
  }

  void Screen(double x, double y, double w, double h) {
    Fill(x, y, w, h, 8, p_.screen);
    Frame(x, y, w, h, 8, p_.line, 1);
  }
  // An app window with a title bar; `lit` marks the one the picture is about.
  void Window(double x, double y, double w, double h, bool lit = false) {
    Fill(x, y, w, h, 5, p_.window);
    Fill(x, y, w, 14, 5, lit ? p_.accent : p_.region);
    Frame(x, y, w, h, 5, lit ? p_.accent : p_.line, lit ? 2 : 1);
  }
  // A keycap; answers its width so keys can be lined up.
  double Key(std::string_view text, double x, double y) {
    const double w = std::max(32.0, 8.0 * static_cast<double>(FromUtf8(text).size()) + 20);
    Fill(x, y + 2, w, kKeyHeight, 6, p_.line);
    Fill(x, y, w, kKeyHeight, 6, p_.window);
    Frame(x, y, w, kKeyHeight, 6, p_.line, 1.5);
    Label(text, x, y, w, kKeyHeight - 2, p_.ink, 12, true);
    return w;
  }
  // Keys joined by "+", from x; answers where the row ends.
  double Keys(std::initializer_list<std::string_view> keys, double x, double y) {
    bool first = true;
    for (std::string_view key : keys) {
      if (!first) {
        Label("+", x, y, 16, kKeyHeight, p_.muted, 12, true);
        x += 16;
      }
      x += Key(key, x, y);
      first = false;
    }
    return x;
  }
  void Caption(std::string_view text, double x, double y, double w) {
    Label(text, x, y, w, 18, p_.muted, 11, false, TextAlign::kLeading);
  }

 private:
  Canvas& c_;
  const TourPalette& p_;
  double x0_;
  double y0_;
};

void DropIntoPlace(Sketch& s) {
  const TourPalette& p = s.palette();
  s.Screen(40, 14, 330, 202);
  // The picker with three layouts; the region under the pointer is lit.
  s.Fill(135, 20, 140, 40, 7, p.backdrop);
  s.Frame(135, 20, 140, 40, 7, p.line, 1);
  for (int i = 0; i < 3; ++i) {
    const double x = 143 + i * 44;
    s.Fill(x, 27, 17, 26, 3, i == 0 ? p.accent : p.region);
    s.Fill(x + 19, 27, 17, 26, 3, p.region);
  }
  // The region it will land in, and the window on its way.
  s.Fill(48, 70, 155, 138, 6, p.accentSoft);
  s.Frame(48, 70, 155, 138, 6, p.accent, 2);
  s.Fill(209, 70, 153, 138, 6, p.region);
  s.Window(236, 96, 112, 78, true);
  s.Arrow(232, 140, 176, 140);
  // The drop tiles over an occupied region, and the key that keeps the drag.
  for (int i = 0; i < 3; ++i) s.Fill(410 + i * 58, 48, 50, 50, 8, i == 1 ? p.accent : p.region);
  s.Caption("add · half · swap", 410, 104, 170);
  s.Key("Esc", 410, 150);
  s.Caption("closes the tiles", 462, 155, 130);
}

void StackInOneSpot(Sketch& s) {
  const TourPalette& p = s.palette();
  s.Screen(40, 14, 330, 202);
  s.Window(120, 30, 200, 130);
  s.Window(105, 45, 200, 130);
  s.Window(90, 60, 200, 130, true);
  // The badge on the front window's left edge: icons, then "+N".
  s.Fill(66, 76, 34, 104, 17, p.backdrop);
  s.Frame(66, 76, 34, 104, 17, p.line, 1);
  s.Dot(83, 95, 10, p.accent);
  s.Dot(83, 122, 10, p.muted);
  s.Label("+2", 66, 140, 34, 24, p.ink, 11, true);
  s.Keys({"Ctrl", "Alt", "S"}, 400, 70);
  s.Caption("the full switcher", 400, 104, 180);
  s.Keys({"Ctrl", "Alt", "]"}, 400, 140);
  s.Caption("the next window", 400, 174, 180);
}

void SpanAcrossRegions(Sketch& s) {
  const TourPalette& p = s.palette();
  s.Screen(40, 14, 360, 202);
  for (int i = 0; i < 3; ++i) s.Fill(48 + i * 116, 22, 108, 186, 6, p.region);
  // A window stretched from the first region over the second.
  s.Fill(48, 22, 224, 186, 6, p.accentSoft);
  s.Window(48, 22, 224, 186, true);
  s.Arrow(180, 115, 262, 115);
  s.Key("Ctrl", 430, 70);
  s.Caption("while dragging an edge", 430, 104, 170);
  s.Keys({"Ctrl", "Alt", "B"}, 430, 140);
  s.Caption("brings them forward", 430, 174, 170);
}

void LayoutsWithApps(Sketch& s) {
  const TourPalette& p = s.palette();
  s.Screen(40, 14, 330, 202);
  struct Spot {
    double x, y, w, h;
    std::string_view app;
  };
  const Spot spots[] = {{48, 22, 186, 186, "Mail"}, {242, 22, 120, 89, "Chat"},
                        {242, 119, 120, 89, "Notes"}};
  bool first = true;
  for (const Spot& spot : spots) {
    s.Fill(spot.x, spot.y, spot.w, spot.h, 6, first ? p.accentSoft : p.region);
    s.Dot(spot.x + spot.w / 2, spot.y + spot.h / 2 - 10, 14, first ? p.accent : p.muted);
    s.Label(spot.app, spot.x, spot.y + spot.h / 2 + 8, spot.w, 20, p.ink, 12, true);
    first = false;
  }
  const double end = s.Keys({"Ctrl", "Alt", "1–9"}, 400, 90);
  s.Caption("switch between your layouts", 400, 124, std::max(180.0, end - 400));
}

void KeysAndMouse(Sketch& s) {
  const TourPalette& p = s.palette();
  s.Keys({"Ctrl", "Alt", "S"}, 40, 40);
  s.Keys({"Ctrl", "Alt", "Z"}, 40, 90);
  s.Keys({"Ctrl", "Alt", "A"}, 40, 140);
  s.Caption("yours to change", 40, 184, 200);
  // A mouse with its middle button lit and two side buttons.
  const double x = 400, y = 28, w = 96, h = 170;
  s.Fill(x, y, w, h, 44, p.window);
  s.Frame(x, y, w, h, 44, p.line, 2);
  s.Line(x + w / 2, y + 2, x + w / 2, y + 64, p.line, 1.5);
  s.Line(x + 2, y + 64, x + w - 2, y + 64, p.line, 1.5);
  s.Fill(x + w / 2 - 7, y + 20, 14, 30, 7, p.accent);
  s.Fill(x - 6, y + 80, 8, 24, 3, p.accent);
  s.Fill(x - 6, y + 110, 8, 24, 3, p.muted);
  s.Caption("middle-click:", 510, 40, 106);
  s.Caption("its stack", 510, 58, 106);
  s.Caption("side buttons", 510, 110, 106);
}

}  // namespace

void PaintTourIllustration(Canvas& canvas, int page, double width, double height,
                           const TourPalette& palette) {
  if (page < 0 || page > 4) return;
  canvas.FillRounded({0, 0, width, height}, 10, palette.backdrop);
  Sketch sketch(canvas, width, height, palette);
  switch (page) {
    case 0:
      DropIntoPlace(sketch);
      return;
    case 1:
      StackInOneSpot(sketch);
      return;
    case 2:
      SpanAcrossRegions(sketch);
      return;
    case 3:
      LayoutsWithApps(sketch);
      return;
    default:
      KeysAndMouse(sketch);
      return;
  }
}

}  // namespace tessary
