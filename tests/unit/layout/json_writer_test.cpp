#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "layout/json_value.h"

namespace tessary {
namespace {

std::string Sorted(const JsonValue& v) { return WriteJsonSorted(v, false); }
std::string Compact(const JsonValue& v) { return WriteJsonCompact(v); }

TEST(JsonWriters, Numbers) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    const char* sorted;
    const char* compact;
  } cases[] = {
      {3.0, "3", "3"},
      {-42.0, "-42", "-42"},
      {-0.0, "0", "0"},
      {0.5, "0.5", "0.5"},
      {0.67, "0.67000000000000004", "0.67"},
      {1.0 / 3.0, "0.33333333333333331", "0.3333333333333333"},
      {0.1 + 0.2, "0.30000000000000004", "0.30000000000000004"},
      {999999999999999.0, "999999999999999", "999999999999999"},
      {1e15, "1000000000000000", "1000000000000000"},
      {1e17, "1e+17", "100000000000000000"},
      {1e20, "1e+20", "1e+20"},
      {-9223372036854775808.0, "-9.2233720368547758e+18", "-9223372036854775808"},
      {9223372036854775808.0, "9.2233720368547758e+18", "9.223372036854776e+18"},
      {1e-7, "9.9999999999999995e-08", "1e-07"},
      {1.5e-5, "1.5e-05", "1.5e-05"},
      {5e-324, "4.9406564584124654e-324", "4.94065645841247e-324"},
      {std::numeric_limits<double>::max(), "1.7976931348623157e+308", "1.7976931348623157e+308"},
      // Non-finite numbers use the forms the reader reads back.
      {inf, "inf", "inf"},
      {-inf, "-inf", "-inf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Sorted(c.value), c.sorted) << c.sorted;
    EXPECT_EQ(Compact(c.value), c.compact) << c.compact;
    JsonValue back;
    ASSERT_TRUE(ParseJson(c.compact, back));
    EXPECT_EQ(back.AsNumber(), c.value) << c.compact;
  }
  EXPECT_EQ(Compact(std::numeric_limits<double>::quiet_NaN()), "nan");
}

// The layout writer sorts byte-wise, keeping duplicate keys in their order; the general
// writer keeps the members' order.
TEST(JsonWriters, MemberOrder) {
  JsonValue bytes = JsonValue::MakeObject();
  for (const char* key : {"\xC3\xA9", "b", "k", "B", "", "k"}) bytes.AddMember(key, key[0] == 'k');
  EXPECT_EQ(Sorted(bytes),
            "{\"\":false,\"B\":false,\"b\":false,\"k\":true,\"k\":true,\"\xC3\xA9\":false}");
  EXPECT_EQ(Compact(bytes),
            "{\"\xC3\xA9\":false,\"b\":false,\"k\":true,\"B\":false,\"\":false,\"k\":true}");
}

// The slash and bytes above 0x7F (valid UTF-8 or not) are the hand-written layouts file's
// (LayoutsFileTest); here, the control characters.
TEST(JsonWriters, StringEscapes) {
  const JsonValue controls(std::string("\b\t\n\f\r\"\\\x01\x1f\x7f", 10));
  EXPECT_EQ(Sorted(controls), R"("\b\t\n\f\r\"\\\u0001\u001f)"
                              "\x7f\"");
  EXPECT_EQ(Compact(controls), R"("\u0008\t\n\u000c\r\"\\\u0001\u001f)"
                               "\x7f\"");
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
  EXPECT_EQ(WriteJsonCompact(back), R"({"stackB\u0001":"xy","windowStacksEnabled":true})");
}

}  // namespace
}  // namespace tessary
