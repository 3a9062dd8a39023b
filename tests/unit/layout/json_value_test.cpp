#include "layout/json_value.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "unit/layout/json_test_print.h"

namespace tessary {
namespace {

TEST(JsonValue, KindsAndAccessors) {
  const JsonValue null;
  EXPECT_TRUE(null.IsNull());
  EXPECT_EQ(null.Kind(), JsonKind::Null);
  EXPECT_EQ(static_cast<int>(JsonValue("x").Kind()), 3);
  EXPECT_EQ(static_cast<int>(JsonValue::MakeObject().Kind()), 5);
  EXPECT_TRUE(JsonValue(true).AsBool());
  EXPECT_EQ(JsonValue(7).AsNumber(), 7.0);
  EXPECT_EQ(JsonValue(std::string_view("sv")).AsString(), "sv");
  // Reading the payload of another kind gives that kind's zero value.
  EXPECT_FALSE(JsonValue(1.0).AsBool());
  EXPECT_EQ(JsonValue(true).AsNumber(), 0.0);
  EXPECT_EQ(JsonValue(2.0).AsString(), "");
  EXPECT_TRUE(JsonValue("s").Elements().empty());
  EXPECT_TRUE(JsonValue::MakeArray().Members().empty());
}

TEST(JsonValue, BuildingAndFind) {
  JsonValue object = JsonValue::MakeObject();
  object.AddMember("a", 1);
  object.AddMember("b", "two");
  object.AddMember("a", 3);
  ASSERT_EQ(object.Members().size(), 3u);
  EXPECT_EQ(*Find(object, "a"), JsonValue(1));
  EXPECT_EQ(Find(object, "c"), nullptr);
  EXPECT_EQ(Find(object, "A"), nullptr);
  // Replacing a member is find, then assign.
  *Find(object, "b") = JsonValue(false);
  EXPECT_EQ(object.Members()[1].value, JsonValue(false));

  const JsonValue array = [] {
    JsonValue v;
    v.Append(1);  // a null value becomes an array
    v.Append("x");
    return v;
  }();
  EXPECT_TRUE(array.IsArray());
  EXPECT_EQ(array.Elements().size(), 2u);
  EXPECT_EQ(Find(array, "a"), nullptr);
  JsonValue text("not an object");
  EXPECT_EQ(Find(text, "a"), nullptr);
  EXPECT_TRUE(text.IsString());  // Find does not change the value

  JsonValue changed("s");
  changed.MutableMembers().push_back({"k", JsonValue()});
  EXPECT_TRUE(changed.IsObject());
  EXPECT_EQ(changed.AsString(), "");
  EXPECT_EQ(changed.Members().size(), 1u);
}

TEST(JsonValue, Equality) {
  EXPECT_EQ(JsonValue(), JsonValue());
  EXPECT_NE(JsonValue(), JsonValue(false));
  EXPECT_NE(JsonValue(0), JsonValue(false));
  EXPECT_EQ(JsonValue(0.0), JsonValue(-0.0));
  EXPECT_NE(JsonValue::MakeArray(), JsonValue::MakeObject());
  JsonValue a = JsonValue::MakeObject();
  a.AddMember("x", 1);
  a.AddMember("y", 2);
  JsonValue b = JsonValue::MakeObject();
  b.AddMember("y", 2);
  b.AddMember("x", 1);
  EXPECT_NE(a, b);  // member order matters
  JsonValue c = a;
  EXPECT_EQ(a, c);
  *Find(c, "y") = JsonValue(3);
  EXPECT_NE(a, c);
}

TEST(JsonValue, CopiesAreDeepAndMovesLeaveNull) {
  JsonValue original = JsonValue::MakeArray();
  original.Append(JsonValue::MakeArray());
  JsonValue copy = original;
  copy.MutableElements()[0].Append(1);
  EXPECT_TRUE(original.Elements()[0].Elements().empty());
  JsonValue moved = std::move(copy);
  EXPECT_EQ(moved.Elements()[0].Elements().size(), 1u);
}

TEST(JsonValue, DestroyingAVeryDeepValueDoesNotRecurse) {
  // Built by code, so no reader limit applies; a recursive destructor would overflow.
  JsonValue root;
  JsonValue* leaf = &root;
  for (int i = 0; i < 200000; ++i) {
    leaf->Append(JsonValue());
    if (i % 2 == 0) leaf->Append(5);
    leaf = &leaf->MutableElements()[0];
  }
  root = JsonValue();
  EXPECT_TRUE(root.IsNull());
}

}  // namespace
}  // namespace tessary
