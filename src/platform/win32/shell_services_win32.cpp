#include "platform/win32/shell_services_win32.h"

#include <vector>

#include "platform/win32/wide_text.h"

namespace tessary {

std::optional<ProgramVersion> FileVersionOf(const wchar_t* path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return std::nullopt;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(path, 0, size, block.data())) return std::nullopt;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
      fixed == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  return ProgramVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                        HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

std::optional<ProgramVersion> Win32ShellServices::OwnVersion() {
  // Long paths are allowed; grow the buffer until the whole name fits.
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::nullopt;
    if (length < path.size()) break;
    if (path.size() >= 32768) return std::nullopt;
    path.resize(path.size() * 2);
  }
  return FileVersionOf(path.data());
}

namespace {

// A string value under HKEY_LOCAL_MACHINE; empty when missing or not text.
std::string MachineText(const wchar_t* key, const wchar_t* name) {
  wchar_t value[256] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return Utf8FromWide(value, wcslen(value));
}

}  // namespace

SystemDescription Win32ShellServices::DescribeSystem() {
  constexpr const wchar_t* kVersionKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  constexpr const wchar_t* kBiosKey = L"HARDWARE\\DESCRIPTION\\System\\BIOS";
  return SystemDescription{MachineText(kVersionKey, L"CurrentBuild"),
                           MachineText(kVersionKey, L"DisplayVersion"),
                           MachineText(kBiosKey, L"SystemManufacturer"),
                           MachineText(kBiosKey, L"SystemProductName"),
                           GetSystemMetrics(SM_CMONITORS)};
}

}  // namespace tessary
