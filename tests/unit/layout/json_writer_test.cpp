#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "layout/json_value.h"
#include "unit/layout/json_test_print.h"

namespace tessary {
namespace {

std::string Sorted(const JsonValue& v) { return WriteJsonSorted(v, false); }
std::string Compact(const JsonValue& v) { return WriteJsonCompact(v); }

TEST(JsonLayoutWriter, Numbers) {
  EXPECT_EQ(Sorted(3.0), "3");
  EXPECT_EQ(Sorted(-42.0), "-42");
  EXPECT_EQ(Sorted(-0.0), "0");
  EXPECT_EQ(Sorted(0.5), "0.5");
  EXPECT_EQ(Sorted(0.67), "0.67000000000000004");
  EXPECT_EQ(Sorted(1.0 / 3.0), "0.33333333333333331");
  EXPECT_EQ(Sorted(999999999999999.0), "999999999999999");
  EXPECT_EQ(Sorted(1e15), "1000000000000000");
  EXPECT_EQ(Sorted(1e17), "1e+17");
  EXPECT_EQ(Sorted(1e-7), "9.9999999999999995e-08");
  EXPECT_EQ(Sorted(5e-324), "4.9406564584124654e-324");
}

TEST(JsonGeneralWriter, Numbers) {
  EXPECT_EQ(Compact(3.0), "3");
  EXPECT_EQ(Compact(-0.0), "0");
  EXPECT_EQ(Compact(0.67), "0.67");
  EXPECT_EQ(Compact(1.0 / 3.0), "0.3333333333333333");
  EXPECT_EQ(Compact(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(Compact(1e17), "100000000000000000");
  EXPECT_EQ(Compact(-9223372036854775808.0), "-9223372036854775808");
  EXPECT_EQ(Compact(9223372036854775808.0), "9.223372036854776e+18");
  EXPECT_EQ(Compact(1e20), "1e+20");
  EXPECT_EQ(Compact(1.5e-5), "1.5e-05");
  EXPECT_EQ(Compact(std::numeric_limits<double>::max()), "1.7976931348623157e+308");
}

TEST(JsonWriters, NonFiniteNumbersUseTheFormsTheReaderReadsBack) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Sorted(inf), "inf");
  EXPECT_EQ(Compact(-inf), "-inf");
  EXPECT_EQ(Compact(std::numeric_limits<double>::quiet_NaN()), "nan");
  JsonValue back;
  ASSERT_TRUE(ParseJson(Compact(JsonValue(-inf)), back));
  EXPECT_EQ(back.AsNumber(), -inf);
  ASSERT_TRUE(ParseJson(Sorted(JsonValue(std::nan(""))), back));
  EXPECT_TRUE(std::isnan(back.AsNumber()));
}

TEST(JsonLayoutWriter, KeysAreSortedBytewise) {
  JsonValue tree = JsonValue::MakeObject();
  tree.AddMember("axis", "column");
  tree.AddMember("ratio", 0.5);
  tree.AddMember("first", JsonValue::MakeObject());
  tree.AddMember("second", JsonValue::MakeObject());
  EXPECT_EQ(Sorted(tree), R"({"axis":"column","first":{},"ratio":0.5,"second":{}})");

  JsonValue bytes = JsonValue::MakeObject();
  bytes.AddMember("\xC3\xA9", 1);
  bytes.AddMember("b", 2);
  bytes.AddMember("B", 3);
  bytes.AddMember("", 4);
  EXPECT_EQ(Sorted(bytes), "{\"\":4,\"B\":3,\"b\":2,\"\xC3\xA9\":1}");
  EXPECT_EQ(Compact(bytes), "{\"\xC3\xA9\":1,\"b\":2,\"B\":3,\"\":4}");
}

TEST(JsonLayoutWriter, DuplicateKeysKeepTheirOrder) {
  JsonValue v = JsonValue::MakeObject();
  v.AddMember("z", 0);
  v.AddMember("k", 1);
  v.AddMember("k", 2);
  const std::string text = Sorted(v);
  EXPECT_EQ(text, R"({"k":1,"k":2,"z":0})");
  JsonValue back;
  ASSERT_TRUE(ParseJson(text, back));
  EXPECT_EQ(*Find(back, "k"), JsonValue(1));
}

TEST(JsonLayoutWriter, PrettyPrinting) {
  JsonValue inner = JsonValue::MakeArray();
  inner.Append(1);
  inner.Append(JsonValue::MakeObject());
  inner.Append(JsonValue::MakeArray());
  JsonValue child = JsonValue::MakeObject();
  child.AddMember("y", true);
  JsonValue root = JsonValue::MakeObject();
  root.AddMember("list", inner);
  root.AddMember("child", child);
  root.AddMember("n", JsonValue());
  EXPECT_EQ(WriteJsonSorted(root, true),
            "{\n"
            "  \"child\" : {\n"
            "    \"y\" : true\n"
            "  },\n"
            "  \"list\" : [\n"
            "    1,\n"
            "    {},\n"
            "    []\n"
            "  ],\n"
            "  \"n\" : null\n"
            "}");
  EXPECT_EQ(WriteJsonSorted(root, false), R"({"child":{"y":true},"list":[1,{},[]],"n":null})");
  EXPECT_EQ(WriteJsonSorted(inner, true), "[\n  1,\n  {},\n  []\n]");
  EXPECT_EQ(WriteJsonSorted(JsonValue::MakeObject(), true), "{}");
  EXPECT_EQ(WriteJsonSorted(JsonValue("s"), true), "\"s\"");
}

TEST(JsonWriters, StringEscapes) {
  const JsonValue slash("a/b");
  EXPECT_EQ(Sorted(slash), R"("a\/b")");
  EXPECT_EQ(Compact(slash), R"("a/b")");
  for (const std::string& text : {Sorted(slash), Compact(slash)}) {
    JsonValue back;
    ASSERT_TRUE(ParseJson(text, back));
    EXPECT_EQ(back, slash);
  }
  const JsonValue controls(std::string("\b\t\n\f\r\"\\\x01\x1f\x7f", 10));
  EXPECT_EQ(Sorted(controls), R"("\b\t\n\f\r\"\\\u0001\u001f)"
                              "\x7f\"");
  EXPECT_EQ(Compact(controls), R"("\u0008\t\n\u000c\r\"\\\u0001\u001f)"
                               "\x7f\"");
  // Multi-byte and even invalid UTF-8 pass through unchanged.
  const JsonValue bytes("\xF0\x9F\x98\x80\xFF\xC3");
  EXPECT_EQ(Sorted(bytes), "\"\xF0\x9F\x98\x80\xFF\xC3\"");
  EXPECT_EQ(Compact(bytes), "\"\xF0\x9F\x98\x80\xFF\xC3\"");
}

TEST(JsonWriters, NulBytesAreWrittenAsEscapesThatReadBackAsNothing) {
  // Found by fuzzing: the only bytes a write and read do not keep. The layout writer
  // sorts by the keys as they were, NULs included.
  JsonValue v = JsonValue::MakeObject();
  v.AddMember("windowStacksEnabled", true);
  v.AddMember(std::string("\0\0stackB\0\x01", 10), std::string("x\0y", 3));
  EXPECT_EQ(WriteJsonCompact(v),
            R"({"windowStacksEnabled":true,"\u0000\u0000stackB\u0000\u0001":"x\u0000y"})");
  const std::string sorted = Sorted(v);
  EXPECT_EQ(sorted, R"({"\u0000\u0000stackB\u0000\u0001":"x\u0000y","windowStacksEnabled":true})");
  JsonValue back;
  ASSERT_TRUE(ParseJson(sorted, back));
  ASSERT_EQ(back.Members().size(), 2u);
  EXPECT_EQ(back.Members()[0].key, "stackB\x01");
  EXPECT_EQ(back.Members()[0].value, JsonValue("xy"));
}

TEST(JsonWriters, GeneralWriterKeepsInsertionOrderWithoutWhitespace) {
  JsonValue v = JsonValue::MakeObject();
  v.AddMember("b", JsonValue::MakeArray());
  v.MutableMembers().back().value.Append(1);
  v.MutableMembers().back().value.Append("x");
  v.AddMember("a", false);
  v.AddMember("key \"q\"", JsonValue());
  EXPECT_EQ(Compact(v), R"({"b":[1,"x"],"a":false,"key \"q\"":null})");
  EXPECT_EQ(Compact(JsonValue::MakeArray()), "[]");
  EXPECT_EQ(Compact(JsonValue::MakeObject()), "{}");
}

TEST(JsonWriters, RoundTripThroughTheReader) {
  const char* text =
      R"({"name":"Grid \u00e9 \ud83d\ude00","ratios":[0.08,0.92,0.1,0.7,1e-300,-2.5e300],)"
      R"("flags":{"on":true,"off":false,"none":null},"big":123456789012345678,"s":"a/b\t"})";
  JsonValue original;
  ASSERT_TRUE(ParseJson(text, original));
  JsonValue compact;
  ASSERT_TRUE(ParseJson(WriteJsonCompact(original), compact));
  EXPECT_EQ(compact, original);
  for (const bool pretty : {false, true}) {
    JsonValue sorted;
    ASSERT_TRUE(ParseJson(WriteJsonSorted(original, pretty), sorted));
    EXPECT_EQ(WriteJsonSorted(sorted, pretty), WriteJsonSorted(original, pretty));
    for (const char* key : {"name", "ratios", "big", "s"}) {
      ASSERT_NE(Find(sorted, key), nullptr) << key;
      EXPECT_EQ(*Find(sorted, key), *Find(original, key)) << key;
    }
    EXPECT_EQ(WriteJsonCompact(*Find(sorted, "flags")), R"({"none":null,"off":false,"on":true})");
  }
}

}  // namespace
}  // namespace tessary
