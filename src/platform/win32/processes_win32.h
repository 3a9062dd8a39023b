#pragma once

// Processes and application identity: image paths, packaged identity, version
// descriptions and token elevation.

#include "platform/processes.h"

namespace tessary {

class Win32Processes : public Processes {
 public:
  ProcessId CurrentProcess() override;
  std::optional<std::string> ImagePath(ProcessId process) override;
  std::optional<std::string> AppUserModelId(ProcessId process) override;
  std::optional<bool> IsElevated(ProcessId process) override;
  bool CurrentIsElevated() override;
  bool CurrentHasUiAccess() override;
  std::optional<std::string> CurrentPackageFamilyName() override;
  std::optional<std::string> FileDescription(const std::string& path) override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
};

}  // namespace tessary
