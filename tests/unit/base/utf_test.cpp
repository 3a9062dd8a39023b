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
  EXPECT_EQ(ToUtf8(u"\xD83D"), kFffdUtf8);
  EXPECT_EQ(ToUtf8(u"\xDE00"), kFffdUtf8);
  EXPECT_EQ(ToUtf8(std::u16string{0xD83D, u'x'}), kFffdUtf8 + "x");
  EXPECT_EQ(ToUtf8(std::u16string{0xDE00, 0xD83D}), kFffdUtf8 + kFffdUtf8);
  EXPECT_EQ(ToUtf8(std::u16string{0xD83D, 0xD83D, 0xDE00}), kFffdUtf8 + "\xF0\x9F\x98\x80");
}

TEST(Utf, InvalidUtf8IsReplacedByMaximalSubparts) {
  struct Case {
    std::string in;
    std::u16string out;
  };
  const Case cases[] = {
      {"\x80", {kFffd}},
      {"\xBF"
       "a",
       {kFffd, u'a'}},
      {"\xC0\x80", {kFffd, kFffd}},  // overlong NUL: C0 never starts a sequence
      {"\xC1\xBF", {kFffd, kFffd}},
      {"\xE0\x80\x80", {kFffd, kFffd, kFffd}},  // overlong three-byte form
      {"\xE0\xA0", {kFffd}},                    // truncated: one maximal subpart
      {"\xE2\x82", {kFffd}},
      {"\xE2\x82"
       "a",
       {kFffd, u'a'}},
      {"\xED\xA0\x80", {kFffd, kFffd, kFffd}},  // encoded surrogate
      {"\xED\x9F\xBF", {0xD7FF}},
      {"\xF0\x80\x80\x80", {kFffd, kFffd, kFffd, kFffd}},
      {"\xF0\x9F\x98", {kFffd}},
      {"\xF0\x9F\x98"
       "\xF0\x9F\x98\x80",
       {kFffd, 0xD83D, 0xDE00}},
      {"\xF4\x90\x80\x80", {kFffd, kFffd, kFffd, kFffd}},  // above U+10FFFF
      {"\xF5\x80", {kFffd, kFffd}},
      {"\xFF\xFE", {kFffd, kFffd}},
      {"a\xC3", {u'a', kFffd}},
      {"\xC3\xA9\xC3", {0xE9, kFffd}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FromUtf8(c.in), c.out) << testing::PrintToString(c.in);
  }
}

TEST(Utf, AppendKeepsWhatIsThere) {
  std::string out = "x";
  AppendUtf8(u"\u00e9", out);
  EXPECT_EQ(out, "x\xC3\xA9");
}

// The lenient reading: the lead byte alone gives the length.
TEST(Utf, DecodeCodePointTrustsTheLeadByte) {
  const struct {
    std::string text;
    char32_t value;
    std::size_t length;
  } cases[] = {
      {"A", U'A', 1},
      {"\xC3\xA9", 0xE9, 2},
      {"\xE6\x97\xA5", 0x65E5, 3},
      {"\xF0\x9F\x98\x80", 0x1F600, 4},
      {"\xC3"
       "A",
       0xC1, 2},                      // continuation bytes are not checked
      {"\x85", 0x85, 1},              // a lone continuation byte stands for itself
      {"\xE2\x82", 0xE2, 1},          // a sequence running past the end is one byte
      {"\xF8\x80\x80\x80", 0xF8, 1},  // 0xF8 and above are single bytes
  };
  for (const auto& c : cases) {
    const CodePoint decoded = DecodeCodePoint(c.text, 0);
    EXPECT_EQ(decoded.value, c.value) << testing::PrintToString(c.text);
    EXPECT_EQ(decoded.length, c.length) << testing::PrintToString(c.text);
  }
}

TEST(Utf, CutToCharactersNeverSplitsOne) {
  const std::string text = "\xC3\xA9\xF0\x9F\x98\x80z";  // two, four and one byte
  EXPECT_EQ(CutToCharacters(text, 0), "");
  EXPECT_EQ(CutToCharacters(text, 1), "\xC3\xA9");
  EXPECT_EQ(CutToCharacters(text, 2), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(CutToCharacters(text, 4), text);
  EXPECT_EQ(CutToCharacters("ab\xE2\x82", 3), "ab\xE2");  // as DecodeCodePoint counts
}

}  // namespace
}  // namespace tessary
