#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "base/utf.h"
#include "layout/layout_ids.h"
#include "layout/layout_names.h"

namespace tessary {
namespace {

std::string Utf8(char32_t c) {
  if (c < 0x10000) return ToUtf8(std::u16string(1, static_cast<char16_t>(c)));
  c -= 0x10000;
  return ToUtf8(std::u16string{static_cast<char16_t>(0xD800 + (c >> 10)),
                               static_cast<char16_t>(0xDC00 + (c & 0x3FF))});
}

using Ranges = std::vector<std::pair<char32_t, char32_t>>;

const Ranges kWhitespace = {{0x20, 0x20},     {0x09, 0x0D},     {0x85, 0x85},     {0xA0, 0xA0},
                            {0x1680, 0x1680}, {0x2000, 0x200A}, {0x2028, 0x2029}, {0x202F, 0x202F},
                            {0x205F, 0x205F}, {0x3000, 0x3000}};
const Ranges kForbidden = {{0x00, 0x1F},     {0x7F, 0x9F},     {0xAD, 0xAD},      {0x600, 0x605},
                           {0x61C, 0x61C},   {0x6DD, 0x6DD},   {0x70F, 0x70F},    {0x180E, 0x180E},
                           {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x2064},  {0x2066, 0x206F},
                           {0xFEFF, 0xFEFF}, {0xFFF9, 0xFFFB}, {0xE0001, 0xE007F}};

bool In(const Ranges& ranges, char32_t c) {
  return std::any_of(ranges.begin(), ranges.end(),
                     [c](const auto& range) { return c >= range.first && c <= range.second; });
}

// Every code point of both tables and every neighbour of their ranges.
TEST(LayoutNames, WhitespaceAndForbiddenTables) {
  std::vector<char32_t> points;
  for (const Ranges* table : {&kWhitespace, &kForbidden}) {
    for (const auto& [low, high] : *table) {
      for (char32_t c = low; c <= high; ++c) points.push_back(c);
      if (low > 0) points.push_back(low - 1);
      points.push_back(high + 1);
    }
  }
  for (const char32_t c : points) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(c));
    const bool space = In(kWhitespace, c);
    const bool forbidden = In(kForbidden, c);
    EXPECT_EQ(IsLayoutNameWhitespace(c), space);
    EXPECT_EQ(IsForbiddenInLayoutName(c), forbidden);
    const std::string inside = "a" + Utf8(c) + "b";
    EXPECT_EQ(NormalizeLayoutName(inside).has_value(), !forbidden);
    if (space) {
      EXPECT_EQ(NormalizeLayoutName(Utf8(c) + "Work" + Utf8(c)), "Work");
    }
  }
}

TEST(LayoutNames, LengthIsOneToSixtyCodePointsAfterTrimming) {
  EXPECT_EQ(NormalizeLayoutName(" Two words\xC2\xA0here "), "Two words\xC2\xA0here");
  for (const char* blank : {"", "  ", "\xE2\x80\x83\xE3\x80\x80"}) {
    EXPECT_FALSE(NormalizeLayoutName(blank)) << blank;
  }
  EXPECT_TRUE(NormalizeLayoutName("   " + std::string(60, 'x') + "   "));
  // 20 two-byte, 20 three-byte and 20 four-byte code points: 60 code points, 180 bytes.
  std::string name;
  for (int i = 0; i < 20; ++i) name += "\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80";
  EXPECT_EQ(NormalizeLayoutName(name), name);
  EXPECT_FALSE(NormalizeLayoutName(name + "\xC3\xA9"));
}

// Names read with the lenient decoder: what a new name may hold, and what a stored one.
TEST(LayoutNames, MalformedSequences) {
  const struct {
    std::string name;
    std::optional<std::string> normalized;
    bool stored;
  } cases[] = {
      {"\x85Work", "Work", true},             // a lone 0x85 is U+0085, whitespace
      {"Work\x9F", std::nullopt, false},      // a lone 0x9F is U+009F, forbidden
      {"Work\xC3", "Work\xC3", true},         // cut short: one byte standing for itself
      {"Work\xE2\x82", std::nullopt, false},  // ... and the trailing 0x82 is U+0082
      {"A\xC3\x41Z", "A\xC3\x41Z", true},     // an unchecked but printable byte
      // A control byte swallowed by a lead byte: refused for new names, kept when stored.
      {"A\xC3\x01Z", std::nullopt, true},
      {"A\xC3\x7F", std::nullopt, true},
      {"A\xF4\x09\x41\x41Z", std::nullopt, true},
      {std::string("A\xF4\x7F\x00\xF4Z", 6), std::nullopt, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.name));
    EXPECT_EQ(NormalizeLayoutName(c.name), c.normalized);
    EXPECT_EQ(IsAcceptableStoredLayoutName(c.name), c.stored);
  }
}

TEST(LayoutIds, UpperCaseHexGuidsRandomUnlessASourceIsGiven) {
  Guid guid{0x0123abcd, 0x4567, 0x89ab, {0xcd, 0xef, 0x00, 0x01, 0x02, 0x03, 0x0a, 0xff}};
  EXPECT_EQ(UserLayoutIdFromGuid(guid), "user-0123ABCD-4567-89AB-CDEF-000102030AFF");
  std::uint32_t counter = 0;
  const GuidSource source = [&counter] { return Guid{++counter}; };
  EXPECT_EQ(NewUserLayoutId(source), "user-00000001-0000-0000-0000-000000000000");
  EXPECT_EQ(NewUserLayoutId(source), "user-00000002-0000-0000-0000-000000000000");
  // Without a source: random (version 4) and distinct.
  const std::regex form("user-[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
  const std::string a = NewUserLayoutId();
  const std::string b = NewUserLayoutId();
  EXPECT_TRUE(std::regex_match(a, form)) << a;
  EXPECT_NE(a, b);
  EXPECT_FALSE(IsUserLayoutId("User-1"));
}

}  // namespace
}  // namespace tessary
