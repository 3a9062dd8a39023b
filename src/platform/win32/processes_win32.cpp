#include "platform/win32/processes_win32.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

// The package functions exist only from Windows 8 on and are missing from some SDK
// headers, so they are looked up at run time.
using GetApplicationUserModelIdFn = LONG(WINAPI*)(HANDLE, UINT32*, PWSTR);
using GetCurrentPackageFamilyNameFn = LONG(WINAPI*)(UINT32*, PWSTR);

FARPROC Kernel32Function(const char* name) {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  return kernel != nullptr ? GetProcAddress(kernel, name) : nullptr;
}

template <typename Function>
Function LookUp(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(Kernel32Function(name)));
}

// Closes the handle when the scope ends.
class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ~ScopedHandle() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_;
};

ScopedHandle OpenForQuery(ProcessId process) {
  return ScopedHandle(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ToProcessNumber(process)));
}

// TokenElevation or TokenUIAccess of a process's token; absent when unreadable.
std::optional<bool> TokenFlag(HANDLE process, TOKEN_INFORMATION_CLASS kind) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
  ScopedHandle owned(token);
  DWORD value = 0;  // TOKEN_ELEVATION is one DWORD, as is the UI-access flag
  DWORD size = 0;
  if (!GetTokenInformation(token, kind, &value, sizeof(value), &size)) return std::nullopt;
  return value != 0;
}

}  // namespace

ProcessId Win32Processes::CurrentProcess() { return ToProcessId(GetCurrentProcessId()); }

std::optional<std::string> Win32Processes::ImagePath(ProcessId process) {
  ScopedHandle handle = OpenForQuery(process);
  if (!handle) return std::nullopt;
  wchar_t path[520] = {};
  DWORD length = 520;
  if (!QueryFullProcessImageNameW(handle.Get(), 0, path, &length)) return std::nullopt;
  return Utf8FromWide(path, length);
}

std::optional<std::string> Win32Processes::AppUserModelId(ProcessId process) {
  static const auto getId = LookUp<GetApplicationUserModelIdFn>("GetApplicationUserModelId");
  if (getId == nullptr) return std::nullopt;
  ScopedHandle handle = OpenForQuery(process);
  if (!handle) return std::nullopt;
  wchar_t id[130] = {};
  UINT32 length = 130;
  if (getId(handle.Get(), &length, id) != ERROR_SUCCESS) return std::nullopt;
  return Utf8FromBuffer(id);
}

std::optional<bool> Win32Processes::IsElevated(ProcessId process) {
  ScopedHandle handle = OpenForQuery(process);
  if (!handle) return std::nullopt;
  return TokenFlag(handle.Get(), TokenElevation);
}

bool Win32Processes::CurrentIsElevated() {
  return TokenFlag(GetCurrentProcess(), TokenElevation).value_or(false);
}

bool Win32Processes::CurrentHasUiAccess() {
  return TokenFlag(GetCurrentProcess(), TokenUIAccess).value_or(false);
}

std::optional<std::string> Win32Processes::CurrentPackageFamilyName() {
  static const auto getName = LookUp<GetCurrentPackageFamilyNameFn>("GetCurrentPackageFamilyName");
  if (getName == nullptr) return std::nullopt;
  wchar_t name[128] = {};
  UINT32 length = 128;
  if (getName(&length, name) != ERROR_SUCCESS) return std::nullopt;
  return Utf8FromBuffer(name);
}

std::optional<std::string> Win32Processes::FileDescription(const std::string& path) {
  std::wstring widePath = WideFromUtf8(path);
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<unsigned char> data(size);
  if (!GetFileVersionInfoW(widePath.c_str(), 0, size, data.data())) return std::nullopt;

  void* translations = nullptr;
  UINT translationBytes = 0;
  if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &translations,
                      &translationBytes) ||
      translations == nullptr || translationBytes < 4) {
    return std::nullopt;
  }
  const auto* first = static_cast<const WORD*>(translations);  // language, code page
  wchar_t query[64];
  std::swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\FileDescription",
                static_cast<unsigned>(first[0]), static_cast<unsigned>(first[1]));

  void* text = nullptr;
  UINT textLength = 0;  // in characters, counting the terminating NUL
  if (!VerQueryValueW(data.data(), query, &text, &textLength) || text == nullptr) {
    return std::nullopt;
  }
  const auto* description = static_cast<const wchar_t*>(text);
  // The length may count the terminating NUL or not; the text ends at the first NUL.
  std::size_t length = 0;
  while (length < textLength && description[length] != L'\0') ++length;
  return Utf8FromWide(description, length);
}

std::optional<std::string> Win32Processes::EnvironmentVariable(const std::string& name) {
  std::wstring wideName = WideFromUtf8(name);
  std::vector<wchar_t> value(256);
  // Another thread may change the variable between asking for its size and reading it.
  for (int attempt = 0; attempt < 3; ++attempt) {
    SetLastError(ERROR_SUCCESS);
    DWORD length =
        GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) {
      // Zero is also the answer for a variable that is defined but empty.
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (length < value.size()) return Utf8FromWide(value.data(), length);
    value.resize(length);  // too small: the answer is the size needed, with the NUL
  }
  return std::nullopt;
}

}  // namespace tessary
