#pragma once

// Small builders shared by the layout and engine unit tests.

#include <string>
#include <string_view>
#include <vector>

#include "layout/document_store.h"
#include "layout/layout_tree.h"

namespace tessary::testing {

inline NodeRef L(int region) { return MakeLeaf(region); }
inline NodeRef C(double ratio, NodeRef first, NodeRef second) {
  return MakeSplit(Axis::Columns, ratio, std::move(first), std::move(second));
}
inline NodeRef R(double ratio, NodeRef first, NodeRef second) {
  return MakeSplit(Axis::Rows, ratio, std::move(first), std::move(second));
}

inline SnapLayout MakeLayout(std::string id, std::string name, NodeRef tree) {
  SnapLayout layout;
  layout.id = std::move(id);
  layout.name = std::move(name);
  layout.tree = std::move(tree);
  return layout;
}

// Keeps the documents and remembers every save, in order, as "key=text".
class RecordingDocumentStore : public MemoryDocumentStore {
 public:
  void Set(std::string_view key, std::string text) override {
    saves.push_back(std::string(key) + "=" + text);
    MemoryDocumentStore::Set(key, std::move(text));
  }
  std::vector<std::string> saves;
};

}  // namespace tessary::testing
