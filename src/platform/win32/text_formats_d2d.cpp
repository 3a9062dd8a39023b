#include "platform/win32/text_formats_d2d.h"

#include <algorithm>
#include <cmath>

#include "base/log.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

// Windows 11's UI family first; Windows 10 has only the older one.
constexpr const wchar_t* kPreferredFamilies[] = {L"Segoe UI Variable Text", L"Segoe UI"};

bool HasFamily(IDWriteFontCollection* fonts, const wchar_t* family) {
  UINT32 index = 0;
  BOOL exists = FALSE;
  return SUCCEEDED(fonts->FindFamilyName(family, &index, &exists)) && exists;
}

// A family the system really has: a layout naming an absent family is not guaranteed to
// fall back to another (some DirectWrite implementations then fail to lay out at all), and
// text that silently disappears is worse than text in the wrong face.
std::wstring ChooseFamily(IDWriteFactory* factory) {
  Microsoft::WRL::ComPtr<IDWriteFontCollection> fonts;
  if (!factory || FAILED(factory->GetSystemFontCollection(fonts.GetAddressOf(), FALSE))) {
    return kPreferredFamilies[0];
  }
  for (const wchar_t* family : kPreferredFamilies) {
    if (HasFamily(fonts.Get(), family)) return family;
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) &&
      HasFamily(fonts.Get(), metrics.lfMessageFont.lfFaceName)) {
    return metrics.lfMessageFont.lfFaceName;
  }
  Microsoft::WRL::ComPtr<IDWriteFontFamily> first;
  Microsoft::WRL::ComPtr<IDWriteLocalizedStrings> names;
  UINT32 length = 0;
  if (fonts->GetFontFamilyCount() > 0 && SUCCEEDED(fonts->GetFontFamily(0, first.GetAddressOf())) &&
      SUCCEEDED(first->GetFamilyNames(names.GetAddressOf())) &&
      SUCCEEDED(names->GetStringLength(0, &length))) {
    std::wstring name(length + 1, L'\0');
    if (SUCCEEDED(names->GetString(0, name.data(), length + 1))) {
      name.resize(length);
      return name;
    }
  }
  return kPreferredFamilies[0];
}

bool UsableSize(double size) { return std::isfinite(size) && size > 0 && size < 10000; }

DWRITE_TEXT_ALIGNMENT ToTextAlignment(TextAlign align) {
  switch (align) {
    case TextAlign::kCenter:
      return DWRITE_TEXT_ALIGNMENT_CENTER;
    case TextAlign::kTrailing:
      return DWRITE_TEXT_ALIGNMENT_TRAILING;
    case TextAlign::kLeading:
      break;
  }
  return DWRITE_TEXT_ALIGNMENT_LEADING;
}

}  // namespace

TextFormats::TextFormats(IDWriteFactory* factory)
    : factory_(factory), family_(ChooseFamily(factory)) {}

IDWriteTextFormat* TextFormats::Label(double size, bool bold, TextAlign align) {
  return Find(size, bold, align, false);
}

IDWriteTextFormat* TextFormats::Wrapping(double size, bool bold) {
  return Find(size, bold, TextAlign::kLeading, true);
}

IDWriteTextFormat* TextFormats::Find(double size, bool bold, TextAlign align, bool wraps) {
  if (!factory_ || !UsableSize(size)) return nullptr;
  const Key key{static_cast<int>(size * 10), bold, static_cast<int>(align), wraps};
  if (auto found = formats_.find(key); found != formats_.end()) return found->second.format.Get();

  Entry entry;
  if (FAILED(factory_->CreateTextFormat(
          family_.c_str(), nullptr, bold ? DWRITE_FONT_WEIGHT_SEMI_BOLD : DWRITE_FONT_WEIGHT_NORMAL,
          DWRITE_FONT_STYLE_NORMAL, DWRITE_FONT_STRETCH_NORMAL, static_cast<FLOAT>(size), L"",
          entry.format.GetAddressOf()))) {
    return nullptr;
  }
  entry.format->SetTextAlignment(ToTextAlignment(align));
  if (wraps) {
    entry.format->SetWordWrapping(DWRITE_WORD_WRAPPING_WRAP);
  } else {
    entry.format->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_CENTER);
    entry.format->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    const DWRITE_TRIMMING trimming{DWRITE_TRIMMING_GRANULARITY_CHARACTER, 0, 0};
    // Without the sign the text would still be cut, only without the "...".
    factory_->CreateEllipsisTrimmingSign(entry.format.Get(), entry.ellipsis.GetAddressOf());
    entry.format->SetTrimming(&trimming, entry.ellipsis.Get());
  }
  IDWriteTextFormat* format = entry.format.Get();
  formats_.emplace(key, std::move(entry));
  MarkPerformance("text-format");
  return format;
}

Microsoft::WRL::ComPtr<IDWriteTextLayout> TextFormats::WrappedLayout(std::string_view text,
                                                                     double size, bool bold,
                                                                     double maxWidth) {
  Microsoft::WRL::ComPtr<IDWriteTextLayout> layout;
  IDWriteTextFormat* format = Wrapping(size, bold);
  if (!format) return layout;
  // DirectWrite rejects negative boxes; a box of zero width breaks between characters.
  const double width = std::isfinite(maxWidth) ? std::clamp(maxWidth, 0.0, 100000.0) : 100000.0;
  const std::wstring wide = WideFromUtf8(text);
  factory_->CreateTextLayout(wide.c_str(), static_cast<UINT32>(wide.size()), format,
                             static_cast<FLOAT>(width), 10000.0f, layout.GetAddressOf());
  return layout;
}

TextSize TextFormats::MeasureText(std::string_view text, double size, bool bold, double maxWidth) {
  Microsoft::WRL::ComPtr<IDWriteTextLayout> layout = WrappedLayout(text, size, bold, maxWidth);
  DWRITE_TEXT_METRICS metrics{};
  if (!layout || FAILED(layout->GetMetrics(&metrics))) return {};
  return {std::ceil(metrics.widthIncludingTrailingWhitespace), std::ceil(metrics.height)};
}

}  // namespace tessary
