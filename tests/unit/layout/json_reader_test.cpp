#include <gtest/gtest.h>

#include <string>

#include "layout/json_value.h"

namespace tessary {
namespace {

constexpr const char* kFails = "(fails)";

// What the reader makes of `text`, written back compactly; kFails when it fails.
std::string Read(std::string_view text) {
  JsonValue value;
  return ParseJson(text, value) ? WriteJsonCompact(value) : kFails;
}

// Only space, tab, CR and LF are whitespace to the reader itself; literals compare letters
// only; text after the first value is not examined; numbers are read as strtod reads
// them, with its own whitespace.
TEST(JsonReader, Values) {
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {" \t\r\n true \n", "true"}, {"\f{}", kFails}, {"", kFails}, {"   ", kFails}, {"x", kFails},
      {"tru", kFails}, {"True", kFails}, {"nullx", "null"}, {"truefalse", "true"},
      {"{} garbage ]]", "{}"}, {"1 2 3", "1"}, {"[1]]", "[1]"}, {"-12.5e1", "-125"},
      {"0x10", "16"}, {"1e5x", "100000"}, {"\v7", "7"}, {"[\f8]", "[8]"}, {"-", kFails},
      {"\v", kFails}, {"{}", "{}"}, {"[ ]", "[]"},
      {R"({ "a" : [1, "x", {"b": null}] , "c":true })", R"({"a":[1,"x",{"b":null}],"c":true})"},
      {R"({"k":1,"k":2})", R"({"k":1,"k":2})"}, {"[1,]", kFails}, {"[1 2]", kFails},
      {"[,1]", kFails}, {"[1", kFails}, {"[", kFails}, {R"({"a":1,})", kFails},
      {R"({"a" 1})", kFails}, {"{a:1}", kFails}, {R"({"a":})", kFails}, {R"({"a":1)", kFails},
      {R"({"a":1 "b":2})", kFails}, {"{", kFails}, {"}", kFails}};
  // clang-format on
  for (const auto& [text, expected] : cases) EXPECT_EQ(Read(text), expected) << text;
}

TEST(JsonReader, Strings) {
  const std::string r = "\xEF\xBF\xBD";  // U+FFFD
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {R"("a\"b\\c\/d")", "a\"b\\c/d"}, {R"("\b\f\n\r\t")", "\b\f\n\r\t"},
      {R"("\u0041\u00e9\u20AC")", "A\xC3\xA9\xE2\x82\xAC"},
      // Raw control bytes and invalid UTF-8 are copied unchanged.
      {std::string("\"a\x01\tb\n\xff\xc3(\0z\"", 12), std::string("a\x01\tb\n\xff\xc3(\0z", 10)},
      // Surrogate pairs; the partner is taken without checking that it is a low surrogate,
      // and fewer than six characters after the high surrogate mean no partner.
      {R"("\uD83D\uDE00")", "\xF0\x9F\x98\x80"}, {R"("\ud83d")", r}, {R"("\uD83Dx")", r + "x"},
      {R"("\uDE00")", r}, {R"("\uD83D\u0041")", r + "A"}, {R"("\uD83D\uD83D\uDE00")", r + r + r},
      {R"("\uD83D\n")", r + "\n"},
      // An escaped NUL ends the converted units: it adds nothing.
      {R"("a\u0000b")", "ab"}, {R"("\uD83D\u0000")", r},
      // The four characters are read as strtoul(..., 16) reads them.
      {R"("\u41zz")", "A"}, {R"("\uzzzzA")", "A"}, {R"("\u 041")", "A"}, {R"("\u+041")", "A"},
      {R"("\u0x41")", "A"}, {R"("\u-001")", "\xEF\xBF\xBF"}};
  // clang-format on
  for (const auto& [text, expected] : cases) {
    JsonValue value;
    ASSERT_TRUE(ParseJson(text, value)) << text;
    EXPECT_EQ(value, JsonValue(expected)) << text;
  }
  for (const char* bad :
       {R"("\x")", R"("\U0041")", R"("\u004")", R"("abc)", R"("abc\)", R"("abc\")"}) {
    EXPECT_EQ(Read(bad), kFails) << bad;
  }
}

TEST(JsonReader, FailureResetsAndNeverUsesStaleOutput) {
  JsonValue value("old");
  EXPECT_FALSE(ParseJson("", value));
  EXPECT_TRUE(value.IsNull());
}

std::string Nested(int depth, char open, char close) {
  return std::string(depth, open) + std::string(depth, close);
}

TEST(JsonReader, NestingLimit) {
  EXPECT_NE(Read(Nested(kMaxJsonDepth, '[', ']')), kFails);
  EXPECT_EQ(Read(Nested(kMaxJsonDepth + 1, '[', ']')), kFails);
  std::string objects;
  for (int i = 0; i < kMaxJsonDepth; ++i) objects += "{\"a\":";
  objects += "1" + std::string(kMaxJsonDepth, '}');
  EXPECT_NE(Read(objects), kFails);
  EXPECT_EQ(Read("{\"a\":" + objects + "}"), kFails);
  // Far deeper input fails cleanly instead of exhausting the stack.
  EXPECT_EQ(Read(std::string(1000000, '[')), kFails);
  EXPECT_EQ(Read(Nested(200000, '[', ']')), kFails);
}

}  // namespace
}  // namespace tessary
