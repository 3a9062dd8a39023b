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

TEST(ReadDouble, DecimalForms) {
  EXPECT_EQ(ReadOf("0.5").value, 0.5);
  EXPECT_EQ(ReadOf("0.5").used, 3u);
  EXPECT_EQ(ReadOf("  \t\n\v\f\r-12.25e-1xyz").value, -1.225);
  EXPECT_EQ(ReadOf("  \t\n\v\f\r-12.25e-1xyz").used, 16u);
  EXPECT_EQ(ReadOf("+.5").value, 0.5);
  EXPECT_EQ(ReadOf("7.").used, 2u);
  EXPECT_EQ(ReadOf("1e").used, 1u);
  EXPECT_EQ(ReadOf("1e+").used, 1u);
  EXPECT_EQ(ReadOf("1E+2").value, 100.0);
  EXPECT_EQ(ReadOf("0.67").value, 0.67);
  EXPECT_EQ(ReadOf("1.7976931348623157e308").value, std::numeric_limits<double>::max());
  EXPECT_EQ(Bits(ReadOf("-0").value), Bits(-0.0));
  for (const char* none : {"", " ", "-", "+", "+-1", "--1", "-+1", ".", "e1", "- 1", "x", ".e1"}) {
    const Read r = ReadOf(none);
    EXPECT_EQ(r.used, 0u) << none;
    EXPECT_EQ(r.value, 0.0) << none;
  }
}

TEST(ReadDouble, OutOfRangeResultsMatchStrtod) {
  EXPECT_EQ(ReadOf("1e309").value, HUGE_VAL);
  EXPECT_EQ(ReadOf("-1e309").value, -HUGE_VAL);
  EXPECT_EQ(ReadOf("1.7976931348623159e308").value, HUGE_VAL);
  EXPECT_EQ(ReadOf("0.000001e999999999999").value, HUGE_VAL);
  EXPECT_EQ(ReadOf("1" + std::string(400, '0')).value, HUGE_VAL);
  EXPECT_EQ(ReadOf("1" + std::string(400, '0')).used, 401u);
  EXPECT_EQ(Bits(ReadOf("1e-400").value), Bits(0.0));
  EXPECT_EQ(Bits(ReadOf("-1e-400").value), Bits(-0.0));
  EXPECT_EQ(Bits(ReadOf("100000e-99999999999").value), Bits(0.0));
  EXPECT_EQ(ReadOf("0." + std::string(400, '0') + "1").value, 0.0);
  // Subnormal results are rounded, not flushed.
  EXPECT_EQ(ReadOf("3e-324").value, std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ReadOf("2e-324").value, 0.0);
  EXPECT_EQ(ReadOf("1e-310").value, 1e-310);
  EXPECT_EQ(ReadOf("0e99999").value, 0.0);
}

TEST(ReadDouble, HexadecimalForms) {
  EXPECT_EQ(ReadOf("0x10").value, 16.0);
  EXPECT_EQ(ReadOf("-0X1.8p1").value, -3.0);
  EXPECT_EQ(ReadOf("0x.8").value, 0.5);
  EXPECT_EQ(ReadOf("0x1p").used, 3u);
  EXPECT_EQ(ReadOf("0x1P-1074").value, std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ReadOf("0x1p-1075").value, 0.0);
  EXPECT_EQ(ReadOf("0x1p1024").value, HUGE_VAL);
  // Without a hex digit after "0x" only the zero is a number.
  EXPECT_EQ(ReadOf("0x").used, 1u);
  EXPECT_EQ(ReadOf("0xg").used, 1u);
  EXPECT_EQ(ReadOf("0x.").used, 1u);
  EXPECT_EQ(ReadOf("0x.p1").used, 1u);
  EXPECT_EQ(ReadOf("0x-1").used, 1u);
}

TEST(ReadDouble, InfinityAndNan) {
  EXPECT_EQ(ReadOf("inf").value, HUGE_VAL);
  EXPECT_EQ(ReadOf("-INF").value, -HUGE_VAL);
  EXPECT_EQ(ReadOf("Infinity").used, 8u);
  EXPECT_EQ(ReadOf("infinit").used, 3u);
  EXPECT_EQ(ReadOf("in").used, 0u);
  EXPECT_TRUE(std::isnan(ReadOf("NaN").value));
  EXPECT_TRUE(std::signbit(ReadOf("-nan").value));
  EXPECT_EQ(ReadOf("nan(0x1_A)").used, 10u);
  EXPECT_EQ(ReadOf("nan(").used, 3u);
  EXPECT_EQ(ReadOf("nan(a-b)").used, 3u);
  EXPECT_EQ(ReadOf("+nan()").used, 6u);
}

TEST(FormatNumbers, PrintfForms) {
  EXPECT_EQ(FormatDouble(0.67, 17), "0.67000000000000004");
  EXPECT_EQ(FormatDouble(0.67, 15), "0.67");
  EXPECT_EQ(FormatDouble(1e17, 17), "1e+17");
  EXPECT_EQ(FormatDouble(1e20, 15), "1e+20");
  EXPECT_EQ(FormatDouble(123456.0, 6), "123456");
  EXPECT_EQ(FormatDouble(1234567.0, 6), "1.23457e+06");
  EXPECT_EQ(FormatDouble(0.0001, 6), "0.0001");
  EXPECT_EQ(FormatDouble(0.00001, 6), "1e-05");
  EXPECT_EQ(FormatDouble(2.5, 1), "2");  // round half to even on the exact binary value
  EXPECT_EQ(FormatDouble(2.5, 0), "2");
  EXPECT_EQ(FormatDouble(-0.0, 17), "-0");
  EXPECT_EQ(FormatDouble(1e300 * 1e300, 17), "inf");
  EXPECT_EQ(FormatDouble(-std::numeric_limits<double>::quiet_NaN(), 17), "-nan");
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
