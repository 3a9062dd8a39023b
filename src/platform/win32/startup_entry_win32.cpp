#include "platform/win32/startup_entry_win32.h"

#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Present from Windows 8 on; looked up at run time so that an older system or Wine
// without it simply counts as unpackaged.
using PackageFamilyNameFunction = LONG(WINAPI*)(UINT32*, PWSTR);

}  // namespace

Win32StartupEntry::Win32StartupEntry(std::string valueName) : valueName_(std::move(valueName)) {}

bool Win32StartupEntry::ManagedByPackage() const {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return false;
  auto function = reinterpret_cast<PackageFamilyNameFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetCurrentPackageFamilyName")));
  if (function == nullptr) return false;
  UINT32 length = 0;
  LONG result = function(&length, nullptr);
  // An unpackaged process answers APPMODEL_ERROR_NO_PACKAGE; a packaged one asks for room.
  return result == ERROR_INSUFFICIENT_BUFFER && length > 0;
}

bool Win32StartupEntry::IsRegistered() const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0;
  LONG status =
      RegQueryValueExW(key, WideFromUtf8(valueName_).c_str(), nullptr, &type, nullptr, nullptr);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ);
}

bool Win32StartupEntry::SetRegistered(bool on) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::wstring name = WideFromUtf8(valueName_);
  LONG status;
  if (on) {
    std::wstring command = WideFromUtf8(ProgramCommand());
    if (command.empty()) {
      RegCloseKey(key);
      return false;
    }
    status =
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  } else {
    status = RegDeleteValueW(key, name.c_str());
    if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;  // already off
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

std::string Win32StartupEntry::ProgramCommand() {
  // Grown until the path fits: a cut path would start nothing at sign-in.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  std::string command = "\"";
  command += Utf8FromWide(path);
  command += "\"";
  return command;
}

}  // namespace tessary
