#include "layout/json_value.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

TEST(JsonValue, EqualityComparesKindsValuesAndMemberOrder) {
  EXPECT_NE(JsonValue(), JsonValue(false));
  EXPECT_NE(JsonValue(0), JsonValue(false));
  EXPECT_EQ(JsonValue(0.0), JsonValue(-0.0));
  EXPECT_NE(JsonValue::MakeArray(), JsonValue::MakeObject());
  JsonValue a = JsonValue::MakeObject();
  a.AddMember("x", JsonValue::MakeArray());
  a.AddMember("y", 2);
  JsonValue b = JsonValue::MakeObject();
  b.AddMember("y", 2);
  b.AddMember("x", JsonValue::MakeArray());
  EXPECT_NE(a, b);  // member order matters
  Find(b, "x")->Append(1);
  EXPECT_NE(*Find(a, "x"), *Find(b, "x"));
}

TEST(JsonValue, DestroyingAVeryDeepValueDoesNotRecurse) {
  // Built by code, so no reader limit applies. A recursive destructor overflows an 8 MiB
  // stack at about 45,000 levels in an optimised build (about 15,000 under ASan), so twice
  // that depth is enough.
  JsonValue root;
  JsonValue* leaf = &root;
  for (int i = 0; i < 100000; ++i) {
    leaf->Append(JsonValue());
    if (i % 2 == 0) leaf->Append(5);
    leaf = &leaf->MutableElements()[0];
  }
  root = JsonValue();
  EXPECT_TRUE(root.IsNull());
}

}  // namespace
}  // namespace tessary
