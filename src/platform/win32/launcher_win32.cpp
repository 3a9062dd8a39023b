#include "platform/win32/launcher_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace tessary {

bool Win32Launcher::PathExists(const std::string& path) {
  if (path.empty()) return false;
  std::wstring widePath = WideFromUtf8(path);
  return GetFileAttributesW(widePath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Launcher::ShellOpen(const std::string& file, const std::string& parameters) {
  if (file.empty()) return false;
  std::wstring wideFile = WideFromUtf8(file);
  std::wstring wideParameters = WideFromUtf8(parameters);
  HINSTANCE result = ShellExecuteW(nullptr, L"open", wideFile.c_str(),
                                   parameters.empty() ? nullptr : wideParameters.c_str(), nullptr,
                                   SW_SHOWNOACTIVATE);
  // ShellExecuteW answers an error code below 33 in place of a module handle.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace tessary
