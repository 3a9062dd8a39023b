#pragma once

// The per-user entry that starts Tessary when the user signs in. The system's entry is the
// truth; the stored setting only mirrors it.

namespace tessary {

class StartupEntry {
 public:
  virtual ~StartupEntry() = default;
  // A packaged program is started by the platform's own startup list, which the user
  // manages in the system settings; the entry below is then not used by the program.
  virtual bool ManagedByPackage() const = 0;
  // Whether the program's own entry is there (regardless of packaging).
  virtual bool IsRegistered() const = 0;
  // Adds or removes the entry; false when the system refused.
  virtual bool SetRegistered(bool on) = 0;
};

// An entry held in memory: for tests, and for platforms without a sign-in list.
class MemoryStartupEntry : public StartupEntry {
 public:
  explicit MemoryStartupEntry(bool registered = false, bool packaged = false)
      : registered_(registered), packaged_(packaged) {}

  bool ManagedByPackage() const override { return packaged_; }
  bool IsRegistered() const override { return registered_; }
  bool SetRegistered(bool on) override {
    ++writes_;
    if (failWrites_) return false;
    registered_ = on;
    return true;
  }

  // Test hooks: the entry changed outside the program, or the system refuses writes.
  void SetOutside(bool registered) { registered_ = registered; }
  void FailWrites(bool fail) { failWrites_ = fail; }
  int Writes() const { return writes_; }

 private:
  bool registered_;
  bool packaged_;
  bool failWrites_ = false;
  int writes_ = 0;
};

}  // namespace tessary
