#include <gtest/gtest.h>

#include "state/badge_placements_document.h"
#include "state/minimum_sizes_document.h"

namespace tessary {
namespace {

TEST(MinimumSizesDocumentTest, TakesTwoElementArraysLaterDuplicatesWinAndRoundTrips) {
  AppMinimumSizes sizes = ParseAppMinimumSizes(
      R"({"C:\\apps\\a.exe":[640,480],"aumid:B!App":[320.5,"200"],"three":[1,2,3],)"
      R"("object":{"w":1},"one":[1],"null":[null,true]})");
  AppMinimumSizes expected = {
      {"C:\\apps\\a.exe", {640, 480}},
      {"aumid:B!App", {320.5, 0}},  // elements are not kind-checked: a string reads as 0
      {"null", {0, 0}},
  };
  EXPECT_EQ(sizes, expected);
  EXPECT_EQ(ParseAppMinimumSizes(R"({"a":[1,2],"a":[3,4]})"), (AppMinimumSizes{{"a", {3, 4}}}));
  // Text that is not an object gives an empty table.
  for (const char* text : {"", "[[1,2]]", R"({"a":[1,2])"}) {
    EXPECT_TRUE(ParseAppMinimumSizes(text).empty()) << text;
  }
  // Written sorted by key, and read back.
  AppMinimumSizes table = {{"b", {500, 300.25}}, {"a", {1, 2}}};
  std::string text = WriteAppMinimumSizes(table);
  EXPECT_EQ(text, R"({"a":[1,2],"b":[500,300.25]})");
  EXPECT_EQ(ParseAppMinimumSizes(text), table);
  EXPECT_EQ(WriteAppMinimumSizes({}), "{}");
}

TEST(BadgePlacementsDocumentTest, ReadsEachPlacementWithItsDefaultsAndRoundTrips) {
  BadgePlacements placements = ParseBadgePlacements(
      R"({"k1":[{"slot":[0,0,960,1080],"fromRight":true,"dx":12.5,"dy":-3},)"
      R"({"slot":[1,2,3]},)"                             // three elements: skipped
      R"({"slot":[1,"x",3,4],"fromRight":1,"dy":"7"},)"  // wrong kinds read as defaults
      R"({"dx":5},)"                                     // no slot: skipped
      R"(7],)"
      R"("k2":{"slot":[0,0,1,1]},"k3":[]})");
  const BadgePlacements expected = {
      // "k2" is not an array
      {"k1", {{{0, 0, 960, 1080}, true, 12.5, -3}, {{1, 0, 3, 4}, false, 0, 0}}},
      {"k3", {}}};
  EXPECT_EQ(placements, expected);
  // Not an object, or cut short by a crash: no placements, nothing else lost with them.
  for (const char* text : {"[]", R"({"D1":[{"slot":[1,2)"}) {
    EXPECT_TRUE(ParseBadgePlacements(text).empty()) << text;
  }
  // Members are written in their order and read back.
  BadgePlacements table = {{"app|0", {{{10, 20, 800, 600}, false, 4, 0.5}}}};
  std::string text = WriteBadgePlacements(table);
  EXPECT_EQ(text, R"({"app|0":[{"slot":[10,20,800,600],"fromRight":false,"dx":4,"dy":0.5}]})");
  EXPECT_EQ(ParseBadgePlacements(text), table);
}

}  // namespace
}  // namespace tessary
