#include "window_host_client.h"

#include <cstdio>

namespace tessary::testing {
namespace {

constexpr wchar_t kHostName[] = L"tessary_win32_window_host.exe";

// Under Wine on an X server without a window manager, Wine takes the X window's stale
// maximized state back after every move of a restored window. Wine manages the host's
// windows itself when told so, which behaves like Windows.
void LetWineManageTheHostsWindows() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) return;
  std::wstring key = L"Software\\Wine\\AppDefaults\\";
  key += kHostName;
  key += L"\\X11 Driver";
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(handle, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"),
                 2 * sizeof(wchar_t));
  RegCloseKey(handle);
}

}  // namespace

std::wstring OwnExecutablePath() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length);
}

WindowHost& WindowHost::Get() {
  static WindowHost host;
  return host;
}

WindowHost::WindowHost() {
  path_ = OwnExecutablePath();
  path_.erase(path_.find_last_of(L'\\') + 1);
  path_ += kHostName;
  LetWineManageTheHostsWindows();

  const std::wstring ownId = std::to_wstring(GetCurrentProcessId());
  std::wstring commandLine = L"\"" + path_ + L"\" " + ownId;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(path_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    return;
  }
  process_ = info.hProcess;
  CloseHandle(info.hThread);
  const std::wstring title = L"TessaryTestHost " + ownId;
  for (int attempt = 0; attempt < 200 && control_ == nullptr; ++attempt) {
    if (WaitForSingleObject(process_, 50) == WAIT_OBJECT_0) break;  // it could not start
    control_ = FindWindowExW(HWND_MESSAGE, nullptr, L"TessaryTestHostControl", title.c_str());
  }
}

// The host ends with this process.
WindowHost::~WindowHost() {
  if (process_ != nullptr) CloseHandle(process_);
}

HWND WindowHost::Ask(const std::string& command) {
  if (control_ == nullptr) return nullptr;
  COPYDATASTRUCT data{0, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
  DWORD_PTR answer = 0;
  // Blocking: nothing reaches this thread meanwhile (the event tests count on it).
  if (!SendMessageTimeoutW(control_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                           SMTO_BLOCK | SMTO_ABORTIFHUNG, 10000, &answer)) {
    return nullptr;
  }
  return reinterpret_cast<HWND>(answer);
}

HWND WindowHost::Create(const std::string& kind, int width, int height) {
  return Ask(kind + " " + std::to_string(width) + " " + std::to_string(height));
}

bool WindowHost::RaiseEvent(DWORD event, HWND window, LONG object) {
  char command[96];
  std::snprintf(command, sizeof(command), "event %lx %ld %llx", static_cast<unsigned long>(event),
                static_cast<long>(object),
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return Ask(command) != nullptr;
}

}  // namespace tessary::testing
