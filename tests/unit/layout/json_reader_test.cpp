#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "layout/json_value.h"
#include "unit/layout/json_test_print.h"

namespace tessary {
namespace {

JsonValue Parsed(std::string_view text) {
  JsonValue value;
  EXPECT_TRUE(ParseJson(text, value)) << text;
  return value;
}

bool Fails(std::string_view text) {
  JsonValue value;
  return !ParseJson(text, value);
}

std::string ParsedString(std::string_view text) {
  const JsonValue value = Parsed(text);
  EXPECT_TRUE(value.IsString()) << text;
  return value.AsString();
}

TEST(JsonReader, ScalarsAndWhitespace) {
  EXPECT_EQ(Parsed(" \t\r\n true \n"), JsonValue(true));
  EXPECT_EQ(Parsed("false"), JsonValue(false));
  EXPECT_TRUE(Parsed("null").IsNull());
  EXPECT_EQ(Parsed("-12.5e1"), JsonValue(-125.0));
  EXPECT_EQ(Parsed("\"hi\""), JsonValue("hi"));
  // Only space, tab, CR and LF are whitespace to the reader itself.
  EXPECT_TRUE(Fails("\f{}"));
  EXPECT_TRUE(Fails(""));
  EXPECT_TRUE(Fails("   "));
  EXPECT_TRUE(Fails("x"));
  EXPECT_TRUE(Fails("tru"));
  EXPECT_TRUE(Fails("True"));
}

TEST(JsonReader, LiteralsCompareLettersOnlyAndTrailingTextIsIgnored) {
  EXPECT_TRUE(Parsed("nullx").IsNull());
  EXPECT_EQ(Parsed("truefalse"), JsonValue(true));
  EXPECT_EQ(Parsed("{} garbage ]]"), JsonValue::MakeObject());
  EXPECT_EQ(Parsed("1 2 3"), JsonValue(1.0));
  EXPECT_EQ(Parsed("[1]]"), Parsed("[1]"));
}

TEST(JsonReader, NumbersReadAsStrtodDoes) {
  EXPECT_EQ(Parsed("+5").AsNumber(), 5.0);
  EXPECT_EQ(Parsed("0x10").AsNumber(), 16.0);
  EXPECT_EQ(Parsed("0x1.8p1").AsNumber(), 3.0);
  EXPECT_EQ(Parsed(".5").AsNumber(), 0.5);
  EXPECT_EQ(Parsed("5.").AsNumber(), 5.0);
  EXPECT_EQ(Parsed("012").AsNumber(), 12.0);
  EXPECT_EQ(Parsed("1e999").AsNumber(), HUGE_VAL);
  EXPECT_EQ(Parsed("-Infinity").AsNumber(), -HUGE_VAL);
  EXPECT_TRUE(std::isnan(Parsed("NaN").AsNumber()));
  EXPECT_TRUE(std::isnan(Parsed("nan(123)").AsNumber()));
  EXPECT_EQ(Parsed("1e5x").AsNumber(), 1e5);
  // strtod skips its own whitespace, which includes vertical tab and form feed.
  EXPECT_EQ(Parsed("\v7").AsNumber(), 7.0);
  EXPECT_EQ(Parsed("[\f8]").Elements().at(0).AsNumber(), 8.0);
  EXPECT_TRUE(Fails("-"));
  EXPECT_TRUE(Fails("+-1"));
  EXPECT_TRUE(Fails("."));
  EXPECT_TRUE(Fails("e5"));
  EXPECT_TRUE(Fails("\v"));
}

TEST(JsonReader, Containers) {
  EXPECT_EQ(Parsed("{}"), JsonValue::MakeObject());
  EXPECT_EQ(Parsed("[ ]"), JsonValue::MakeArray());
  const JsonValue v = Parsed(R"({ "a" : [1, "x", {"b": null}] , "c":true })");
  ASSERT_TRUE(v.IsObject());
  ASSERT_EQ(v.Members().size(), 2u);
  EXPECT_EQ(v.Members()[0].key, "a");
  const JsonValue& a = *Find(v, "a");
  ASSERT_EQ(a.Elements().size(), 3u);
  EXPECT_EQ(a.Elements()[1], JsonValue("x"));
  EXPECT_TRUE(Find(a.Elements()[2], "b")->IsNull());
  EXPECT_EQ(*Find(v, "c"), JsonValue(true));
}

TEST(JsonReader, MalformedContainersFail) {
  EXPECT_TRUE(Fails("[1,]"));
  EXPECT_TRUE(Fails("[1 2]"));
  EXPECT_TRUE(Fails("[,1]"));
  EXPECT_TRUE(Fails("[1"));
  EXPECT_TRUE(Fails("["));
  EXPECT_TRUE(Fails("{\"a\":1,}"));
  EXPECT_TRUE(Fails("{\"a\" 1}"));
  EXPECT_TRUE(Fails("{a:1}"));
  EXPECT_TRUE(Fails("{\"a\":}"));
  EXPECT_TRUE(Fails("{\"a\":1"));
  EXPECT_TRUE(Fails("{\"a\":1 \"b\":2}"));
  EXPECT_TRUE(Fails("{"));
  EXPECT_TRUE(Fails("}"));
}

TEST(JsonReader, DuplicateKeysAreKeptAndFindGivesTheFirst) {
  const JsonValue v = Parsed(R"({"k":1,"k":2})");
  ASSERT_EQ(v.Members().size(), 2u);
  EXPECT_EQ(v.Members()[1].value, JsonValue(2.0));
  EXPECT_EQ(*Find(v, "k"), JsonValue(1.0));
}

TEST(JsonReader, StringEscapes) {
  EXPECT_EQ(ParsedString(R"("a\"b\\c\/d")"), "a\"b\\c/d");
  EXPECT_EQ(ParsedString(R"("\b\f\n\r\t")"), "\b\f\n\r\t");
  EXPECT_EQ(ParsedString(R"("\u0041\u00e9\u20AC")"), "A\xC3\xA9\xE2\x82\xAC");
  EXPECT_TRUE(Fails(R"("\x")"));
  EXPECT_TRUE(Fails(R"("\U0041")"));
  EXPECT_TRUE(Fails(R"("\u004")"));
  EXPECT_TRUE(Fails(R"("abc)"));
  EXPECT_TRUE(Fails(R"("abc\)"));
  EXPECT_TRUE(Fails(R"("abc\")"));
}

TEST(JsonReader, RawBytesAreCopiedUnchanged) {
  const std::string raw = std::string("\"a\x01\tb\n\xff\xc3(\0z\"", 12);
  EXPECT_EQ(ParsedString(raw), std::string("a\x01\tb\n\xff\xc3(\0z", 10));
}

TEST(JsonReader, SurrogateEscapes) {
  EXPECT_EQ(ParsedString(R"("\uD83D\uDE00")"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(ParsedString(R"("\ud83d")"), "\xEF\xBF\xBD");
  EXPECT_EQ(ParsedString(R"("\uD83Dx")"), "\xEF\xBF\xBDx");
  EXPECT_EQ(ParsedString(R"("\uDE00")"), "\xEF\xBF\xBD");
  // The partner is taken without checking that it is a low surrogate.
  EXPECT_EQ(ParsedString(R"("\uD83D\u0041")"),
            "\xEF\xBF\xBD"
            "A");
  EXPECT_EQ(ParsedString(R"("\uD83D\uD83D\uDE00")"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  // Fewer than six characters after the high surrogate: no partner.
  EXPECT_EQ(ParsedString(R"("\uD83D\n")"), "\xEF\xBF\xBD\n");
}

TEST(JsonReader, EscapedNulEndsTheConvertedUnits) {
  EXPECT_EQ(ParsedString(R"("a\u0000b")"), "ab");
  EXPECT_EQ(ParsedString(R"("\uD83D\u0000")"), "\xEF\xBF\xBD");
}

TEST(JsonReader, EscapeDigitsAreReadLikeStrtoulBase16) {
  EXPECT_EQ(ParsedString(R"("\u41zz")"), "A");             // stops at the first non-hex digit
  EXPECT_EQ(ParsedString(R"("\uzzzzA")"), "A");            // no digits: a NUL unit, nothing added
  EXPECT_EQ(ParsedString(R"("\u 041")"), "A");             // leading space skipped
  EXPECT_EQ(ParsedString(R"("\u+041")"), "A");             // sign accepted
  EXPECT_EQ(ParsedString(R"("\u0x41")"), "A");             // "0x" prefix accepted
  EXPECT_EQ(ParsedString(R"("\u-001")"), "\xEF\xBF\xBF");  // wraps to U+FFFF
}

TEST(JsonReader, FailureResetsAndNeverUsesStaleOutput) {
  JsonValue value("old");
  EXPECT_FALSE(ParseJson("", value));
  EXPECT_TRUE(value.IsNull());
  ASSERT_TRUE(ParseJson("[1]", value));
  EXPECT_EQ(value.Elements().size(), 1u);
}

std::string Nested(int depth, char open, char close) {
  return std::string(depth, open) + std::string(depth, close);
}

TEST(JsonReader, NestingLimit) {
  EXPECT_FALSE(Fails(Nested(kMaxJsonDepth, '[', ']')));
  EXPECT_TRUE(Fails(Nested(kMaxJsonDepth + 1, '[', ']')));
  std::string objects;
  for (int i = 0; i < kMaxJsonDepth; ++i) objects += "{\"a\":";
  objects += "1" + std::string(kMaxJsonDepth, '}');
  EXPECT_FALSE(Fails(objects));
  EXPECT_TRUE(Fails("{\"a\":" + objects + "}"));
  // Far deeper input fails cleanly instead of exhausting the stack.
  EXPECT_TRUE(Fails(std::string(1000000, '[')));
  EXPECT_TRUE(Fails(Nested(200000, '[', ']')));
}

TEST(JsonReader, DocumentsNestedAsDeepAsLayoutsRead) {
  std::string text;
  for (int i = 0; i < 40; ++i)
    text += R"({"axis":"column","ratio":0.5,"first":{"index":0},"second":)";
  text += R"({"index":1})" + std::string(40, '}');
  JsonValue value;
  ASSERT_TRUE(ParseJson(text, value));
  EXPECT_EQ(Find(*Find(value, "second"), "axis")->AsString(), "column");
}

}  // namespace
}  // namespace tessary
