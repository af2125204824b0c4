// The language file on any file: read in both code pages, as the language list reads its
// caption, and through the language switch.
#include "FuzzSupport.h"
#include "foundation/Language.h"
#include "foundation/TextTable.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  const std::string datei = b.Write("english.dat", fuzz::AsText(data, size));
  TTextTable texts;
  texts.LoadTexts(datei, CodePage::Cp1252);
  texts.LoadTexts(datei, CodePage::Cp1250);
  TavState& s = b.State(0);
  FillLanguageList(s.cat, s.folders.ProgDir);
  SwitchLanguage(s, texts, LanguageNumber(s.cat, "english"));
  return 0;
}
