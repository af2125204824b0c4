#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it.

#include <filesystem>
#include <string>

namespace tav::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // Writes bytes exactly as given (no code-page or line-end conversion).
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;

  // Makes `name` a symbolic link to a device that never ends (reads give zero bytes without
  // end). The device is a node of its own in this folder where the process may make one, so
  // code that wrongly writes through the link replaces that node, never the system's device;
  // otherwise the link points to /dev/zero, which such a process cannot replace.
  void DeviceLink(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace tav::test
