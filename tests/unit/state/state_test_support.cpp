#include "state_test_support.h"

#include <fstream>
#include <random>
#include <sstream>

namespace tessary::testing {
namespace {

std::filesystem::path FsPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

TempFolder::TempFolder() {
  std::random_device random;
  std::filesystem::path base = std::filesystem::temp_directory_path();
  for (;;) {
    std::filesystem::path candidate = base / ("tessary-state-" + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = Utf8(candidate);
      return;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::remove_all(FsPath(path_), error);
}

std::optional<std::string> ReadWhole(const std::string& path) {
  std::ifstream file(FsPath(path), std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteWhole(const std::string& path, const std::string& bytes) {
  std::ofstream file(FsPath(path), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(FsPath(path), error);
}

bool TestFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  if (crashed) return false;
  changes.push_back("write " + path);
  switch (fault) {
    case Fault::kCannotCreate:
      return false;
    case Fault::kDiskFull:
      SystemFileSystem::WriteFile(path, bytes.substr(0, bytes.size() / 2));
      return false;
    default:
      return SystemFileSystem::WriteFile(path, bytes);
  }
}

bool TestFileSystem::RenameReplacing(const std::string& from, const std::string& to) {
  if (crashed) return false;
  if (fault == Fault::kCrashBeforeRename) {
    crashed = true;
    return false;
  }
  if (fault == Fault::kRenameFails) return false;
  changes.push_back("replace " + from + " " + to);
  return SystemFileSystem::RenameReplacing(from, to);
}

bool TestFileSystem::CreateFolder(const std::string& path) {
  if (crashed) return false;
  changes.push_back("folder " + path);
  return SystemFileSystem::CreateFolder(path);
}

bool TestFileSystem::RemoveFile(const std::string& path) {
  if (crashed) return false;
  changes.push_back("remove " + path);
  return SystemFileSystem::RemoveFile(path);
}

std::optional<std::string> TestFileSystem::EnvironmentVariable(const std::string& name) {
  auto found = environment.find(name);
  if (found == environment.end()) return std::nullopt;
  return found->second;
}

}  // namespace tessary::testing
