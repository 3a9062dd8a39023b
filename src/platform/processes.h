#pragma once

// Processes and what identifies an application: image path, packaged identity, version
// description, elevation; and this process's own environment.

#include <optional>
#include <string>

#include "platform/ids.h"

namespace tessary {

class Processes {
 public:
  virtual ~Processes() = default;

  // GetCurrentProcessId.
  virtual ProcessId CurrentProcess() = 0;
  // OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION) + QueryFullProcessImageNameW (Win32
  // path form, buffer of 520 characters), as UTF-8. Absent when the process cannot be
  // opened or the path not read.
  virtual std::optional<std::string> ImagePath(ProcessId process) = 0;
  // OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION) + GetApplicationUserModelId (buffer of
  // 130 characters). Absent for an unpackaged process or one that cannot be opened.
  virtual std::optional<std::string> AppUserModelId(ProcessId process) = 0;
  // OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION) + OpenProcessToken +
  // GetTokenInformation(TokenElevation). Absent when the process or its token cannot be
  // opened.
  virtual std::optional<bool> IsElevated(ProcessId process) = 0;
  // TokenElevation of this process's own token; false when it cannot be read.
  virtual bool CurrentIsElevated() = 0;
  // TokenUIAccess of this process's own token; false when it cannot be read.
  virtual bool CurrentHasUiAccess() = 0;
  // GetCurrentPackageFamilyName with a buffer of 128 characters; absent when this process
  // has no package identity.
  virtual std::optional<std::string> CurrentPackageFamilyName() = 0;
  // The version resource's FileDescription for the first translation
  // (GetFileVersionInfoSizeW, GetFileVersionInfoW, VerQueryValueW of
  // "\VarFileInfo\Translation" then "\StringFileInfo\%04x%04x\FileDescription"). Absent
  // when any step fails; may be empty.
  virtual std::optional<std::string> FileDescription(const std::string& path) = 0;
  // GetEnvironmentVariableW; absent when the variable is not defined at all.
  virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
};

}  // namespace tessary
