#include "platform/win32/canvas_d2d.h"

#include <wrl/client.h>

#include <algorithm>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

using Microsoft::WRL::ComPtr;

D2D1_COLOR_F ToD2D(Color color) {
  return D2D1::ColorF(static_cast<FLOAT>(color.r), static_cast<FLOAT>(color.g),
                      static_cast<FLOAT>(color.b), static_cast<FLOAT>(color.a));
}

D2D1_RECT_F ToD2D(const Rect& rect) {
  return D2D1::RectF(static_cast<FLOAT>(rect.x), static_cast<FLOAT>(rect.y),
                     static_cast<FLOAT>(rect.x + rect.width),
                     static_cast<FLOAT>(rect.y + rect.height));
}

D2D1_POINT_2F ToD2D(Point point) {
  return D2D1::Point2F(static_cast<FLOAT>(point.x), static_cast<FLOAT>(point.y));
}

D2D1_ROUNDED_RECT Rounded(const Rect& rect, double radius) {
  const FLOAT r = static_cast<FLOAT>(std::max(radius, 0.0));
  return D2D1::RoundedRect(ToD2D(rect), r, r);
}

ComPtr<ID2D1SolidColorBrush> Brush(ID2D1RenderTarget* target, Color color) {
  ComPtr<ID2D1SolidColorBrush> brush;
  target->CreateSolidColorBrush(ToD2D(color), brush.GetAddressOf());
  return brush;
}

bool Empty(const Rect& rect) { return !(rect.width > 0) || !(rect.height > 0); }

}  // namespace

TextSize D2DCanvas::MeasureText(std::string_view text, double size, bool bold, double maxWidth) {
  return formats_.MeasureText(text, size, bold, maxWidth);
}

void D2DCanvas::FillRounded(const Rect& rect, double radius, Color color) {
  if (Empty(rect)) return;
  if (ComPtr<ID2D1SolidColorBrush> brush = Brush(target_, color)) {
    target_->FillRoundedRectangle(Rounded(rect, radius), brush.Get());
  }
}

void D2DCanvas::StrokeRounded(const Rect& rect, double radius, Color color, double strokeWidth) {
  if (!(strokeWidth > 0)) return;
  // The stroke is centred on its path: inset by half its width it stays inside `rect`.
  const double half = strokeWidth / 2;
  const Rect inset{rect.x + half, rect.y + half, rect.width - strokeWidth,
                   rect.height - strokeWidth};
  if (inset.width < 0 || inset.height < 0) return;
  if (ComPtr<ID2D1SolidColorBrush> brush = Brush(target_, color)) {
    target_->DrawRoundedRectangle(Rounded(inset, radius), brush.Get(),
                                  static_cast<FLOAT>(strokeWidth));
  }
}

void D2DCanvas::DrawLabel(std::string_view text, const Rect& rect, Color color, double size,
                          bool bold, TextAlign align) {
  if (text.empty() || Empty(rect)) return;
  IDWriteTextFormat* format = formats_.Label(size, bold, align);
  if (!format) return;
  ComPtr<ID2D1SolidColorBrush> brush = Brush(target_, color);
  if (!brush) return;
  const std::wstring wide = WideFromUtf8(text);
  target_->DrawText(wide.c_str(), static_cast<UINT32>(wide.size()), format, ToD2D(rect),
                    brush.Get(), D2D1_DRAW_TEXT_OPTIONS_CLIP);
}

void D2DCanvas::DrawWrappedText(std::string_view text, Point topLeft, double maxWidth, Color color,
                                double size, bool bold) {
  if (text.empty()) return;
  ComPtr<IDWriteTextLayout> layout = formats_.WrappedLayout(text, size, bold, maxWidth);
  if (!layout) return;
  if (ComPtr<ID2D1SolidColorBrush> brush = Brush(target_, color)) {
    target_->DrawTextLayout(ToD2D(topLeft), layout.Get(), brush.Get());
  }
}

void D2DCanvas::DrawIcon(IconId icon, const Rect& rect) {
  if (icon == kNoIcon || Empty(rect)) return;
  icons_.Draw(target_, ToHicon(icon), rect);
}

void D2DCanvas::DrawLine(Point from, Point to, Color color, double width) {
  if (!(width > 0)) return;
  if (ComPtr<ID2D1SolidColorBrush> brush = Brush(target_, color)) {
    target_->DrawLine(ToD2D(from), ToD2D(to), brush.Get(), static_cast<FLOAT>(width));
  }
}

void D2DCanvas::FillTriangle(Point a, Point b, Point c, Color color) {
  ComPtr<ID2D1Factory> factory;
  target_->GetFactory(factory.GetAddressOf());
  ComPtr<ID2D1PathGeometry> path;
  if (!factory || FAILED(factory->CreatePathGeometry(path.GetAddressOf()))) return;
  ComPtr<ID2D1GeometrySink> sink;
  if (FAILED(path->Open(sink.GetAddressOf()))) return;
  sink->BeginFigure(ToD2D(a), D2D1_FIGURE_BEGIN_FILLED);
  const D2D1_POINT_2F rest[] = {ToD2D(b), ToD2D(c)};
  sink->AddLines(rest, 2);
  sink->EndFigure(D2D1_FIGURE_END_CLOSED);
  if (FAILED(sink->Close())) return;
  if (ComPtr<ID2D1SolidColorBrush> brush = Brush(target_, color)) {
    target_->FillGeometry(path.Get(), brush.Get());
  }
}

void D2DCanvas::FillCircle(Point centre, double radius, Color color) {
  if (!(radius > 0)) return;
  if (ComPtr<ID2D1SolidColorBrush> brush = Brush(target_, color)) {
    const FLOAT r = static_cast<FLOAT>(radius);
    target_->FillEllipse(D2D1::Ellipse(ToD2D(centre), r, r), brush.Get());
  }
}

void D2DCanvas::DrawBackdrop(const Rect& rect, double blurOpacity) {
  if (!backdrop_ || Empty(rect)) return;
  target_->Clear(D2D1::ColorF(D2D1::ColorF::Black));
  backdrop_->Draw(target_, ToD2D(rect), static_cast<FLOAT>(std::clamp(blurOpacity, 0.0, 1.0)));
}

}  // namespace tessary
