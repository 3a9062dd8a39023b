// The owner-drawn layout items of popup menus: measuring, drawing and the thumbnails.

#include <d2d1.h>
#include <vssym32.h>
#include <wrl/client.h>

#include <cmath>

#include "platform/win32/canvas_d2d.h"
#include "platform/win32/popup_menu_win32.h"
#include "platform/win32/top_down_bitmap.h"

namespace tessary {
namespace {

using MetricsForDpi = int(WINAPI*)(int, UINT);

int MetricForDpi(int index, UINT dpi) {
  static const auto forDpi = reinterpret_cast<MetricsForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  if (forDpi != nullptr) return forDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), 96);
}

int TextWidth(HDC dc, HFONT font, const std::wstring& text) {
  if (text.empty()) return 0;
  HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (previous != nullptr) SelectObject(dc, previous);
  return size.cx;
}

COLORREF ThemeTextColour(HTHEME theme, int state, COLORREF fallback) {
  COLORREF colour = fallback;
  if (theme != nullptr &&
      FAILED(GetThemeColor(theme, MENU_POPUPITEM, state, TMT_TEXTCOLOR, &colour))) {
    colour = fallback;
  }
  return colour;
}

void DrawTextIn(HDC dc, HFONT font, COLORREF colour, const std::wstring& text, RECT rect,
                UINT vertical) {
  if (text.empty() || rect.right <= rect.left) return;
  HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_SINGLELINE | DT_LEFT | vertical | DT_END_ELLIPSIS | DT_NOPREFIX);
  if (previous != nullptr) SelectObject(dc, previous);
}


struct ItemColours {
  COLORREF title;
  COLORREF subtitle;
};

// Fills the item's background (highlighted when selected) and picks the text colours
// that go with it, from the menu theme when there is one.
ItemColours PaintBackground(HDC dc, HTHEME theme, const RECT& rect, bool selected,
                            bool greyed) {
  FillRect(dc, &rect, GetSysColorBrush(COLOR_MENU));
  if (theme != nullptr) {
    if (selected) DrawThemeBackground(theme, dc, MENU_POPUPITEM, MPI_HOT, &rect, nullptr);
    return {ThemeTextColour(theme, greyed ? MPI_DISABLED : MPI_NORMAL,
                            GetSysColor(greyed ? COLOR_GRAYTEXT : COLOR_MENUTEXT)),
            ThemeTextColour(theme, MPI_DISABLED, GetSysColor(COLOR_GRAYTEXT))};
  }
  if (selected) FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
  return {GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT),
          GetSysColor(COLOR_GRAYTEXT)};
}

// False when there is no menu theme or it has no check mark of a usable size.
bool DrawThemedCheckMark(HDC dc, HTHEME theme, int centreX, int middle) {
  SIZE size{0, 0};
  if (theme == nullptr ||
      FAILED(GetThemePartSize(theme, dc, MENU_POPUPCHECK, MC_CHECKMARKNORMAL, nullptr, TS_TRUE,
                              &size)) ||
      size.cx <= 0 || size.cy <= 0) {
    return false;
  }
  RECT mark{centreX - size.cx / 2, middle - size.cy / 2, centreX - size.cx / 2 + size.cx,
            middle - size.cy / 2 + size.cy};
  DrawThemeBackground(theme, dc, MENU_POPUPCHECK, MC_CHECKMARKNORMAL, &mark, nullptr);
  return true;
}

// The classic check mark, in the title's colour.
void DrawClassicCheckMark(HDC dc, int centreX, int middle, int side, COLORREF colour) {
  RECT mark{centreX - side / 2, middle - side / 2, centreX - side / 2 + side,
            middle - side / 2 + side};
  HDC maskDc = CreateCompatibleDC(dc);
  HBITMAP mask = CreateBitmap(side, side, 1, 1, nullptr);
  if (maskDc != nullptr && mask != nullptr) {
    HGDIOBJ previous = SelectObject(maskDc, mask);
    RECT local{0, 0, side, side};
    DrawFrameControl(maskDc, &local, DFC_MENU, DFCS_MENUCHECK);
    // The mask is black where the mark is: paint the colour through it.
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    // Destination = (brush AND NOT source) OR (destination AND source).
    BitBlt(dc, mark.left, mark.top, side, side, maskDc, 0, 0, 0x00B8074A);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    SelectObject(maskDc, previous);
  }
  if (mask != nullptr) DeleteObject(mask);
  if (maskDc != nullptr) DeleteDC(maskDc);
}

void DrawThumbnail(HDC dc, const Win32PopupMenus::LayoutItemData& item,
                   const LayoutItemMetrics& metrics, const RECT& rect, bool greyed) {
  HDC source = CreateCompatibleDC(dc);
  if (source == nullptr) return;
  HGDIOBJ previous = SelectObject(source, item.thumbnail);
  BLENDFUNCTION blend{AC_SRC_OVER, 0,
                      static_cast<BYTE>(greyed ? metrics.greyedThumbnailAlpha : 255),
                      AC_SRC_ALPHA};
  AlphaBlend(dc, rect.left + static_cast<int>(metrics.thumbnail.x),
             rect.top + static_cast<int>(metrics.thumbnail.y), item.thumbnailWidth,
             item.thumbnailHeight, source, 0, 0, item.thumbnailWidth, item.thumbnailHeight,
             blend);
  SelectObject(source, previous);
  DeleteDC(source);
}

}  // namespace

HBITMAP Win32PopupMenus::RenderThumbnail(const LayoutMenuItem& item, int width, int height) {
  if (!item.thumbnail || width <= 0 || height <= 0 || !graphics_.IsCreated()) return nullptr;
  if (!formats_) formats_ = std::make_unique<TextFormats>(graphics_.DirectWrite());

  BITMAPINFO info = TopDownBitmapInfo(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) {
    DeleteObject(bitmap);
    return nullptr;
  }
  HGDIOBJ previous = SelectObject(dc, bitmap);

  // A render target whose units are DIPs of this display, so the painter never sees a
  // pixel; premultiplied, which is what AlphaBlend takes.
  const float dpi = static_cast<float>(96.0 * scale_);
  const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
      D2D1_RENDER_TARGET_TYPE_SOFTWARE,
      D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), dpi, dpi);
  Microsoft::WRL::ComPtr<ID2D1DCRenderTarget> target;
  bool drawn = false;
  if (SUCCEEDED(graphics_.Direct2D()->CreateDCRenderTarget(&properties, target.GetAddressOf()))) {
    const RECT area{0, 0, width, height};
    if (SUCCEEDED(target->BindDC(dc, &area))) {
      icons_.Register(target.Get());
      target->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);
      target->BeginDraw();
      target->Clear(D2D1::ColorF(0, 0, 0, 0));
      D2DCanvas canvas(target.Get(), *formats_, icons_);
      item.thumbnail(canvas, kLayoutThumbnailWidth, kLayoutThumbnailHeight, darkMenu_);
      drawn = SUCCEEDED(target->EndDraw());
      icons_.Drop(target.Get());
    }
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  if (!drawn) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

void Win32PopupMenus::Measure(MEASUREITEMSTRUCT& measure, const LayoutItemData& item) {
  const LayoutItemMetrics metrics = LayoutMenuItemMetrics(scale_);
  HDC dc = GetDC(nullptr);
  const int titleWidth = TextWidth(dc, titleFont_, item.title);
  const int subtitleWidth = TextWidth(dc, subtitleFont_, item.subtitle);
  ReleaseDC(nullptr, dc);
  const int width =
      LayoutMenuItemWidth(metrics, titleWidth, subtitleWidth, MetricForDpi(SM_CXMENUCHECK, dpi_));
  measure.itemWidth = static_cast<UINT>(width > 0 ? width : 0);
  measure.itemHeight = static_cast<UINT>(metrics.height);
}

void Win32PopupMenus::Draw(const DRAWITEMSTRUCT& draw, const LayoutItemData& item) {
  const LayoutItemMetrics metrics = LayoutMenuItemMetrics(scale_);
  HDC dc = draw.hDC;
  const RECT rect = draw.rcItem;
  const bool greyed = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  const bool selected = (draw.itemState & ODS_SELECTED) != 0 && !greyed;
  const bool checked = (draw.itemState & ODS_CHECKED) != 0;

  const ItemColours colours = PaintBackground(dc, theme_, rect, selected, greyed);
  const int middle = (rect.top + rect.bottom) / 2;
  if (checked) {
    const int centreX = rect.left + metrics.checkCentreX;
    if (!DrawThemedCheckMark(dc, theme_, centreX, middle)) {
      DrawClassicCheckMark(dc, centreX, middle, MetricForDpi(SM_CXMENUCHECK, dpi_),
                           colours.title);
    }
  }
  if (item.thumbnail != nullptr) DrawThumbnail(dc, item, metrics, rect, greyed);

  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = GetTextColor(dc);
  const LONG textLeft = rect.left + metrics.textLeft;
  const LONG textRight = rect.right - metrics.textRightInset;
  DrawTextIn(dc, titleFont_, colours.title, item.title,
             RECT{textLeft, rect.top, textRight, middle + metrics.titleBottomBelowMiddle},
             DT_BOTTOM);
  DrawTextIn(dc, subtitleFont_, colours.subtitle, item.subtitle,
             RECT{textLeft, middle + metrics.subtitleTopBelowMiddle, textRight, rect.bottom},
             DT_TOP);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace tessary
