#pragma once
// Files that cannot be written. OhneSchreibrecht takes every write bit of a file or a folder
// for the lifetime of the object and puts the permissions back afterwards; the program's
// writer refuses such a file or folder also for root. Schreibsperre stands for one of the
// ways a file cannot be rewritten, for tables of cases.

#include <sys/resource.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>

#include "tests/foundation/FileSizeLimit.h"

namespace tav::test {

class OhneSchreibrecht {
 public:
  explicit OhneSchreibrecht(std::filesystem::path pfad)
      : pfad_(std::move(pfad)), vorher_(std::filesystem::status(pfad_).permissions()) {
    using std::filesystem::perms;
    std::filesystem::permissions(pfad_, perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
  }
  ~OhneSchreibrecht() {
    std::error_code ec;
    std::filesystem::permissions(pfad_, vorher_, std::filesystem::perm_options::replace, ec);
  }
  OhneSchreibrecht(const OhneSchreibrecht&) = delete;
  OhneSchreibrecht& operator=(const OhneSchreibrecht&) = delete;

 private:
  std::filesystem::path pfad_;
  std::filesystem::perms vorher_;
};

// The file has no write bits; its folder has none; the disk has room for `platz` bytes
// beyond the file's present size.
enum class Sperre { Datei, Ordner, PlatteVoll };

struct SperrFall {
  const char* name;
  Sperre sperre;
  bool geaendert;  // the open project holds unsaved changes
};
inline constexpr SperrFall kSperrFaelle[] = {
    {"file without write bits", Sperre::Datei, false},
    {"folder without write bits", Sperre::Ordner, true},
    {"disk full", Sperre::PlatteVoll, false},
};

class Schreibsperre {
 public:
  Schreibsperre(Sperre art, const std::filesystem::path& datei, std::uintmax_t platz = 0) {
    if (art == Sperre::Datei) schutz_.emplace(datei);
    if (art == Sperre::Ordner) schutz_.emplace(datei.parent_path());
    if (art == Sperre::PlatteVoll)
      voll_.emplace(static_cast<rlim_t>(std::filesystem::file_size(datei) + platz));
  }

 private:
  std::optional<OhneSchreibrecht> schutz_;
  std::optional<FileSizeLimit> voll_;
};

}  // namespace tav::test
