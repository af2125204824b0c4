#include "foundation/FileUtil.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <system_error>

#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/TavMathe.h"
#include "foundation/TextTable.h"

namespace tav {

namespace fs = std::filesystem;

namespace {

bool KeptInFileName(char32_t c) {
  return c == U'-' || c == U'.' || c == U':' || (c >= U'0' && c <= U'9') ||
         (c >= U'a' && c <= U'z') || c == U'ß' || c == U'ä' || c == U'ö' || c == U'ü';
}

// Closes a file descriptor when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool Close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

// Copies the whole content of `in` to `out`.
bool CopyContent(int in, int out) {
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(in, buf, sizeof buf);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    int err = 0;
    if (!WriteAllToFd(out, std::string_view(buf, static_cast<std::size_t>(n)), err)) return false;
  }
}

std::string EnvFolder(const char* name) {
  const char* v = std::getenv(name);
  if (v == nullptr || v[0] != '/') return {};  // relative values are to be ignored
  return WithSlash(v);
}

}  // namespace

std::string SanitizeFileName(std::string_view Text) {
  std::string out;
  out.reserve(Text.size());
  std::size_t pos = 0;
  char32_t c;
  while (NextCodePoint(Text, pos, c)) {
    const char32_t lower = FoldCase(c);
    if (KeptInFileName(lower)) {
      AppendUtf8(out, lower);
    } else {
      out += '_';
    }
  }
  if (!out.empty() && out.back() == '_') out.pop_back();
  return out;
}

bool IsRegularFile(const fs::path& File) {
  std::error_code ec;
  return fs::is_regular_file(File, ec);
}

double FileDateOf(const fs::path& File) {
  struct stat st {};
  if (::stat(File.c_str(), &st) != 0) return 0.0;
  std::tm lt{};
  const std::time_t t = st.st_mtim.tv_sec;
  if (::localtime_r(&t, &lt) == nullptr) return 0.0;
  const double sekunden = lt.tm_hour * 3600.0 + lt.tm_min * 60.0 + std::min(lt.tm_sec, 59) +
                          double(st.st_mtim.tv_nsec) / 1e9;
  TDateTime tag = 0.0;
  if (!TryEncodeDate(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, tag)) return 0.0;
  return tag + sekunden / 86400.0;
}

bool CopyFileKeepDate(const fs::path& Source, const fs::path& Target, std::string* error) {
  const auto fail = [&](const std::string& grund) {
    if (error) *error = grund.empty() ? std::string() : WriteFailureText(Target, grund);
    return false;
  };
  std::error_code ec;
  if (!fs::is_regular_file(Source, ec)) return fail({});
  // A link is kept: the copy goes where it points, and nowhere when that is missing.
  if (std::string fehlt = FehlendesLinkZiel(Target); !fehlt.empty()) {
    if (error) *error = fehlt;
    return false;
  }
  fs::path ziel = Target;
  if (fs::is_symlink(fs::symlink_status(Target, ec))) {
    ziel = fs::canonical(Target, ec);
    if (ec) return fail(SystemGrund(ec.value()));
  }
  if (fs::exists(ziel, ec) && fs::equivalent(Source, ziel, ec)) return fail({});

  Fd in(::open(Source.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return fail(SystemGrund(errno));
  struct stat src {};
  if (::fstat(in.get(), &src) != 0) return fail(SystemGrund(errno));

  std::string tmpl = TempFileTemplate(ziel);
  Fd out(::mkostemp(tmpl.data(), O_CLOEXEC));
  if (out.get() < 0) return fail(SystemGrund(errno));

  const struct timespec zeiten[2] = {src.st_atim, src.st_mtim};
  // The copy is the user's working file: a read-only delivered file must not give a
  // read-only copy that every later save refuses.
  const mode_t modus = (src.st_mode & 07777) | S_IWUSR;
  errno = 0;
  const bool ok = CopyContent(in.get(), out.get()) && ::fchmod(out.get(), modus) == 0 &&
                  ::fsync(out.get()) == 0 && ::futimens(out.get(), zeiten) == 0 && out.Close() &&
                  ::rename(tmpl.c_str(), ziel.c_str()) == 0;
  const int err = errno;
  if (!ok) {
    ::unlink(tmpl.c_str());
    return fail(SystemGrund(err != 0 ? err : EIO));
  }
  if (error) error->clear();
  return ok;
}

bool ChangedSinceCopy(const fs::path& File) {
  struct stat st {};
  if (::stat(File.c_str(), &st) != 0) return false;
  // A copy sets the modification time back to the source's; the status-change time then
  // stays at the moment of the copy. Writing the file moves both to the same moment.
  constexpr std::time_t kSpielraum = 2;  // seconds
  return st.st_ctim.tv_sec - st.st_mtim.tv_sec < kSpielraum;
}

std::string HomeFolder() {
  std::string home = EnvFolder("HOME");
  if (!home.empty()) return home;
  struct passwd pw {};
  struct passwd* res = nullptr;
  char buf[4096];
  if (::getpwuid_r(::getuid(), &pw, buf, sizeof buf, &res) == 0 && res != nullptr &&
      res->pw_dir != nullptr && res->pw_dir[0] == '/') {
    return WithSlash(res->pw_dir);
  }
  return {};
}

namespace {

// The folder an XDG variable names, else its usual place under the home folder.
std::string XdgFolder(const char* variable, const char* underHome) {
  std::string d = EnvFolder(variable);
  if (!d.empty()) return d;
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + underHome;
}

}  // namespace

std::string XdgDataHome() { return XdgFolder("XDG_DATA_HOME", ".local/share/"); }
std::string XdgConfigHome() { return XdgFolder("XDG_CONFIG_HOME", ".config/"); }

std::string ExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return {};
  return WithSlash(exe.parent_path().string());
}

std::string WithSlash(std::string Folder) {
  if (Folder.empty()) return Folder;
  while (Folder.size() > 1 && Folder.back() == '/') Folder.pop_back();
  if (Folder.back() != '/') Folder += '/';
  return Folder;
}

}  // namespace tav
