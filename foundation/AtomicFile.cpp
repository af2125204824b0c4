#include "foundation/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <new>
#include <optional>
#include <thread>
#include <system_error>
#include <vector>

#include "foundation/CodePage.h"
#include "foundation/StatusSink.h"
#include "foundation/TextTable.h"

namespace tav {

namespace fs = std::filesystem;

namespace {

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

// A file that is a symbolic link is replaced where it points, not the link itself.
fs::path ResolveTarget(const fs::path& target) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(target, ec))) return target;
  fs::path real = fs::canonical(target, ec);
  return ec ? target : real;
}

}  // namespace

std::string WriteFailureText(const fs::path& file, const std::string& reason) {
  return TextMit(TX::DateiNichtGeschrieben, {file.string(), reason});
}

std::string FehlendesLinkZiel(const fs::path& target) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(target, ec))) return {};
  if (fs::exists(fs::status(target, ec))) return {};
  const fs::path ziel = fs::read_symlink(target, ec);
  return WriteFailureText(target, TextMit(TX::GrundVerweis, {ec ? T(TX::GrundEineDatei) : ziel.string()}));
}

namespace {

mode_t NewFileMode(const fs::path& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  // A new file gets what the process would give any file it creates.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

constexpr std::string_view kTempMarke = ".tavtmp-";
constexpr std::size_t kTempZufall = 6;     // the characters mkstemp puts for "XXXXXX"
constexpr std::size_t kTempNameMax = 200;  // room for the marks within the 255 bytes of a name

// Why a file is neither read nor replaced; empty when it is a regular file.
std::string NotARegularFile(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return {};
  if (S_ISDIR(st.st_mode)) return T(TX::GrundOrdner);
  return T(TX::GrundKeineDatei);
}

// True when the entry exists and no one has a write bit on it.
bool WithoutWriteBit(const fs::path& entry) {
  struct stat st {};
  return ::stat(entry.c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
}

// 0 when an existing file may be replaced (or there is none), else the errno value why not.
int WriteProtection(const fs::path& file) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return 0;
  if (::access(file.c_str(), W_OK) != 0) return errno;
  return WithoutWriteBit(file) ? EACCES : 0;
}

void SyncFolder(const fs::path& folder) {
  const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd < 0) return;
  ::fsync(dfd);  // durability of the rename; the new content is already in place
  ::close(dfd);
}

}  // namespace

std::string TempFileTemplate(const fs::path& target) {
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string name = target.filename().string();
  if (name.size() > kTempNameMax) name.resize(kTempNameMax);
  return (folder / ("." + name + std::string(kTempMarke) + std::string(kTempZufall, 'X'))).string();
}

bool IsOwnTempFileName(std::string_view FileName) {
  const std::size_t rest = kTempMarke.size() + kTempZufall;
  if (FileName.size() < 2 + rest || FileName.front() != '.') return false;
  const std::size_t marke = FileName.size() - rest;
  if (FileName.substr(marke, kTempMarke.size()) != kTempMarke) return false;
  for (const char c : FileName.substr(marke + kTempMarke.size())) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alnum) return false;
  }
  return true;
}

namespace {

// Calls `entferne(entry, st)` for each regular file in `folder` (a link is not followed)
// whose name `eigen` accepts; returns how many of them it removed. An unlistable folder has
// nothing to tidy.
template <class Eigen, class Entferne>
std::size_t RaeumeAuf(const fs::path& folder, Eigen eigen, Entferne entferne) {
  std::size_t removed = 0;
  try {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path entry = it->path();
      if (!eigen(entry.filename().string())) continue;
      struct stat st {};
      if (::lstat(entry.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      if (entferne(entry, st)) ++removed;
    }
  } catch (const std::exception&) {
    // an unlistable folder: nothing to tidy
  }
  return removed;
}

}  // namespace

std::size_t RemoveStaleTempFiles(const fs::path& folder, std::chrono::seconds minAge) {
  const std::time_t jetzt = std::time(nullptr);
  return RaeumeAuf(folder, IsOwnTempFileName, [&](const fs::path& entry, const struct stat& st) {
    // The status-change time, unlike the modification time, cannot have been set back by
    // a copy that keeps its source's date.
    return jetzt - st.st_ctim.tv_sec >= minAge.count() && ::unlink(entry.c_str()) == 0;
  });
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

bool WriteAllToFd(int fd, std::string_view bytes, int& err) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

bool WriteFileAtomic(const fs::path& target, std::string_view bytes, std::string* error) {
  try {
    if (std::string fehlt = FehlendesLinkZiel(target); !fehlt.empty()) {
      SetError(error, fehlt);
      return false;
    }
    const fs::path real = ResolveTarget(target);
    fs::path folder = real.parent_path();
    if (folder.empty()) folder = ".";
    // Only a regular file is replaced: renaming over a pipe or a device (a link may point at
    // one) would put a file in its place.
    struct stat st {};
    if (::stat(real.c_str(), &st) == 0) {
      if (std::string why = NotARegularFile(st); !why.empty()) {
        SetError(error, WriteFailureText(target, why));
        return false;
      }
    }
    // A write-protected file stays protected, although the folder would allow the rename.
    // The write bits decide, not only access(): root may write anything, yet a file or
    // folder the user made read-only is meant to stay as it is.
    if (const int err = WriteProtection(real); err != 0) {
      SetError(error, WriteFailureText(target, SystemGrund(err)));
      return false;
    }
    if (WithoutWriteBit(folder)) {
      SetError(error, WriteFailureText(target, SystemGrund(EACCES)));
      return false;
    }

    std::string tmpl = TempFileTemplate(real);
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
      SetError(error, WriteFailureText(target, SystemGrund(errno)));
      return false;
    }
    const std::string tmp(name.data());
    int err = 0;
    bool ok = WriteAllToFd(fd, bytes, err);
    if (ok && ::fchmod(fd, NewFileMode(real)) != 0) ok = false, err = errno;
    if (ok && ::fsync(fd) != 0) ok = false, err = errno;
    if (::close(fd) != 0 && ok) ok = false, err = errno;
    if (ok && ::rename(tmp.c_str(), real.c_str()) != 0) ok = false, err = errno;
    if (!ok) {
      ::unlink(tmp.c_str());
      SetError(error, WriteFailureText(target, SystemGrund(err)));
      return false;
    }
    SyncFolder(folder);
    if (error) error->clear();
    return true;
  } catch (const std::exception& e) {
    SetError(error, WriteFailureText(target, e.what()));
    return false;
  }
}

fs::path LockFilePath(const fs::path& target) {
  const fs::path real = ResolveTarget(target);
  std::string name = real.filename().string();
  if (name.size() > kTempNameMax) name.resize(kTempNameMax);
  return real.parent_path() / ("." + name + ".tavlock");
}

namespace {

constexpr std::string_view kSperrEndung = ".tavlock";
// How long a wait for another program's lock goes unseen: a save of the other program
// usually ends within it.
constexpr auto kMoment = std::chrono::milliseconds(150);

std::atomic<StatusSink*> g_sperrAnzeige{nullptr};

// Opens the lock file `lock`: for reading and writing, created when missing, where that is
// allowed; else read-only, which flock takes as well. `eigene` tells whether the file may be
// removed on release (a read-only one is someone else's, or none of ours). -1 with errno
// when neither works.
int OeffneSperrdatei(const fs::path& lock, bool& eigene) {
  eigene = true;
  // A lock file without write bits is not written to, nor made in a folder without them,
  // also by root: the rule of every file.
  fs::path folder = lock.parent_path();
  if (folder.empty()) folder = ".";
  if (!WithoutWriteBit(lock) && !WithoutWriteBit(folder)) {
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd >= 0 || (errno != EACCES && errno != EPERM && errno != EISDIR && errno != EROFS))
      return fd;
  }
  eigene = false;
  return ::open(lock.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
}

bool SelbeDatei(int fd, const fs::path& name) {
  struct stat offen {}, unterNamen {};
  return ::fstat(fd, &offen) == 0 && ::lstat(name.c_str(), &unterNamen) == 0 &&
         offen.st_ino == unterNamen.st_ino && offen.st_dev == unterNamen.st_dev;
}

// Status text and busy cursor while a wait lasts, cleared at its end.
class WarteAnzeige {
 public:
  explicit WarteAnzeige(const fs::path& target) : target_(target) {}
  ~WarteAnzeige() {
    if (!sink_) return;
    sink_->Busy(false);
    sink_->Status("");
  }
  void Wartet(std::chrono::steady_clock::time_point beginn) {
    if (sink_ || std::chrono::steady_clock::now() - beginn < kMoment) return;
    sink_ = g_sperrAnzeige.load();
    if (!sink_) return;
    sink_->Status("Warte auf " + target_.string() + ": ein anderes Programm schreibt sie ...");
    sink_->Busy(true);
  }

 private:
  fs::path target_;
  StatusSink* sink_ = nullptr;
};

}  // namespace

void SetLockWaitStatus(StatusSink* sink) { g_sperrAnzeige.store(sink); }

bool IsOwnLockFileName(std::string_view FileName) {
  return FileName.size() > kSperrEndung.size() + 1 && FileName.front() == '.' &&
         FileName.substr(FileName.size() - kSperrEndung.size()) == kSperrEndung;
}

FileWriteLock::FileWriteLock(const fs::path& target, std::chrono::milliseconds wait) {
  try {
    const fs::path lock = LockFilePath(target);
    const auto beginn = std::chrono::steady_clock::now();
    const auto ende = beginn + wait;
    WarteAnzeige anzeige(target);
    for (;;) {
      bool eigene = true;
      fd_ = OeffneSperrdatei(lock, eigene);
      if (fd_ < 0) {
        const int err = errno;
        // No lock file possible where nothing can be created: the write reports why it
        // cannot write. One that is there and cannot be opened keeps the write out.
        if (err == ENOENT) return;
        ok_ = false;
        error_ = WriteFailureText(target, TextMit(TX::GrundSperrdatei, {lock.string(), SystemGrund(err)}));
        return;
      }
      bool besetzt = false;
      if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        // The holder before removes the lock file when it is done: a lock on a file that is
        // no longer under the name keeps no one out, so the name is tried again.
        if (SelbeDatei(fd_, lock)) {
          if (eigene) lockFile_ = lock;
          return;
        }
      } else if (errno == EWOULDBLOCK || errno == EINTR) {
        besetzt = true;
      } else {
        return;  // a file system without locks: the write goes on as without one
      }
      ::close(fd_);
      fd_ = -1;
      if (std::chrono::steady_clock::now() >= ende) break;
      if (besetzt) {
        anzeige.Wartet(beginn);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    }
  } catch (const std::exception&) {
    // fall through: treated as a lock another program keeps
  }
  ok_ = false;
  error_ = WriteFailureText(target, T(TX::GrundAnderesProgramm));
}

FileWriteLock::~FileWriteLock() {
  // Removed while still held, so the folder keeps no lock files; whoever waits on it sees the
  // name gone and takes a new one.
  if (!lockFile_.empty()) ::unlink(lockFile_.c_str());
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

std::size_t RemoveStaleLockFiles(const fs::path& folder) {
  return RaeumeAuf(folder, IsOwnLockFileName, [](const fs::path& entry, const struct stat&) {
    const int fd = ::open(entry.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;  // not ours to remove
    // Free means that no program holds it; one that takes it meanwhile opened the name
    // before it was removed and tries again under the new one, as after any release.
    const bool weg = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && SelbeDatei(fd, entry) &&
                     ::unlink(entry.c_str()) == 0;
    ::close(fd);
    return weg;
  });
}

std::string ReadFailureText(const fs::path& file, const std::string& reason) {
  return TextMit(TX::DateiNichtGelesen, {file.string(), reason});
}

namespace {

std::string SizeText(std::uintmax_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MB";
  return std::to_string(bytes) + " Bytes";
}

}  // namespace

bool ReadWholeFile(const fs::path& file, std::string& bytes, std::string* error, std::uintmax_t maxBytes) {
  bytes.clear();
  auto fail = [&](const std::string& reason) {
    bytes.clear();
    bytes.shrink_to_fit();
    SetError(error, ReadFailureText(file, reason));
    return false;
  };
  // Examined before it is opened: opening a named pipe waits for a writer, and opening a
  // device may act on it.
  struct stat vorher {};
  if (::stat(file.c_str(), &vorher) != 0) return fail(SystemGrund(errno));
  if (std::string why = NotARegularFile(vorher); !why.empty()) return fail(why);
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return fail(SystemGrund(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  // The name may have been given to something else in between; what is open counts.
  struct stat st {};
  if (::fstat(fd, &st) != 0) return fail(SystemGrund(errno));
  if (std::string why = NotARegularFile(st); !why.empty()) return fail(why);
  const auto tooLarge = [&] { return fail(TextMit(TX::GrundGroesser, {SizeText(maxBytes)})); };
  if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) return tooLarge();
  try {
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0) {
        if (errno == EINTR) continue;
        return fail(SystemGrund(errno));
      }
      if (n == 0) break;
      // A file that grows while it is read is held to the same bound.
      if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) return tooLarge();
      bytes.append(buf, static_cast<std::size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    return fail(T(TX::GrundSpeicher));
  }
  if (error) error->clear();
  return true;
}

bool NurLeerraum(std::string_view bytes) {
  if (HasUtf8Bom(bytes)) bytes.remove_prefix(3);
  return bytes.find_first_not_of(" \t\r\n\x1a") == std::string_view::npos;
}

fs::path FindFileNoCase(const fs::path& folder, const std::string& name) {
  const fs::path exact = folder / name;
  std::error_code ec;
  if (fs::exists(fs::symlink_status(exact, ec))) return exact;
  // The folder's names straight from the directory stream: a directory iterator builds a
  // path per entry, which made the start's look-ups of the data files cost millions of
  // instructions. An unlistable folder gives the name as given.
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return exact;
  std::optional<std::string> best;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view entry(e->d_name);
    if (entry == "." || entry == "..") continue;
    if (EqualsNoCase(entry, name) && (!best || entry < *best)) best = std::string(entry);
  }
  ::closedir(dir);
  return best ? folder / *best : exact;
}

}  // namespace tav
