#include "layout/json_value.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "unit/layout/json_test_print.h"

namespace tessary {
namespace {

TEST(JsonValue, KindsAndAccessors) {
  EXPECT_EQ(JsonValue().Kind(), JsonKind::Null);
  const std::pair<JsonValue, int> codes[] = {
      {JsonValue(), 0},    {JsonValue(true), 1},        {JsonValue(7), 2},
      {JsonValue("x"), 3}, {JsonValue::MakeArray(), 4}, {JsonValue::MakeObject(), 5}};
  for (const auto& [value, code] : codes) EXPECT_EQ(static_cast<int>(value.Kind()), code);
  EXPECT_EQ(JsonValue(std::string_view("sv")).AsString(), "sv");
  // Reading the payload of another kind gives that kind's zero value.
  EXPECT_FALSE(JsonValue(1.0).AsBool());
  EXPECT_EQ(JsonValue(true).AsNumber(), 0.0);
  EXPECT_EQ(JsonValue(2.0).AsString(), "");
  EXPECT_TRUE(JsonValue("s").Elements().empty());
  EXPECT_TRUE(JsonValue::MakeArray().Members().empty());
}

TEST(JsonValue, AppendingMakesContainersAndFindSeesOnlyObjects) {
  JsonValue array;
  array.Append(1);  // a null value becomes an array
  EXPECT_TRUE(array.IsArray());
  EXPECT_EQ(Find(array, "a"), nullptr);
  JsonValue object("s");
  object.MutableMembers().push_back({"a", JsonValue(1)});  // so does a string an object
  EXPECT_EQ(*Find(object, "a"), JsonValue(1));
  EXPECT_EQ(Find(object, "A"), nullptr);
  EXPECT_EQ(object.AsString(), "");
}

TEST(JsonValue, EqualityAndDeepCopies) {
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
  JsonValue copy = a;
  EXPECT_EQ(copy, a);
  Find(copy, "x")->Append(1);
  EXPECT_NE(copy, a);
  EXPECT_TRUE(Find(a, "x")->Elements().empty());
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
