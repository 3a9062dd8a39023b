#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "layout/layout_ids.h"
#include "layout/layout_names.h"

namespace tessary {
namespace {

TEST(LayoutNames, SurroundingWhitespaceIsIgnoredButCounted) {
  EXPECT_EQ(NormalizeLayoutName("  Work  "), "Work");
  EXPECT_EQ(NormalizeLayoutName("\t\n Work\r"), "Work");
  // U+3000 ideographic space, U+00A0 no-break space, U+2028 line separator.
  EXPECT_EQ(NormalizeLayoutName("\xE3\x80\x80Work\xC2\xA0\xE2\x80\xA8"), "Work");
  // Inner whitespace stays, and a no-break space inside is fine.
  EXPECT_EQ(NormalizeLayoutName(" Two words\xC2\xA0here "), "Two words\xC2\xA0here");
}

TEST(LayoutNames, EmptyOrBlankNamesFail) {
  EXPECT_FALSE(NormalizeLayoutName(""));
  EXPECT_FALSE(NormalizeLayoutName("    "));
  EXPECT_FALSE(NormalizeLayoutName("\xE2\x80\x83\xE3\x80\x80"));  // em space, ideographic space
}

TEST(LayoutNames, SixtyCodePointsPassSixtyOneFail) {
  EXPECT_TRUE(NormalizeLayoutName(std::string(60, 'x')));
  EXPECT_FALSE(NormalizeLayoutName(std::string(61, 'x')));
  // Spaces around a 60-letter name do not count.
  EXPECT_TRUE(NormalizeLayoutName("   " + std::string(60, 'x') + "   "));
}

TEST(LayoutNames, CountsCodePointsNotBytes) {
  // 20 two-byte, 20 three-byte and 20 four-byte code points: 60 code points, 180 bytes.
  std::string name;
  for (int i = 0; i < 20; ++i) name += "\xC3\xA9";          // é
  for (int i = 0; i < 20; ++i) name += "\xE6\x97\xA5";      // 日
  for (int i = 0; i < 20; ++i) name += "\xF0\x9F\x98\x80";  // U+1F600
  ASSERT_EQ(name.size(), 180u);
  EXPECT_EQ(NormalizeLayoutName(name), name);
  EXPECT_FALSE(NormalizeLayoutName(name + "\xC3\xA9"));
}

TEST(LayoutNames, ForbiddenCodePointsAnywhereInside) {
  EXPECT_FALSE(NormalizeLayoutName("a\tb"));  // a control character inside
  EXPECT_FALSE(NormalizeLayoutName(std::string("a\0b", 3)));
  EXPECT_FALSE(NormalizeLayoutName("a\x7F"));
  EXPECT_FALSE(NormalizeLayoutName("a\xC2\x9F"));      // U+009F
  EXPECT_FALSE(NormalizeLayoutName("a\xC2\xAD"));      // soft hyphen
  EXPECT_FALSE(NormalizeLayoutName("a\xD8\x80"));      // U+0600
  EXPECT_FALSE(NormalizeLayoutName("a\xE2\x80\x8B"));  // zero-width space
  EXPECT_FALSE(NormalizeLayoutName("a\xE2\x80\xAE"));  // right-to-left override
  EXPECT_FALSE(NormalizeLayoutName("a\xE2\x81\xA6"));  // U+2066
  EXPECT_FALSE(
      NormalizeLayoutName("\xEF\xBB\xBF"
                          "a"));                           // byte order mark
  EXPECT_FALSE(NormalizeLayoutName("a\xEF\xBF\xBA"));      // U+FFFA
  EXPECT_FALSE(NormalizeLayoutName("a\xF3\xA0\x80\x81"));  // U+E0001 language tag
  EXPECT_FALSE(NormalizeLayoutName("a\xF3\xA0\x81\xBF"));  // U+E007F
  // Neighbours of the forbidden ranges are fine.
  EXPECT_TRUE(
      NormalizeLayoutName("a\xE2\x80\x8A"
                          "b"));                          // U+200A hair space, inside
  EXPECT_TRUE(NormalizeLayoutName("a\xD8\x86"));          // U+0606
  EXPECT_TRUE(NormalizeLayoutName("a\xF3\xA0\x82\x80"));  // U+E0080
}

TEST(LayoutNames, LenientDecoderTakesLengthFromTheLeadByteOnly) {
  // A lone continuation byte stands for itself: 0x85 is U+0085, which is whitespace.
  EXPECT_EQ(NormalizeLayoutName("\x85Work"), "Work");
  // ... and 0x9F is U+009F, which is forbidden.
  EXPECT_FALSE(NormalizeLayoutName("Work\x9F"));
  // Continuation bytes are not checked: C3 41 is one code point (U+00C1).
  EXPECT_EQ(DecodeCodePoint("\xC3"
                            "A",
                            0)
                .length,
            2u);
  EXPECT_EQ(DecodeCodePoint("\xC3"
                            "A",
                            0)
                .value,
            U'\u00C1');
  // A sequence running past the end is a single byte standing for itself.
  EXPECT_EQ(DecodeCodePoint("\xE2\x82", 0).length, 1u);
  EXPECT_EQ(DecodeCodePoint("\xE2\x82", 0).value, char32_t{0xE2});
  EXPECT_EQ(NormalizeLayoutName("Work\xC3"), "Work\xC3");
  EXPECT_FALSE(NormalizeLayoutName("Work\xE2\x82"));  // ...the trailing 0x82 is U+0082
  // A control byte swallowed by a lead byte still fails the name.
  EXPECT_FALSE(NormalizeLayoutName(std::string("A\xF4\x7F\x00\xF4Z", 6)));
  EXPECT_FALSE(NormalizeLayoutName("A\xF4\x09\x41\x41Z"));
  EXPECT_FALSE(NormalizeLayoutName("A\xC3\x7F"));
  EXPECT_TRUE(NormalizeLayoutName("A\xC3\x41Z"));  // an unchecked but printable byte is kept
  // 0xF8 and above are single bytes.
  EXPECT_EQ(DecodeCodePoint("\xF8\x80\x80\x80", 0).length, 1u);
}

TEST(LayoutNames, TakeCodePointsCutsWholeCharacters) {
  EXPECT_EQ(TakeCodePoints("\xC3\xA9\xE6\x97\xA5z", 2), "\xC3\xA9\xE6\x97\xA5");
  EXPECT_EQ(TakeCodePoints("abc", 10), "abc");
  EXPECT_EQ(TakeCodePoints("abc", 0), "");
}

TEST(LayoutNames, UserFacingTexts) {
  EXPECT_EQ(kLayoutNameRule,
            "Layout names must be 1\xE2\x80\x93"
            "60 characters without control characters.");
  EXPECT_EQ(kLayoutNameHint, "Give the layout a name of up to 60 characters.");
}

TEST(LayoutIds, GuidFormIsUpperCaseHex) {
  Guid guid;
  guid.data1 = 0x0123abcd;
  guid.data2 = 0x4567;
  guid.data3 = 0x89ab;
  guid.data4 = {0xcd, 0xef, 0x00, 0x01, 0x02, 0x03, 0x0a, 0xff};
  EXPECT_EQ(UserLayoutIdFromGuid(guid), "user-0123ABCD-4567-89AB-CDEF-000102030AFF");
  EXPECT_EQ(UserLayoutIdFromGuid(Guid{}), "user-00000000-0000-0000-0000-000000000000");
}

TEST(LayoutIds, InjectedSourceMakesIdsRepeatable) {
  std::uint32_t counter = 0;
  GuidSource source = [&counter] {
    Guid guid;
    guid.data1 = ++counter;
    return guid;
  };
  EXPECT_EQ(NewUserLayoutId(source), "user-00000001-0000-0000-0000-000000000000");
  EXPECT_EQ(NewUserLayoutId(source), "user-00000002-0000-0000-0000-000000000000");
}

TEST(LayoutIds, RandomIdsAreWellFormedAndDistinct) {
  const std::regex form("user-[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
  const std::string a = NewUserLayoutId();
  const std::string b = NewUserLayoutId();
  EXPECT_TRUE(std::regex_match(a, form)) << a;
  EXPECT_TRUE(std::regex_match(b, form)) << b;
  EXPECT_NE(a, b);
  EXPECT_TRUE(IsUserLayoutId(a));
  EXPECT_FALSE(IsUserLayoutId("User-1"));
  EXPECT_FALSE(IsUserLayoutId("halves"));
}

}  // namespace
}  // namespace tessary
