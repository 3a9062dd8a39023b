#include "surfaces/toast_text.h"

#include <array>
#include <vector>

#include "base/utf.h"
#include "layout/layout_names.h"

namespace tessary {
namespace {

struct Decoded {
  char32_t value;
  std::size_t offset;
  std::size_t length;
};

std::vector<Decoded> Decode(std::string_view text) {
  std::vector<Decoded> points;
  for (std::size_t offset = 0; offset < text.size();) {
    const CodePoint cp = DecodeCodePoint(text, offset);
    points.push_back({cp.value, offset, cp.length});
    offset += cp.length;
  }
  return points;
}

bool IsSpace(char32_t c) { return IsLayoutNameWhitespace(c); }

std::string_view Trim(std::string_view text) {
  const std::vector<Decoded> points = Decode(text);
  std::size_t first = 0;
  while (first < points.size() && IsSpace(points[first].value)) ++first;
  std::size_t last = points.size();
  while (last > first && IsSpace(points[last - 1].value)) --last;
  if (first == last) return {};
  const std::size_t begin = points[first].offset;
  const std::size_t end = points[last - 1].offset + points[last - 1].length;
  return text.substr(begin, end - begin);
}

constexpr std::array<std::string_view, 14> kProblemWords = {
    "could not",   "couldn\u2019t", "couldn't",   "did not",         "didn't",
    "didn\u2019t", "can't",         "can\u2019t", "isn't installed", "isn\u2019t installed",
    "not fit",     "won't",         "won\u2019t", "failed"};
// The trailing blanks belong to the words: "saved " is a success, a sentence ending in
// "saved." is not.
constexpr std::array<std::string_view, 5> kSuccessWords = {"arranged ", "deleted ", "are enabled",
                                                           "saved ", "forgot "};

}  // namespace

ToastText SplitToastText(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  const std::vector<Decoded> points = Decode(trimmed);
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const char32_t c = points[i].value;
    if ((c == '.' || c == '!' || c == '?') && IsSpace(points[i + 1].value)) {
      const std::size_t titleEnd = points[i].offset + points[i].length;
      const std::string_view body = Trim(trimmed.substr(titleEnd));
      if (body.empty()) break;
      return {std::string(trimmed.substr(0, titleEnd)), std::string(body)};
    }
  }
  return {std::string(trimmed), std::string()};
}

ToastTone ChooseToastTone(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  for (std::string_view word : kProblemWords) {
    if (lower.find(word) != std::string::npos) return ToastTone::kProblem;
  }
  for (std::string_view word : kSuccessWords) {
    if (lower.find(word) != std::string::npos) return ToastTone::kSuccess;
  }
  return ToastTone::kNeutral;
}

}  // namespace tessary
