// Cold start of the program, from process start to its main window shown and idle
// (TAVREL_QUIT_WHEN_IDLE=1), against the smallest Qt main window (hallowelt) in the same run,
// so that the machine's load falls on both alike. Each iteration starts both once; the
// counters give their wall times, the ratio and the program's peak memory.
//
// The program runs from the build folder, whose program folder is its data folder; the first
// start seeds it. Home and the XDG folders point into a temporary folder, so no user's
// settings are touched. Without a display the offscreen platform is used for both.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Lauf {
  double ms = 0.0;
  double maxMiB = 0.0;
  bool ok = false;
};

class Umgebung {
 public:
  Umgebung() : heim_(fs::temp_directory_path() / ("tavrel-start-" + std::to_string(::getpid()))) {
    fs::create_directories(heim_);
    std::vector<std::string> eigene = {"HOME=" + heim_.string(),
                                       "XDG_CONFIG_HOME=" + (heim_ / "config").string(),
                                       "XDG_DATA_HOME=" + (heim_ / "data").string(),
                                       "XDG_CACHE_HOME=" + (heim_ / "cache").string(),
                                       "TAVREL_QUIT_WHEN_IDLE=1"};
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
      eigene.push_back("QT_QPA_PLATFORM=offscreen");
    for (char** e = environ; *e; ++e) {
      const std::string v = *e;
      bool ersetzt = false;
      for (const std::string& n : eigene) ersetzt = ersetzt || v.compare(0, n.find('=') + 1, n, 0, n.find('=') + 1) == 0;
      if (!ersetzt) text_.push_back(v);
    }
    text_.insert(text_.end(), eigene.begin(), eigene.end());
    for (std::string& v : text_) zeiger_.push_back(v.data());
    zeiger_.push_back(nullptr);
  }
  ~Umgebung() {
    std::error_code ec;
    fs::remove_all(heim_, ec);
  }

  Lauf Starte(const char* programm) {
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addopen(&aktionen, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&aktionen, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(programm), nullptr};
    Lauf l;
    const auto anfang = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, programm, &aktionen, nullptr, argv, zeiger_.data()) == 0) {
      int status = 0;
      rusage r{};
      if (::wait4(pid, &status, 0, &r) == pid) {
        l.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        l.maxMiB = static_cast<double>(r.ru_maxrss) / 1024.0;
      }
    }
    l.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - anfang).count();
    posix_spawn_file_actions_destroy(&aktionen);
    return l;
  }

 private:
  fs::path heim_;
  std::vector<std::string> text_;
  std::vector<char*> zeiger_;
};

void BM_StartBisLeerlauf(benchmark::State& state) {
  Umgebung umgebung;
  // The first start seeds the data folder; it is not timed.
  if (!umgebung.Starte(TAV_TAVREL).ok) {
    state.SkipWithError("the program did not start");
    return;
  }
  double hallo = 0.0, tavrel = 0.0, maxMiB = 0.0;
  for (auto _ : state) {
    const Lauf h = umgebung.Starte(TAV_HALLOWELT);
    const Lauf t = umgebung.Starte(TAV_TAVREL);
    if (!h.ok || !t.ok) {
      state.SkipWithError("a start failed");
      return;
    }
    hallo += h.ms;
    tavrel += t.ms;
    maxMiB = std::max(maxMiB, t.maxMiB);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["hallowelt_ms"] = hallo / n;
  state.counters["tavrel_ms"] = tavrel / n;
  state.counters["verhaeltnis"] = tavrel / hallo;
  state.counters["tavrel_max_MiB"] = maxMiB;
}
BENCHMARK(BM_StartBisLeerlauf)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
