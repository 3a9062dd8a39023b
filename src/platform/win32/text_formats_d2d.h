#pragma once

// DirectWrite text formats, made once per (size x 10, bold, alignment, wrapping) and kept
// for the life of the process: labels repaint on every pointer move of a drag, and a
// format is far costlier to make than to look up. Also the text measurer that views use
// before a surface exists.

#include <dwrite.h>
#include <wrl/client.h>

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/canvas.h"

namespace tessary {

class TextFormats : public TextMeasurer {
 public:
  explicit TextFormats(IDWriteFactory* factory);
  TextFormats(const TextFormats&) = delete;
  TextFormats& operator=(const TextFormats&) = delete;

  // A single-line format: centred vertically, no wrapping, cut at a character with an
  // ellipsis. Null when the size is unusable or DirectWrite refuses.
  IDWriteTextFormat* Label(double size, bool bold, TextAlign align);
  // A leading-aligned format that wraps at words; the format of MeasureText.
  IDWriteTextFormat* Wrapping(double size, bool bold);

  // A layout of `text` with the wrapping format, `maxWidth` wide and 10000 high.
  Microsoft::WRL::ComPtr<IDWriteTextLayout> WrappedLayout(std::string_view text, double size,
                                                          bool bold, double maxWidth);

  TextSize MeasureText(std::string_view text, double size, bool bold, double maxWidth) override;

  // The family every format uses (the first of the preferred ones the system has).
  const std::wstring& Family() const { return family_; }

 private:
  struct Entry {
    Microsoft::WRL::ComPtr<IDWriteTextFormat> format;
    Microsoft::WRL::ComPtr<IDWriteInlineObject> ellipsis;
  };
  // (trunc(size x 10), bold, alignment, wraps)
  using Key = std::tuple<int, bool, int, bool>;

  IDWriteTextFormat* Find(double size, bool bold, TextAlign align, bool wraps);

  Microsoft::WRL::ComPtr<IDWriteFactory> factory_;
  std::wstring family_;
  std::map<Key, Entry> formats_;
};

}  // namespace tessary
