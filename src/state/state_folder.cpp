#include "state/state_folder.h"

#include "base/utf.h"

namespace tessary {
namespace {

// The override is read with a buffer of 260 wide characters: a longer value yields no
// text there and so counts as absent rather than as a cut path.
constexpr std::size_t kMaxOverrideUnits = 259;

}  // namespace

std::string StateFolder(FileSystem& files) {
  std::optional<std::string> local = files.LocalAppDataFolder();
  if (local && !local->empty()) {
    // Created even when the override is used, as the maker's other programs expect it.
    files.CreateFolder(JoinPath(*local, kMakerFolderName));
  }

  std::string folder;
  std::optional<std::string> override =
      files.EnvironmentVariable(std::string(kStateFolderVariable));
  if (override && !override->empty() && FromUtf8(*override).size() <= kMaxOverrideUnits) {
    // The user named the folder: used unchanged, even without a local data folder.
    folder = *override;
  } else if (local && !local->empty()) {
    folder = JoinPath(JoinPath(*local, kMakerFolderName), kStateFolderName);
  } else {
    return {};
  }
  files.CreateFolder(folder);
  return folder;
}

std::string StateFilePath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return {};
  return JoinPath(folder, name);
}

}  // namespace tessary
