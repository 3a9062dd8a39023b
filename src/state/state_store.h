#pragma once

// One state file: a JSON object whose members map a key to a string that is itself the
// JSON text of one document. Every Set rewrites the whole file at once; keys the program
// does not know are carried along unchanged, so an older or newer version's documents
// survive.

#include <cstddef>
#include <string>
#include <string_view>

#include "layout/document_store.h"
#include "layout/json_value.h"
#include "platform/file_system.h"

namespace tessary {

inline constexpr std::size_t kStateFileReadLimit = 8 * 1024 * 1024;

class StateStore : public DocumentStore {
 public:
  // Loads the file. A missing, unreadable, oversized or corrupt file gives an empty
  // store, silently. An empty path keeps the store in memory: nothing is written.
  StateStore(FileSystem& files, std::string path);

  // The document under `key` (the first member with that key) when it is a string;
  // otherwise empty.
  std::string Get(std::string_view key) const override;

  // Replaces the value of every member with that key, or appends a new member at the
  // end, then writes the whole file. A failed write is not reported: the new value stays
  // in memory and the previous file stays intact.
  void Set(std::string_view key, std::string text) override;

  const std::string& Path() const { return path_; }
  const JsonValue& Document() const { return document_; }

 private:
  void Write();

  FileSystem* files_;
  std::string path_;
  JsonValue document_ = JsonValue::MakeObject();
  // The file was there at load but could not be used: it is moved aside before the first
  // write instead of being overwritten.
  bool keepAside_ = false;
};

}  // namespace tessary
