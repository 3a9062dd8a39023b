#include "layout/exchange_file.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue_support.h"
#include "layout/builtin_layouts.h"

namespace tessary {
namespace {

using namespace testing::builders;

constexpr const char* kUnreadable =
    "The data couldn\xE2\x80\x99t be read because it isn\xE2\x80\x99t in the correct format.";
constexpr const char* kNotLayoutFile = "This is not a Tessary layout file.";
constexpr const char* kVersion =
    "This layout file uses an unsupported version. Try a newer version of Tessary.";
constexpr const char* kCount = "A layout file must contain between 1 and 128 layouts.";
constexpr const char* kSize = "Layout files must be no larger than 1 MB.";
constexpr const char* kNameRule =
    "Layout names must be 1\xE2\x80\x93"
    "60 characters without control characters.";

// A file around the given layouts array text.
std::string File(const std::string& layouts, const std::string& version = "1") {
  return R"({"format": "quandervolt.Tessary.layouts", "version": )" + version + R"(, "layouts": )" +
         layouts + "}";
}

TEST(ExportText, IsPrettySortedJsonWithTrimmedNames) {
  SnapLayout work = *FindBuiltIn("halves");
  work.id = "user-1";
  work.name = "  Work ";
  work.apps[0] = {"not exported"};
  const ExportText result = BuildExportText({work, *FindBuiltIn("full")});
  EXPECT_EQ(result.text,
            "{\n"
            "  \"format\" : \"quandervolt.Tessary.layouts\",\n"
            "  \"layouts\" : [\n"
            "    {\n"
            "      \"name\" : \"Work\",\n"
            "      \"tree\" : {\n"
            "        \"axis\" : \"columns\",\n"
            "        \"first\" : {\n"
            "          \"region\" : 0\n"
            "        },\n"
            "        \"ratio\" : 0.5,\n"
            "        \"second\" : {\n"
            "          \"region\" : 1\n"
            "        }\n"
            "      }\n"
            "    },\n"
            "    {\n"
            "      \"name\" : \"Whole screen\",\n"
            "      \"tree\" : {\n"
            "        \"region\" : 0\n"
            "      }\n"
            "    }\n"
            "  ],\n"
            "  \"version\" : 1\n"
            "}");
}

TEST(ExportText, ChecksInOrder) {
  std::vector<SnapLayout> many(129, *FindBuiltIn("halves"));
  EXPECT_EQ(BuildExportText(many).error, "Choose between 1 and 128 layouts to export.");
  many.pop_back();
  EXPECT_EQ(BuildExportText(many).error, "");

  const SnapLayout badName = MakeLayout("user-1", "\t", L(0));
  const SnapLayout badTree = MakeLayout("user-2", "Fine", C(0.5, L(1), L(1)));
  // The first failing layout decides.
  EXPECT_EQ(BuildExportText({*FindBuiltIn("rows"), badName, badTree}).error, kNameRule);
  EXPECT_EQ(BuildExportText({badTree, badName}).error, "A layout has invalid regions.");
  EXPECT_EQ(BuildExportText({badTree}).text, "");
  // A name stored before control bytes inside malformed sequences were refused stays on
  // its display but is not written where the import would refuse it.
  EXPECT_EQ(BuildExportText({MakeLayout("user-3", "A\xC3\x01Z", L(0))}).error, kNameRule);
}

TEST(ExchangeFile, ReadsLayoutsWithDerivedIds) {
  const ParsedExchangeFile parsed = ParseExchangeFile(
      File(R"([{"name": "  Work ", "tree": {"axis": "columns", "ratio": 0.5,
           "first": {"region": 0}, "second": {"region": 1}}, "id": "ignored", "apps": {}},
          {"name": "Stack", "tree": {"axis": "rows", "ratio": 0.25, "first": {"region": 3},
           "second": {"region": 0}, "note": "extra keys are fine"}}])",
           "1.0"));
  ASSERT_EQ(parsed.layouts.size(), 2u);
  EXPECT_TRUE(LayoutsEqual(
      parsed.layouts[0],
      MakeLayout("user-import-8d6b3f20eda64d2015b70c308a51287538f396fde3675eb6fd865cf8a9d6a1c4",
                 "Work", C(0.5, L(0), L(1)))));
  EXPECT_TRUE(LayoutsEqual(
      parsed.layouts[1],
      MakeLayout(ImportedLayoutId("Stack", R(0.25, L(3), L(0))), "Stack", R(0.25, L(3), L(0)))));
}

TEST(ExchangeFile, ChecksInOrder) {
  std::string most = "[";  // 128 layouts, the most a file may hold
  for (int i = 0; i < 128; ++i)
    most += std::string(i ? "," : "") + R"({"name": "L", "tree": {"region": 0}})";
  const std::string many = most + R"(,{"name": "L", "tree": {"region": 0}})";
  const std::string one = R"([{"name": "A", "tree": {"region": 0}}])";
  std::string largest = File(one);
  largest.resize(1048576, ' ');  // trailing text after the value is not examined
  const std::pair<std::string, std::string> cases[] = {
      // The size check comes before anything else.
      {std::string(1048577, '{'), kSize},
      {"", kUnreadable},
      {"{\"format\": ", kUnreadable},
      {"[1]", kNotLayoutFile},
      {"{}", kNotLayoutFile},
      {R"({"format": "quandervolt.tessary.layouts"})", kNotLayoutFile},
      {R"({"format": 1, "version": 2})", kNotLayoutFile},
      // The first member of a name decides.
      {R"({"format": "x", "format": "quandervolt.Tessary.layouts"})", kNotLayoutFile},
      {R"({"format": "quandervolt.Tessary.layouts"})", kVersion},
      {File(one, "\"1\""), kVersion},
      {File("[]"), kCount},
      {File("{}"), kCount},
      {R"({"format": "quandervolt.Tessary.layouts", "version": 1})", kCount},
      {File(many + "]"), kCount},
      // A non-object element fails as a count error before any layout is looked at.
      {File(R"([{"tree": {"region": 0}}, 3])"), kCount},
      {File(R"([{"tree": {"region": 0}}])"), "A layout is missing its name."},
      {File(R"([{"name": 5, "tree": {"region": 0}}])"), "A layout is missing its name."},
      {File(R"([{"name": "A\u0007", "tree": {"region": 0}}])"), kNameRule},
      // A control byte swallowed by a lead byte (found by fuzzing): a name an earlier
      // version may have stored, but no file may bring it in.
      {File("[{\"name\": \"A\xC3\\u0001Z\", \"tree\": {\"region\": 0}}]"), kNameRule},
      {File(R"([{"name": "A"}])"), "A layout tree is invalid or too deeply nested."},
      // One bad layout fails the whole file with the tree reader's message, even after
      // valid ones.
      {File(R"([{"name": "A", "tree": {"region": 0}}, {"name": "B", "tree": {"region": 16}}])"),
       "Regions must have unique integer numbers from 0 to 15."},
  };
  for (const auto& [text, message] : cases) {
    const ParsedExchangeFile parsed = ParseExchangeFile(text);
    EXPECT_EQ(parsed.error, message) << text;
    EXPECT_TRUE(parsed.layouts.empty()) << text;
  }
  EXPECT_EQ(ParseExchangeFile(File(most + "]")).layouts.size(), 128u);
  EXPECT_EQ(ParseExchangeFile(largest).layouts.size(), 1u);
}

}  // namespace
}  // namespace tessary
