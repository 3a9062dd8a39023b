#include "state_test_support.h"

#include <fstream>
#include <random>
#include <sstream>

#if defined(_WIN32)
#include "platform/win32/file_system_win32.h"
#else
#include "platform/posix/file_system_posix.h"
#endif

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

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
#if defined(_WIN32)
  return std::make_unique<Win32FileSystem>();
#else
  return std::make_unique<PosixFileSystem>();
#endif
}

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

TestFileSystem::TestFileSystem() : system_(MakeSystemFileSystem()) {}

FileRead TestFileSystem::ReadFile(const std::string& path, std::size_t maxBytes) {
  return system_->ReadFile(path, maxBytes);
}

bool TestFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  if (crashed) return false;
  changes.push_back("write " + path);
  switch (fault) {
    case Fault::kCannotCreate:
      return false;
    case Fault::kDiskFull:
      system_->WriteFile(path, bytes.substr(0, bytes.size() / 2));
      return false;
    default:
      return system_->WriteFile(path, bytes);
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
  return system_->RenameReplacing(from, to);
}

bool TestFileSystem::CreateFolder(const std::string& path) {
  if (crashed) return false;
  changes.push_back("folder " + path);
  return system_->CreateFolder(path);
}

bool TestFileSystem::Exists(const std::string& path) { return system_->Exists(path); }

bool TestFileSystem::RemoveFile(const std::string& path) {
  if (crashed) return false;
  changes.push_back("remove " + path);
  return system_->RemoveFile(path);
}

std::optional<std::string> TestFileSystem::EnvironmentVariable(const std::string& name) {
  auto found = environment.find(name);
  if (found == environment.end()) return std::nullopt;
  return found->second;
}

}  // namespace tessary::testing
