#include "window_host_client.h"

#include <cstdio>
#include <cstdlib>

namespace tessary::testing {
namespace {

constexpr wchar_t kHostName[] = L"tessary_win32_window_host.exe";

bool ReadLine(HANDLE pipe, std::string& line) {
  line.clear();
  char c = 0;
  DWORD read = 0;
  while (ReadFile(pipe, &c, 1, &read, nullptr) && read == 1) {
    if (c == '\n') return true;
    if (c != '\r') line.push_back(c);
  }
  return false;
}

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

  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE childInput = nullptr;
  HANDLE childOutput = nullptr;
  if (!CreatePipe(&childInput, &input_, &inherit, 0)) return;
  if (!CreatePipe(&output_, &childOutput, &inherit, 0)) return;
  SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = childInput;
  startup.hStdOutput = childOutput;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + path_ + L"\"";
  if (CreateProcessW(path_.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &info)) {
    process_ = info.hProcess;
    CloseHandle(info.hThread);
  }
  CloseHandle(childInput);
  CloseHandle(childOutput);
}

WindowHost::~WindowHost() {
  if (input_ != nullptr) CloseHandle(input_);  // end of input: the host quits
  if (process_ != nullptr) {
    if (WaitForSingleObject(process_, 3000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
    CloseHandle(process_);
  }
  if (output_ != nullptr) CloseHandle(output_);
}

std::string WindowHost::Ask(const std::string& command) {
  if (process_ == nullptr) return {};
  std::string line = command + "\n";
  DWORD written = 0;
  if (!WriteFile(input_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
      written != line.size()) {
    return {};
  }
  std::string answer;
  if (!ReadLine(output_, answer)) return {};
  return answer;
}

HWND WindowHost::Create(const std::string& kind, int width, int height) {
  std::string answer = Ask(kind + " " + std::to_string(width) + " " + std::to_string(height));
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(answer.c_str(), nullptr, 16)));
}

bool WindowHost::RaiseEvent(DWORD event, HWND window, LONG object) {
  char command[96];
  std::snprintf(command, sizeof(command), "event %lx %ld %llx", static_cast<unsigned long>(event),
                static_cast<long>(object),
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return !Ask(command).empty();
}

}  // namespace tessary::testing
