#include "base/version_compare.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace tessary {
namespace {

// Each piece's leading digits ("5rc1" is 5, "" and "x" are 0), at least three pieces.
std::vector<std::int64_t> VersionNumbers(std::string_view text) {
  std::vector<std::int64_t> numbers;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = text.find('.', start);
    const std::string_view piece = text.substr(start, dot == std::string_view::npos ? dot : dot - start);
    std::int64_t value = 0;
    for (char c : piece) {
      if (c < '0' || c > '9') break;
      value = std::min<std::int64_t>(value * 10 + (c - '0'), std::numeric_limits<std::int32_t>::max());
    }
    numbers.push_back(value);
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  if (numbers.size() < 3) numbers.resize(3, 0);
  return numbers;
}

}  // namespace

int CompareVersions(std::string_view a, std::string_view b) {
  const std::vector<std::int64_t> left = VersionNumbers(a);
  const std::vector<std::int64_t> right = VersionNumbers(b);
  if (std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end())) return -1;
  if (std::lexicographical_compare(right.begin(), right.end(), left.begin(), left.end())) return 1;
  return 0;
}

}  // namespace tessary
