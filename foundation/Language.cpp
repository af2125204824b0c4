#include "foundation/Language.h"

#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/CodePage.h"
#include "foundation/FileUtil.h"
#include "foundation/Hilfe.h"
#include "foundation/Messages.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

std::function<void(int)>& Listener() {
  static std::function<void(int)> listener;
  return listener;
}

int& Generation() {
  static int generation = 0;
  return generation;
}

std::string LanguageFileName(const std::string& sprache) { return sprache + ".dat"; }

std::string CapitalFirstAscii(std::string s) {
  if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

}  // namespace

bool LanguageFileExists(const std::string& progDir, const std::string& sprache) {
  return IsRegularFile(FindFileNoCase(progDir, LanguageFileName(sprache)));
}

void FillLanguageList(CatalogueState& c, const std::string& progDir) {
  if (c.SprachListe.size() < kMaxSprachen + 1) c.SprachListe.resize(kMaxSprachen + 1);
  for (int l = 1; l <= kMaxSprachen; ++l) {
    TSprache& e = c.SprachListe[l];
    e.Name = std::string(SprachTabelle[l].Name);
    e.Kuerzel = std::string(SprachTabelle[l].Kuerzel);
    e.Caption = "&" + CapitalFirstAscii(e.Name);
    const auto file = FindFileNoCase(progDir, LanguageFileName(e.Name));
    if (!IsRegularFile(file)) continue;
    TBigIniFile ini(file.string(), CodePageForLanguage(e.Kuerzel));
    if (ini.ValueExists("Tavrel", "SpracheCaption")) {
      e.Caption = ini.ReadString("Tavrel", "SpracheCaption", e.Caption);
    }
  }
}

int LanguageNumber(const CatalogueState& c, const std::string& sprache) {
  for (int l = 1; l <= kMaxSprachen && l < static_cast<int>(c.SprachListe.size()); ++l) {
    const std::string& name =
        c.SprachListe[l].Name.empty() ? std::string(SprachTabelle[l].Name) : c.SprachListe[l].Name;
    if (EqualsNoCase(name, sprache)) return l;
  }
  return kDeutschNr;
}

std::string HelpFileFor(const std::string& progDir, const std::string& sprache,
                        const std::string& kuerzel,
                        const std::function<bool(const std::string& path)>& exists) {
  const std::string basis(HilfeBasis);
  const auto pick = [&](const std::string& name) {
    return exists(progDir + name) ? progDir + name : std::string();
  };
  if (!EqualsNoCase(sprache, StandardSprache)) {
    const std::string own = basis + "_" + kuerzel;
    for (const char* ext : {".chm", ".hlp"}) {
      std::string f = pick(own + ext);
      if (!f.empty()) return f;
    }
  }
  return pick(basis + ".chm");
}

std::string HilfeDateiDerSprache(const TavState& s) {
  // The help is HTML compiled into the program: a help file "exists" when its language has
  // pages there.
  const std::string kuerzel = LanguageCode(s.cat, LanguageNumber(s.cat, s.settings.Sprache));
  return HelpFileFor(s.folders.ProgDir, s.settings.Sprache, kuerzel,
                     [](const std::string& f) { return Hilfe().DateiVorhanden(f); });
}

bool SwitchLanguage(TavState& s, TTextTable& texts, int l) {
  // Deliberate: an unknown language number falls back to German rather than leave no texts.
  if (l < 1 || l > kMaxSprachen) l = kDeutschNr;
  CatalogueState& c = s.cat;
  std::string name = l < static_cast<int>(c.SprachListe.size()) ? c.SprachListe[l].Name : "";
  if (name.empty()) name = std::string(SprachTabelle[l].Name);
  const std::string kuerzel = LanguageCode(c, l);

  // The settings reader switches on each reload; only another language makes windows new.
  if (!EqualsNoCase(s.settings.Sprache, name)) ++Generation();
  s.settings.Sprache = name;
  s.folders.HilfeDatei = HilfeDateiDerSprache(s);

  const std::string energie =
      LangDataFileName(std::string(EnergieBasis), kuerzel, s.folders.DatenDir);
  const bool energieGleich = energie == c.EnergieDatei;
  c.EnergieDatei = energie;

  s.settings.SprachDatei = LanguageFileName(name);
  std::string fehler;
  texts.LoadTexts(FindFileNoCase(s.folders.ProgDir, s.settings.SprachDatei),
                  CodePageForLanguage(kuerzel), &fehler);
  if (!fehler.empty()) ShowMessageLines(fehler + "; es gelten die deutschen Texte.");
  c.Monatsnamen = texts.Monatsnamen;
  c.AnlagenKurzNamen = texts.AnlagenKurzNamen;

  if (Listener()) Listener()(l);
  return energieGleich;
}

int LanguageGeneration() { return Generation(); }

std::string LanguageCode(const CatalogueState& c, int l) {
  if (l < 1 || l > kMaxSprachen) l = kDeutschNr;
  std::string kuerzel = l < static_cast<int>(c.SprachListe.size()) ? c.SprachListe[l].Kuerzel : "";
  if (kuerzel.empty()) kuerzel = std::string(SprachTabelle[l].Kuerzel);
  return kuerzel;
}

void SetLanguageSwitchListener(std::function<void(int l)> listener) {
  Listener() = std::move(listener);
}

}  // namespace tav
