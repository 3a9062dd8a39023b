#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace tessary {
namespace {

struct Read {
  std::size_t used;
  double value;
};

Read ReadOf(std::string_view text) {
  Read r{};
  r.used = ReadDouble(text, r.value);
  return r;
}

std::uint64_t Bits(double d) {
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

// How much of the text strtod takes and the value it gives, for the forms that matter:
// decimal, hexadecimal (without a digit after "0x" only the zero is a number), out of
// range (subnormal results are rounded, not flushed), infinity and not-a-number.
TEST(ReadDouble, ReadsAsStrtodDoes) {
  const double max = std::numeric_limits<double>::max();
  const double tiny = std::numeric_limits<double>::denorm_min();
  const std::string zeros(400, '0');
  // clang-format off
  const struct {
    std::string text;
    std::size_t used;
    double value;
  } cases[] = {
      {"0.5", 3, 0.5}, {"  \t\n\v\f\r-12.25e-1xyz", 16, -1.225}, {"+.5", 3, 0.5}, {"7.", 2, 7},
      {"1e", 1, 1}, {"1e+", 1, 1}, {"1E+2", 4, 100}, {"0.67", 4, 0.67},
      {"1.7976931348623157e308", 22, max}, {"1e309", 5, HUGE_VAL}, {"-1e309", 6, -HUGE_VAL},
      {"1.7976931348623159e308", 22, HUGE_VAL}, {"0.000001e999999999999", 21, HUGE_VAL},
      {"1" + zeros, 401, HUGE_VAL}, {"0." + zeros + "1", 403, 0}, {"0e99999", 7, 0},
      {"1e-310", 6, 1e-310}, {"3e-324", 6, tiny}, {"2e-324", 6, 0}, {"0x10", 4, 16},
      {"-0X1.8p1", 8, -3}, {"0x.8", 4, 0.5}, {"0x1p", 3, 1}, {"0x1P-1074", 9, tiny},
      {"0x1p-1075", 9, 0}, {"0x1p1024", 8, HUGE_VAL}, {"0x", 1, 0}, {"0xg", 1, 0}, {"0x.", 1, 0},
      {"0x.p1", 1, 0}, {"0x-1", 1, 0}, {"inf", 3, HUGE_VAL}, {"-INF", 4, -HUGE_VAL},
      {"Infinity", 8, HUGE_VAL}, {"infinit", 3, HUGE_VAL}};
  // clang-format on
  for (const auto& c : cases) {
    const Read r = ReadOf(c.text);
    EXPECT_EQ(r.used, c.used) << c.text;
    EXPECT_EQ(r.value, c.value) << c.text;
  }
  for (const char* none :
       {"", " ", "-", "+", "+-1", "--1", "-+1", ".", "e1", "- 1", "x", ".e1", "in"}) {
    const Read r = ReadOf(none);
    EXPECT_EQ(r.used, 0u) << none;
    EXPECT_EQ(r.value, 0.0) << none;
  }
  // Signed zeros, and not-a-number with its optional characters.
  EXPECT_EQ(Bits(ReadOf("-0").value), Bits(-0.0));
  EXPECT_EQ(Bits(ReadOf("1e-400").value), Bits(0.0));
  EXPECT_EQ(Bits(ReadOf("-1e-400").value), Bits(-0.0));
  EXPECT_EQ(Bits(ReadOf("100000e-99999999999").value), Bits(0.0));
  EXPECT_TRUE(std::isnan(ReadOf("NaN").value));
  EXPECT_TRUE(std::signbit(ReadOf("-nan").value));
  const std::pair<const char*, std::size_t> nans[] = {
      {"nan(0x1_A)", 10}, {"nan(", 3}, {"nan(a-b)", 3}, {"+nan()", 6}};
  for (const auto& [text, used] : nans) EXPECT_EQ(ReadOf(text).used, used) << text;
}

// As printf's "%.*g" writes them; halves round to even on the exact binary value.
TEST(FormatNumbers, PrintfForms) {
  // clang-format off
  const struct {
    double value;
    int precision;
    const char* text;
  } cases[] = {
      {0.67, 17, "0.67000000000000004"}, {0.67, 15, "0.67"}, {1e17, 17, "1e+17"},
      {1e20, 15, "1e+20"}, {123456.0, 6, "123456"}, {1234567.0, 6, "1.23457e+06"},
      {0.0001, 6, "0.0001"}, {0.00001, 6, "1e-05"}, {-0.0, 17, "-0"}, {2.5, 1, "2"}, {2.5, 0, "2"},
      {HUGE_VAL, 17, "inf"}, {-std::numeric_limits<double>::quiet_NaN(), 17, "-nan"}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(FormatDouble(c.value, c.precision), c.text) << c.text;
  EXPECT_EQ(FormatInt64(0), "0");
  EXPECT_EQ(FormatInt64(std::numeric_limits<long long>::min()), "-9223372036854775808");
  std::string out = "x=";
  AppendInt64(-5, out);
  AppendDouble(0.5, 17, out);
  EXPECT_EQ(out, "x=-50.5");
}

TEST(FormatNumbers, EveryDoubleReadsBackFromSeventeenDigits) {
  std::mt19937_64 random(12345);
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t bits = random();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (!std::isfinite(d)) continue;
    const std::string text = FormatDouble(d, 17);
    double back = 0;
    ASSERT_EQ(ReadDouble(text, back), text.size()) << text;
    ASSERT_EQ(Bits(back), Bits(d)) << text;
  }
}

#ifndef _WIN32
// The C library here is glibc, whose strtod and printf define the classic behaviour that
// the portable functions reproduce (on Windows the C runtime differs, hence no check).
TEST(NumberTextAgainstTheCLibrary, RandomTextReadsAsStrtodReadsIt) {
  std::mt19937 random(2024);
  const std::string alphabet =
      "0123456789012345678901234567890.......eEeE++--xXpPinfatyINFATY() _\t";
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    const int length = static_cast<int>(random() % 14);
    for (int k = 0; k < length; ++k) text.push_back(alphabet[random() % alphabet.size()]);
    if (random() % 4 == 0) text = "0x" + text;
    if (random() % 8 == 0) text = "nan(" + text;
    if (random() % 8 == 0) text = "1e-3" + text;
    if (random() % 8 == 0) text = "1e30" + text;
    char* end = nullptr;
    const double expected = std::strtod(text.c_str(), &end);
    double value = 0;
    const std::size_t used = ReadDouble(text, value);
    ASSERT_EQ(used, static_cast<std::size_t>(end - text.c_str())) << text;
    if (std::isnan(expected)) {
      ASSERT_TRUE(std::isnan(value)) << text;
    } else {
      ASSERT_EQ(Bits(value), Bits(expected)) << text;
    }
  }
}

TEST(NumberTextAgainstTheCLibrary, LongDigitStringsRoundAsStrtodRoundsThem) {
  std::mt19937 random(7);
  for (int i = 0; i < 3000; ++i) {
    std::string text = std::to_string(random() % 10) + ".";
    const int digits = 1 + static_cast<int>(random() % 900);
    for (int k = 0; k < digits; ++k) text.push_back(static_cast<char>('0' + random() % 10));
    // Halfway cases are where a sloppy reader goes wrong.
    if (i % 3 == 0)
      text =
          "2."
          "4703282292062327208828439643411068618252990130716238221279284125033775363510437593264991"
          "8180817996189898282347722858865463328355177969898199387398005390939063150356595155702263"
          "9229085839244910518443593180284993653615250031937045767824921936562366986365848075700158"
          "5769269903706311928279558551332927834338409351978015531246597263579574622766465272827220"
          "0563740064854999770965994704540208281662262378573934507363390079677619305775067401763246"
          "7360096895134053553745851666113422376667860416215968046191446729184030053005753084904876"
          "5391711386591646239524912623653881879636239373280423891018672348497668235089863388587925"
          "6283027559956575244555072551893136908362547791869486679949683240497058210285131854513962"
          "13837722826145437693412532098591327667236328125e-324";
    if (i % 3 == 1) text += "e-" + std::to_string(300 + random() % 30);
    char* end = nullptr;
    const double expected = std::strtod(text.c_str(), &end);
    double value = 0;
    ASSERT_EQ(ReadDouble(text, value), static_cast<std::size_t>(end - text.c_str()));
    ASSERT_EQ(Bits(value), Bits(expected)) << text;
  }
}

TEST(NumberTextAgainstTheCLibrary, FormatsAsPrintf) {
  std::mt19937_64 random(99);
  char buffer[512];
  for (int i = 0; i < 50000; ++i) {
    const std::uint64_t bits = random();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (i % 3 == 0) d = static_cast<double>(static_cast<std::int64_t>(bits) >> (bits % 60)) / 1024;
    const int precision = static_cast<int>(random() % 20);
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, d);
    ASSERT_EQ(FormatDouble(d, precision), buffer) << precision;
    std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(bits));
    ASSERT_EQ(FormatInt64(static_cast<long long>(bits)), buffer);
  }
}
#endif

}  // namespace
}  // namespace tessary
