#include "platform/win32/file_system_win32.h"

// windows.h first: the shell headers rely on its definitions.
#include <windows.h>
//
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

// Closes the handle when the scope ends.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (Valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }
  HANDLE Release() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }

 private:
  HANDLE handle_;
};

}  // namespace

FileRead Win32FileSystem::ReadFile(const std::string& path, std::size_t maxBytes) {
  FileRead result;
  Handle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    DWORD error = GetLastError();
    result.status = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                        ? ReadStatus::kMissing
                        : ReadStatus::kFailed;
    return result;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
    result.status = ReadStatus::kFailed;
    return result;
  }
  auto total = static_cast<unsigned long long>(size.QuadPart);
  result.truncated = total > maxBytes;
  result.bytes.resize(result.truncated ? maxBytes : static_cast<std::size_t>(total));
  std::size_t done = 0;
  while (done < result.bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - done, 1u << 30));
    DWORD got = 0;
    if (!::ReadFile(file.Get(), result.bytes.data() + done, chunk, &got, nullptr)) {
      result.status = ReadStatus::kFailed;
      result.bytes.clear();
      return result;
    }
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  result.bytes.resize(done);
  result.status = ReadStatus::kOk;
  return result;
}

bool Win32FileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  if (bytes.size() > 0xFFFFFFFFu) return false;  // one call writes at most 4 GiB
  Handle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  DWORD wrote = 0;
  BOOL ok =
      ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  // On disk before the caller renames it over the real file, so that a power cut right
  // after the rename cannot leave an empty file behind.
  ok = ok && FlushFileBuffers(file.Get());
  bool closed = CloseHandle(file.Release()) != 0;
  return ok && wrote == bytes.size() && closed;
}

bool Win32FileSystem::RenameReplacing(const std::string& from, const std::string& to) {
  return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING) != 0;
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
  std::wstring wide = WideFromUtf8(path);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
  DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::Exists(const std::string& path) {
  return GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  return DeleteFileW(WideFromUtf8(path).c_str()) != 0;
}

bool Win32FileSystem::AppendToFile(const std::string& path, std::string_view bytes) {
  // Shared for reading and writing, so the user can open the recording while it grows.
  HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& folder,
                                                    std::string_view prefix,
                                                    std::string_view suffix) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(WideFromUtf8(JoinPath(folder, "*")).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    std::string name = Utf8FromWide(found.cFileName, wcslen(found.cFileName));
    if (NameMatches(name, prefix, suffix)) names.push_back(std::move(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::optional<std::string> Win32FileSystem::LocalAppDataFolder() {
  PWSTR folder = nullptr;
  HRESULT hr = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder);
  std::optional<std::string> result;
  if (SUCCEEDED(hr) && folder != nullptr && folder[0] != L'\0') {
    result = Utf8FromWide(folder, wcslen(folder));
  }
  CoTaskMemFree(folder);  // also required after a failure
  return result;
}

std::optional<std::string> Win32FileSystem::EnvironmentVariable(const std::string& name) {
  std::wstring wideName = WideFromUtf8(name);
  SetLastError(ERROR_SUCCESS);
  DWORD needed = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (needed == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();  // defined with an empty value
  }
  // The value may change between the two calls; retry with the larger size it reports.
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::wstring value(needed, L'\0');
    DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), needed);
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (length < needed) return Utf8FromWide(value.data(), length);
    needed = length;
  }
  return std::nullopt;
}

}  // namespace tessary
