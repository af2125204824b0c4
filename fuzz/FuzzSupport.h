#pragma once
// Shared pieces of the fuzz targets: a message service that records instead of showing (a
// question gets the default answer, so no target ever waits), one temporary folder per
// process that serves as program, data and configuration folder, and a check that ends the
// run with the input kept when a reader breaks its promise.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "location/TavKlimgen.h"
#include "foundation/Messages.h"
#include "foundation/TavVar.h"

namespace tav::fuzz {

class RecordingMessages : public MessageService {
 public:
  std::size_t count = 0;
  std::string last;  // the latest text, for the report of a failed check

 protected:
  int Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  // A bad input file must never end the program: this is a finding.
  [[noreturn]] void EndProgram() override;
};

// Fills the weather store with a plain year, standing in for the weather library, so that
// making a location current costs nothing.
class QuickSynthese : public WetterSynthese {
 public:
  bool Synthesise(TavState& s, StatusSink& status) override;
};

class Workbench {
 public:
  // The process's bench: its folder is created on first use and removed at exit.
  static Workbench& Get();

  const std::filesystem::path& Dir() const { return dir_; }
  // Empties the folder, so every input starts from the same files.
  void Reset();
  std::string Write(const std::string& name, std::string_view bytes) const;
  std::string Read(const std::string& name) const;
  // State number `slot` (0..2), set back to a fresh state whose program, data and
  // configuration folders are the bench's folder. The states are kept between inputs:
  // assigning keeps their memory, which is far quicker under the sanitizers than new states.
  TavState& State(int slot);

  RecordingMessages messages;
  QuickSynthese synthese;

  ~Workbench();

 private:
  Workbench();
  std::filesystem::path dir_;
  MessageService* previous_ = nullptr;
  std::unique_ptr<TavState> fresh_;
  std::unique_ptr<TavState> states_[3];
};

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Reports a broken promise (what, and the two sides compared when given) and aborts, so
// that libFuzzer keeps the input.
void Require(bool ok, const char* what, const std::string& first = {},
             const std::string& second = {});

}  // namespace tav::fuzz
