#pragma once

// The sign-in entry of Windows: a string value under the current user's Run key holding
// the quoted path of the running program, unless the program is packaged, when the
// platform's own startup list applies.

#include <string>

#include "platform/startup_entry.h"

namespace tessary {

class Win32StartupEntry : public StartupEntry {
 public:
  // `valueName` is "Tessary" in the program; tests use a name of their own.
  explicit Win32StartupEntry(std::string valueName = "Tessary");

  bool ManagedByPackage() const override;
  bool IsRegistered() const override;
  bool SetRegistered(bool on) override;

  // The text written as the value: the running program's full path in double quotes;
  // empty when the path cannot be read.
  static std::string ProgramCommand();

 private:
  std::string valueName_;
};

}  // namespace tessary
