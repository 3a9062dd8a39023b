#include "state/atomic_write.h"

#include "base/log.h"

namespace tessary {
namespace {

// Enough for years of damaged files; past that the file is left where it is and the
// caller keeps its state in memory rather than overwrite it.
constexpr int kMaxKeptCopies = 100;

}  // namespace

bool AtomicWriteFile(FileSystem& files, const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  std::string temporary = path + ".tmp";
  if (!files.WriteFile(temporary, bytes)) return false;
  return files.RenameReplacing(temporary, path);
}

bool KeepUnreadableAside(FileSystem& files, const std::string& path) {
  if (!files.Exists(path)) return true;
  for (int copy = 1; copy <= kMaxKeptCopies; ++copy) {
    std::string kept = path + ".unreadable";
    if (copy > 1) kept += "-" + std::to_string(copy);
    if (files.Exists(kept)) continue;
    if (!files.RenameReplacing(path, kept)) break;
    Log("state: kept unreadable %s as %s", path.c_str(), kept.c_str());
    return true;
  }
  Log("state: could not keep unreadable %s aside; not overwriting it", path.c_str());
  return false;
}

}  // namespace tessary
