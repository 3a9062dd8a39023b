#include "layout/tree_json.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace tessary {

namespace {

const JsonValue kNull;

const JsonValue& MemberOrNull(const JsonValue& object, std::string_view key) {
  const JsonValue* value = Find(object, key);
  return value != nullptr ? *value : kNull;
}

// Reads one node of a tree from outside. The node counter runs across the whole tree so
// that the size limit holds however the nodes are spread.
class StrictReader {
 public:
  NodeRef Read(const JsonValue& value, int depth) {
    ++nodes_;
    if (depth > kMaxTreeDepth || nodes_ > kMaxTreeNodes || !value.IsObject()) {
      return Fail(kTreeStructureError);
    }
    if (const JsonValue* region = Find(value, "region")) {
      const double number = region->AsNumber();
      const bool valid = region->IsNumber() && std::isfinite(number) &&
                         std::round(number) == number && number >= 0 && number < kMaxRegions &&
                         !Find(value, "axis") && !Find(value, "ratio") && !Find(value, "first") &&
                         !Find(value, "second");
      if (!valid) return Fail(kTreeRegionError);
      return MakeLeaf(static_cast<std::int32_t>(number));
    }
    const JsonValue* axis = Find(value, "axis");
    const JsonValue* ratio = Find(value, "ratio");
    const bool columns = axis != nullptr && axis->IsString() && axis->AsString() == "columns";
    const bool rows = axis != nullptr && axis->IsString() && axis->AsString() == "rows";
    if ((!columns && !rows) || ratio == nullptr || !ratio->IsNumber() ||
        !std::isfinite(ratio->AsNumber()) || ratio->AsNumber() < kMinRatio ||
        ratio->AsNumber() > kMaxRatio) {
      return Fail(kTreeSplitError);
    }
    // A missing child reads as null and fails as a malformed node.
    NodeRef first = Read(MemberOrNull(value, "first"), depth + 1);
    if (!first) return nullptr;
    NodeRef second = Read(MemberOrNull(value, "second"), depth + 1);
    if (!second) return nullptr;
    return MakeSplit(columns ? Axis::Columns : Axis::Rows, ratio->AsNumber(), std::move(first),
                     std::move(second));
  }

  const char* error() const { return error_; }

 private:
  NodeRef Fail(const char* message) {
    error_ = message;  // the innermost failure is the one reported
    return nullptr;
  }

  int nodes_ = 0;
  const char* error_ = nullptr;
};

}  // namespace

JsonValue TreeToJson(const NodeRef& tree) {
  if (!tree) return JsonValue();
  JsonValue object = JsonValue::MakeObject();
  if (tree->isLeaf) {
    object.AddMember("region", JsonValue(static_cast<double>(tree->region)));
    return object;
  }
  object.AddMember("axis", JsonValue(tree->axis == Axis::Columns ? "columns" : "rows"));
  object.AddMember("ratio", JsonValue(tree->ratio));
  object.AddMember("first", TreeToJson(tree->first));
  object.AddMember("second", TreeToJson(tree->second));
  return object;
}

NodeRef ParseLayoutTree(const JsonValue& value, std::string* error) {
  StrictReader reader;
  NodeRef tree = reader.Read(value, 0);
  const char* message = reader.error();
  if (tree && !ValidateTree(tree)) {
    tree = nullptr;
    message = kTreeDuplicateError;
  }
  if (!tree && error != nullptr) *error = message != nullptr ? message : kTreeStructureError;
  return tree;
}

NodeRef ReadStoredTree(const JsonValue& value) {
  if (!value.IsObject()) return nullptr;
  if (const JsonValue* region = Find(value, "region")) {
    if (!region->IsNumber()) return nullptr;
    // Truncated toward zero. A number no 32-bit region can hold (or NaN) would make the
    // conversion undefined, so such a node is unreadable rather than some random number.
    const double number = std::trunc(region->AsNumber());
    if (!(number >= INT32_MIN && number <= INT32_MAX)) return nullptr;
    return MakeLeaf(static_cast<std::int32_t>(number));
  }
  const JsonValue* axis = Find(value, "axis");
  const JsonValue* ratio = Find(value, "ratio");
  const JsonValue* first = Find(value, "first");
  const JsonValue* second = Find(value, "second");
  if (axis == nullptr || ratio == nullptr || first == nullptr || second == nullptr) {
    return nullptr;
  }
  NodeRef firstTree = ReadStoredTree(*first);
  if (!firstTree) return nullptr;
  NodeRef secondTree = ReadStoredTree(*second);
  if (!secondTree) return nullptr;
  const bool columns = axis->IsString() && axis->AsString() == "columns";
  return MakeSplit(columns ? Axis::Columns : Axis::Rows, ratio->AsNumber(), std::move(firstTree),
                   std::move(secondTree));
}

}  // namespace tessary
