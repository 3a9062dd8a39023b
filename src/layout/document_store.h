#pragma once

// Where the catalogue keeps its documents: a map from key to JSON text. The layouts state
// file satisfies it; tests and a run without a state folder use the in-memory one.

#include <map>
#include <string>
#include <string_view>

namespace tessary {

class DocumentStore {
 public:
  virtual ~DocumentStore() = default;
  // The text stored under `key`, or empty when there is none.
  virtual std::string Get(std::string_view key) const = 0;
  // Replaces the text under `key` (and writes it through, for a file-backed store).
  virtual void Set(std::string_view key, std::string text) = 0;
};

class MemoryDocumentStore : public DocumentStore {
 public:
  std::string Get(std::string_view key) const override {
    auto it = documents_.find(key);
    return it == documents_.end() ? std::string() : it->second;
  }
  void Set(std::string_view key, std::string text) override {
    documents_.insert_or_assign(std::string(key), std::move(text));
  }

 private:
  std::map<std::string, std::string, std::less<>> documents_;
};

}  // namespace tessary
