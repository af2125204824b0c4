#include "support/TempDir.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tav::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("tavtest_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void TempDir::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + (path_ / name).string());
  out << bytes;
}

void TempDir::DeviceLink(const std::string& name) const {
  const std::filesystem::path geraet = path_ / (name + ".geraet");
  const bool eigenes = ::mknod(geraet.c_str(), S_IFCHR | 0644, ::makedev(1, 5)) == 0;
  std::filesystem::create_symlink(eigenes ? geraet : std::filesystem::path("/dev/zero"), path_ / name);
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + (path_ / name).string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace tav::test
