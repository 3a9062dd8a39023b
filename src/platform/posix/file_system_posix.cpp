#include "platform/posix/file_system_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tessary {
namespace {

// Closes the descriptor when the scope ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Writes every byte, going on after a signal interrupts a write; false on any failure.
bool WriteAll(int descriptor, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(descriptor, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

}  // namespace

FileRead PosixFileSystem::ReadFile(const std::string& path, std::size_t maxBytes) {
  FileRead result;
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) {
    result.status = errno == ENOENT ? ReadStatus::kMissing : ReadStatus::kFailed;
    return result;
  }
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0 || S_ISDIR(info.st_mode)) {
    result.status = ReadStatus::kFailed;
    return result;
  }
  std::size_t size = static_cast<std::size_t>(info.st_size);
  result.truncated = size > maxBytes;
  result.bytes.resize(result.truncated ? maxBytes : size);
  std::size_t done = 0;
  while (done < result.bytes.size()) {
    ssize_t got = ::read(file.Get(), result.bytes.data() + done, result.bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result.status = ReadStatus::kFailed;
      result.bytes.clear();
      return result;
    }
    if (got == 0) break;  // the file shrank meanwhile
    done += static_cast<std::size_t>(got);
  }
  result.bytes.resize(done);
  result.status = ReadStatus::kOk;
  return result;
}

bool PosixFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (file.Get() < 0) return false;
  if (!WriteAll(file.Get(), bytes)) return false;
  // The data must be on disk before the caller renames this file over the real one:
  // otherwise a power cut right after the rename can leave an empty file behind.
  if (::fsync(file.Get()) != 0) return false;
  // A failing close can be the first report of a full disk.
  return ::close(file.Release()) == 0;
}

bool PosixFileSystem::RenameReplacing(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFileSystem::CreateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0755) == 0) return true;
  struct stat info {};
  return errno == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixFileSystem::Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

bool PosixFileSystem::RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool PosixFileSystem::AppendToFile(const std::string& path, std::string_view bytes) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
  if (file.Get() < 0) return false;
  return WriteAll(file.Get(), bytes);
}

std::vector<std::string> PosixFileSystem::ListFiles(const std::string& folder,
                                                    std::string_view prefix,
                                                    std::string_view suffix) {
  std::vector<std::string> names;
  DIR* directory = ::opendir(folder.c_str());
  if (directory == nullptr) return names;
  while (const dirent* entry = ::readdir(directory)) {
    if (NameMatches(entry->d_name, prefix, suffix)) names.emplace_back(entry->d_name);
  }
  ::closedir(directory);
  return names;
}

std::optional<std::string> PosixFileSystem::LocalAppDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return std::string(data);
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return std::nullopt;
  std::string local = JoinPath(home, ".local");
  CreateFolder(local);
  std::string share = JoinPath(local, "share");
  CreateFolder(share);
  return share;
}

std::optional<std::string> PosixFileSystem::EnvironmentVariable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace tessary
