#include "state/state_store.h"

#include <utility>

#include "state/atomic_write.h"

namespace tessary {

StateStore::StateStore(FileSystem& files, std::string path)
    : files_(&files), path_(std::move(path)) {
  if (path_.empty()) return;
  FileRead read = files_->ReadFile(path_, kStateFileReadLimit);
  if (read.status == ReadStatus::kMissing) return;
  JsonValue parsed;
  if (read.status == ReadStatus::kOk && !read.truncated && ParseJson(read.bytes, parsed) &&
      parsed.IsObject()) {
    document_ = std::move(parsed);
    return;
  }
  // Loads empty, as if there were no file, but what the file holds is kept for the user.
  keepAside_ = true;
}

std::string StateStore::Get(std::string_view key) const {
  const JsonValue* value = Find(document_, key);
  if (value == nullptr || !value->IsString()) return {};
  return value->AsString();
}

void StateStore::Set(std::string_view key, std::string text) {
  bool found = false;
  for (JsonMember& member : document_.MutableMembers()) {
    if (member.key == key) {
      member.value = JsonValue(text);
      found = true;
    }
  }
  if (!found) document_.AddMember(std::string(key), JsonValue(std::move(text)));
  Write();
}

void StateStore::Write() {
  if (path_.empty()) return;
  if (keepAside_) {
    if (!KeepUnreadableAside(*files_, path_)) return;  // try again at the next change
    keepAside_ = false;
  }
  AtomicWriteFile(*files_, path_, WriteJsonCompact(document_));
}

}  // namespace tessary
