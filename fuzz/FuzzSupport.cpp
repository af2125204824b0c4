#include "FuzzSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace tav::fuzz {

int RecordingMessages::Present(const std::string& text, TMsgDlgType, TMsgDlgButtons buttons) {
  ++count;
  last = text.substr(0, 400);
  return DefaultAnswer(buttons);
}

void RecordingMessages::EndProgram() {
  std::fprintf(stderr, "fuzz: a bad file ended the program: %s\n", last.c_str());
  std::abort();
}

bool QuickSynthese::Synthesise(TavState& s, StatusSink&) {
  std::fill(s.weather.WetterDaten.Werte.begin(), s.weather.WetterDaten.Werte.end(), 1.0f);
  s.run.SolarklimadatenOK = true;
  return true;
}

Workbench& Workbench::Get() {
  static Workbench bench;
  return bench;
}

Workbench::Workbench() {
  std::error_code ec;
  std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  if (ec) base = "/tmp";
  std::string pattern = (base / "tavfuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("fuzz: mkdtemp");
    std::abort();
  }
  dir_ = pattern;
  previous_ = SetMessageService(&messages);
}

Workbench::~Workbench() {
  SetMessageService(previous_);
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void Workbench::Reset() {
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(dir_, ec))
    std::filesystem::remove_all(e.path(), ec);
  messages.count = 0;
  messages.last.clear();
  messages.AbbruchFehler = false;
}

std::string Workbench::Write(const std::string& name, std::string_view bytes) const {
  const std::string path = (dir_ / name).string();
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!f) {
    std::fprintf(stderr, "fuzz: cannot write %s\n", path.c_str());
    std::abort();
  }
  return path;
}

std::string Workbench::Read(const std::string& name) const {
  std::ifstream f(dir_ / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TavState& Workbench::State(int slot) {
  if (!fresh_) {
    fresh_ = std::make_unique<TavState>();
    const std::string folder = dir_.string() + "/";
    fresh_->folders.ProgDir = folder;
    fresh_->folders.DatenDir = folder;
    fresh_->folders.ConfigDir = folder;
  }
  std::unique_ptr<TavState>& s = states_[slot];
  if (!s) s = std::make_unique<TavState>();
  *s = *fresh_;
  return *s;
}

void Require(bool ok, const char* what, const std::string& first, const std::string& second) {
  if (ok) return;
  std::fprintf(stderr, "fuzz: %s\n", what);
  if (!first.empty() || !second.empty()) {
    const auto cut = [](const std::string& t) { return t.substr(0, 2000); };
    std::fprintf(stderr, "--- first:\n%s\n--- second:\n%s\n", cut(first).c_str(),
                 cut(second).c_str());
  }
  std::abort();
}

}  // namespace tav::fuzz
