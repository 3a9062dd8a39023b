#include "layout/tree_json.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tessary {
namespace {

JsonValue Json(std::string_view text) {
  JsonValue value;
  EXPECT_TRUE(ParseJson(text, value)) << text;
  return value;
}

// The strict reader's message for `text`, or "ok".
std::string StrictMessage(std::string_view text) {
  std::string error;
  NodeRef tree = ParseLayoutTree(Json(text), &error);
  if (tree) return error.empty() ? "ok" : "ok, but with a message: " + error;
  return error;
}

// A chain of column splits `depth` deep; every split's second child is a leaf.
std::string Chain(int depth) {
  std::string text = "{\"region\":0}";
  for (int level = depth; level >= 1; --level) {
    text = "{\"axis\":\"columns\",\"ratio\":0.5,\"first\":" + text +
           ",\"second\":{\"region\":" + std::to_string(level) + "}}";
  }
  return text;
}

// A balanced tree over regions [low, high).
std::string Balanced(int low, int high) {
  if (high - low == 1) return "{\"region\":" + std::to_string(low) + "}";
  const int middle = (low + high) / 2;
  return "{\"axis\":\"rows\",\"ratio\":0.5,\"first\":" + Balanced(low, middle) +
         ",\"second\":" + Balanced(middle, high) + "}";
}

TEST(ParseLayoutTree, EachFaultHasItsMessageAndTheFirstFailureStands) {
  const std::string region = "Regions must have unique integer numbers from 0 to 15.";
  const std::string split = "Splits must specify columns or rows and a ratio between 0.08 and 0.92.";
  const std::string structure = "A layout tree is invalid or too deeply nested.";
  const std::string duplicate = "A layout contains duplicate or invalid regions.";
  const std::string leaves = R"("first":{"region":0},"second":{"region":1})";
  const std::string tooMany =
      R"({"axis":"rows","ratio":0.5,"first":)" + Balanced(0, 16) + R"(,"second":{"region":16}})";
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      // clang-format off
      {R"({"region": 3.5})", region}, {R"({"region": -1})", region}, {R"({"region": 16})", region},
      {R"({"region": "2"})", region}, {R"({"region": null})", region},
      {R"({"region": 1, "axis": "rows"})", region},
      {R"({"region": 1, "second": {"region": 2}})", region},
      {R"({"region": 15})", "ok"}, {R"({"region": 2.0})", "ok"},
      {R"({"region": 1, "name": "left"})", "ok"},
      {R"({"axis":"Columns","ratio":0.5,)" + leaves + "}", split},
      {R"({"axis":"diagonal","ratio":0.5,)" + leaves + "}", split},
      {R"({"axis":1,"ratio":0.5,)" + leaves + "}", split},
      {R"({"ratio":0.5,)" + leaves + "}", split}, {R"({"axis":"rows",)" + leaves + "}", split},
      {R"({"axis":"rows","ratio":"0.5",)" + leaves + "}", split},
      {R"({"axis":"rows","ratio":0.0799,)" + leaves + "}", split},
      {R"({"axis":"rows","ratio":0.9201,)" + leaves + "}", split},
      {R"({"axis":"rows","ratio":1e999,)" + leaves + "}", split},
      {R"({"axis":"rows","ratio":0.92,)" + leaves + "}", "ok"}, {"{}", split},
      {R"({"axis":"rows","ratio":0.5,"first":{"region":0}})", structure},
      {R"({"axis":"rows","ratio":0.5,"first":[],"second":{"region":1}})", structure},
      {"[]", structure}, {"7", structure}, {"null", structure},
      // clang-format on
      {R"({"axis":"rows","ratio":0.5,"first":{"region":2},"second":{"axis":"columns",)"
       R"("ratio":0.5,"first":{"region":1},"second":{"region":2}}})",
       duplicate},
      // The left child's bad region is found before the right child's bad axis.
      {R"({"axis":"rows","ratio":0.5,"first":{"region":99},"second":{"axis":"up","ratio":0.5}})",
       region},
      // A bad split around a duplicate: the split message, not the duplicate message.
      {R"({"axis":"rows","ratio":0.5,"first":{"region":1},"second":{"axis":"rows",)"
       R"("ratio":0.01,"first":{"region":1},"second":{"region":1}}})",
       split},
      {Balanced(0, 16), "ok"},
      // A 32nd node, even one that would fail for another reason, is one too many.
      {tooMany, structure},
      {Chain(15), "ok"},  // deepest node at depth 15
      {Chain(16), structure},
  };
  for (const auto& c : cases) EXPECT_EQ(StrictMessage(c.text), c.message) << c.text;

  EXPECT_EQ(ParseLayoutTree(Json(R"({"region": 16})"), nullptr), nullptr);  // no message asked
}

TEST(ReadStoredTree, ReadsTheProgramsOwnTreesLenientlyButNeedsTheShapeOfATree) {
  NodeRef tree = ReadStoredTree(
      Json(R"({"axis":"sideways","ratio":0.5,"first":{"region":2.9},"second":{"region":-1.5}})"));
  EXPECT_TRUE(TreesEqual(tree, MakeSplit(Axis::Rows, 0.5, MakeLeaf(2), MakeLeaf(-1))));

  // Deeper and larger than the strict reader allows.
  EXPECT_NE(ReadStoredTree(Json(Chain(40))), nullptr);
  EXPECT_EQ(ParseLayoutTree(Json(Chain(40))), nullptr);

  // A ratio of another kind reads as 0 and leaves validation to the caller.
  EXPECT_TRUE(TreesEqual(
      ReadStoredTree(
          Json(R"({"axis":"columns","ratio":"x","first":{"region":0},"second":{"region":1}})")),
      MakeSplit(Axis::Columns, 0, MakeLeaf(0), MakeLeaf(1))));

  EXPECT_EQ(ReadStoredTree(Json("[]")), nullptr);
  EXPECT_EQ(ReadStoredTree(Json(R"({"region":"1"})")), nullptr);
  EXPECT_EQ(ReadStoredTree(Json(R"({"axis":"rows","ratio":0.5,"first":{"region":0}})")), nullptr);
  EXPECT_EQ(ReadStoredTree(Json(R"({"axis":"rows","ratio":0.5,"first":{"region":0},)"
                                R"("second":{"region":[]}})")),
            nullptr);
  // Numbers no region can be are unreadable rather than converted at random.
  EXPECT_EQ(ReadStoredTree(Json(R"({"region":1e300})")), nullptr);
  EXPECT_EQ(ReadStoredTree(Json(R"({"region":-3e9})")), nullptr);
  EXPECT_NE(ReadStoredTree(Json(R"({"region":-2147483648.7})")), nullptr);
}

}  // namespace
}  // namespace tessary
