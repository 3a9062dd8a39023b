#include "base/utf.h"

#include <gtest/gtest.h>

#include <string>

namespace tessary {
namespace {

constexpr char16_t kFffd = 0xFFFD;
const std::string kFffdUtf8 = "\xEF\xBF\xBD";

TEST(Utf, ValidTextRoundTrips) {
  const std::u16string wide = u"A\u00e9\u20ac\U0001F600 z";
  const std::string narrow = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 z";
  EXPECT_EQ(ToUtf8(wide), narrow);
  EXPECT_EQ(FromUtf8(narrow), wide);
  EXPECT_EQ(ToUtf8(u""), "");
  EXPECT_EQ(FromUtf8(""), u"");
  // Embedded NULs are ordinary characters in counted text.
  EXPECT_EQ(ToUtf8(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(FromUtf8(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  // Boundaries of each sequence length.
  const std::u16string edges = u"\u007f\u0080\u07ff\u0800\ud7ff\ue000\uffff\U00010000\U0010FFFF";
  EXPECT_EQ(FromUtf8(ToUtf8(edges)), edges);
  EXPECT_EQ(ToUtf8(u"\U0010FFFF"), "\xF4\x8F\xBF\xBF");
}

TEST(Utf, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(ToUtf8(std::u16string{0xD83D, u'x'}), kFffdUtf8 + "x");
  EXPECT_EQ(ToUtf8(std::u16string{0xDE00, 0xD83D}), kFffdUtf8 + kFffdUtf8);
  EXPECT_EQ(ToUtf8(std::u16string{0xD83D, 0xD83D, 0xDE00}), kFffdUtf8 + "\xF0\x9F\x98\x80");
}

TEST(Utf, InvalidUtf8IsReplacedByMaximalSubparts) {
  const char16_t r = kFffd;
  // clang-format off
  const std::pair<std::string, std::u16string> cases[] = {
      {"\x80", {r}}, {"\xBF" "a", {r, u'a'}},
      {"\xC0\x80", {r, r}},  // overlong NUL: C0 never starts a sequence
      {"\xC1\xBF", {r, r}}, {"\xE0\x80\x80", {r, r, r}},  // overlong three-byte form
      {"\xE0\xA0", {r}},  // truncated: one maximal subpart
      {"\xE2\x82", {r}}, {"\xE2\x82" "a", {r, u'a'}},
      {"\xED\xA0\x80", {r, r, r}},  // encoded surrogate
      {"\xED\x9F\xBF", {0xD7FF}}, {"\xF0\x80\x80\x80", {r, r, r, r}}, {"\xF0\x9F\x98", {r}},
      {"\xF0\x9F\x98" "\xF0\x9F\x98\x80", {r, 0xD83D, 0xDE00}},
      {"\xF4\x90\x80\x80", {r, r, r, r}},  // above U+10FFFF
      {"\xF5\x80", {r, r}}, {"\xFF\xFE", {r, r}}, {"a\xC3", {u'a', r}},
      {"\xC3\xA9\xC3", {0xE9, r}}};
  // clang-format on
  for (const auto& [in, out] : cases) EXPECT_EQ(FromUtf8(in), out) << testing::PrintToString(in);
}

TEST(Utf, DecodeCodePointTrustsTheLeadByte) {
  // clang-format off
  const struct {
    std::string text;
    char32_t value;
    std::size_t length;
  } cases[] = {
      {"A", U'A', 1}, {"\xC3\xA9", 0xE9, 2}, {"\xE6\x97\xA5", 0x65E5, 3},
      {"\xF0\x9F\x98\x80", 0x1F600, 4},
      {"\xF8\x80\x80\x80", 0xF8, 1},  // 0xF8 and above are single bytes
  };
  // clang-format on
  for (const auto& c : cases) {
    const CodePoint decoded = DecodeCodePoint(c.text, 0);
    EXPECT_EQ(std::make_pair(decoded.value, decoded.length), std::make_pair(c.value, c.length))
        << testing::PrintToString(c.text);
  }
}

}  // namespace
}  // namespace tessary
