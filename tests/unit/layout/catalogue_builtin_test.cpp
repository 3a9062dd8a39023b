#include <gtest/gtest.h>

#include "catalogue_support.h"
#include "layout/builtin_layouts.h"
#include "layout/layout_store.h"

namespace tessary {
namespace {

using namespace testing::builders;

TEST(BuiltInLayouts, TheNineInTableOrder) {
  const double third = 0.3333333333333333;  // the nearest double to one third, not 0.33
  const struct {
    const char* id;
    const char* name;
    NodeRef tree;
  } expected[] = {
      {"halves", "Halves", C(0.5, L(0), L(1))},
      {"thirds", "Three columns", C(third, L(0), C(0.5, L(1), L(2)))},
      {"focus", "Wide + narrow", C(0.67, L(0), L(1))},
      {"stack", "Main + stack", C(0.6, L(0), R(0.5, L(1), L(2)))},
      {"quarters", "Four quarters", C(0.5, R(0.5, L(0), L(1)), R(0.5, L(2), L(3)))},
      {"rows", "Two rows", R(0.5, L(0), L(1))},
      {"thirds-left-stack", "Left stack + columns",
       C(third, R(0.5, L(0), L(3)), C(0.5, L(1), L(2)))},
      {"thirds-right-stack", "Columns + right stack",
       C(third, L(0), C(0.5, L(1), R(0.5, L(2), L(3))))},
      {"full", "Whole screen", L(0)},
  };
  const std::vector<SnapLayout>& builtIns = BuiltInLayouts();
  ASSERT_EQ(builtIns.size(), std::size(expected));
  for (std::size_t i = 0; i < builtIns.size(); ++i) {
    SCOPED_TRACE(expected[i].id);
    EXPECT_TRUE(
        LayoutsEqual(builtIns[i], MakeLayout(expected[i].id, expected[i].name, expected[i].tree)));
  }
  // Look-up is exact.
  EXPECT_EQ(LayoutStore::FindBuiltIn("full")->name, "Whole screen");
  for (const char* id : {"Full", "full ", "corner-custom"}) {
    EXPECT_EQ(LayoutStore::FindBuiltIn(id), nullptr) << id;
  }
}

}  // namespace
}  // namespace tessary
