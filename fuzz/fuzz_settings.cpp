// The settings file: load any file and save it, load that and save again; both saves must
// be the same file (the second load equals the first).
#include "FuzzSupport.h"
#include "foundation/Settings.h"
#include "foundation/TextTable.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  const SettingsEnv env{{"Buero", "Labor"}, "Buero", {}, {}};
  b.Write("Tavrel.ini", fuzz::AsText(data, size));
  TTextTable texts;
  TavState& s1 = b.State(0);
  LoadSettings(s1, texts, env);
  if (!SaveSettings(s1, s1.settings.Drucker)) return 0;
  const std::string erste = b.Read("Tavrel.ini");
  TavState& s2 = b.State(1);
  LoadSettings(s2, texts, env);
  fuzz::Require(SaveSettings(s2, s2.settings.Drucker), "settings: a saved file cannot be saved again",
                b.messages.last);
  fuzz::Require(b.Read("Tavrel.ini") == erste, "settings: the second load differs from the first",
                erste, b.Read("Tavrel.ini"));
  return 0;
}
