#include "app/DatenStart.h"

#include <filesystem>

#include "catalogues/KatalogDienste.h"
#include "catalogues/Kollektoren.h"
#include "location/Orte.h"
#include "enev/EnevDatei.h"
#include "foundation/AtomicFile.h"
#include "foundation/Folders.h"
#include "foundation/KatalogDiensteDatei.h"
#include "foundation/Language.h"
#include "foundation/Messages.h"
#include "foundation/Settings.h"
#include "foundation/TextTable.h"

namespace tav {

namespace fs = std::filesystem;

std::string DatenordnerFehlerText(const std::string& datenDir) {
  return TextMit(TX::DatenordnerNichtAnlegen, {datenDir});
}

std::string DatenordnerNurLesenText(const std::string& datenDir, const std::string& grund) {
  return TextMit(TX::DatenordnerNurLesen, {datenDir, grund});
}

std::string DateienNichtGeschriebenText(const std::string& datenDir, const std::vector<std::string>& fehler) {
  std::string text = TextMit(TX::DatenordnerDateienFehlen, {datenDir});
  for (const std::string& zeile : fehler) text += "|" + zeile;
  return text;
}

namespace {

// Says once what cannot be written in the data folder: the folder itself when it is
// read-only or full (then the settings save at the end says nothing more), and the
// delivered files that could not be copied into it.
void MeldeSchreibfehler(FolderState& f, const std::vector<std::string>& fehler) {
  f.DatenDirNurLesen = OrdnerNichtBeschreibbar(f.DatenDir);
  if (!f.DatenDirNurLesen.empty()) {
    std::string text = DatenordnerNurLesenText(f.DatenDir, f.DatenDirNurLesen);
    for (const std::string& zeile : fehler) text += "|" + zeile;
    ShowMessageLines(text);
  } else if (!fehler.empty()) {
    ShowMessageLines(DateienNichtGeschriebenText(f.DatenDir, fehler));
  }
}

// Makes the data folder ready (found, or created and seeded) and returns the delivered files
// that could not be copied into it; the fatal message when there is no folder, which ends
// the program.
std::vector<std::string> DatenordnerBereitstellen(TavState& s) {
  FolderState& f = s.folders;
  std::error_code ec;
  if (fs::is_directory(f.DatenDir, ec)) return UpdateDataFiles(f.ProgDir, f.DatenDir, false, s.settings.DrucklogoDatei);
  ec.clear();
  fs::create_directories(f.DatenDir, ec);
  if (!ec && fs::is_directory(f.DatenDir, ec)) {
    auto fehler = UpdateDataFiles(f.ProgDir, f.DatenDir, true, s.settings.DrucklogoDatei);
    WriteDataDirSetting(f);
    return fehler;
  }
  Msg().AbbruchFehler = true;
  ShowMessageLines(DatenordnerFehlerText(f.DatenDir));
  return {};
}

}  // namespace

bool WetterNachStart::Synthesise(TavState&, StatusSink&) {
  offen_ = true;
  return false;
}

void WetterNachStart::Nachholen(TavState& s, WetterSynthese& synthese, StatusSink& status) {
  if (!offen_) return;
  offen_ = false;
  if (s.run.SolarklimadatenOK) return;
  BusyStatus busy(status, "Initialisiere Solarklimadaten ...");
  synthese.Synthesise(s, status);
}

void DatenStart(TavState& s, TTextTable& texts, const SettingsEnv& env, StatusSink& status,
                WetterSynthese& synthese) {
  FillLanguageList(s.cat, s.folders.ProgDir);
  KatalogDienste dienste(status, synthese);
  {
    // What the start cannot write (a full disk: the delivered files, then the built-in
    // catalogues) is said in one message, not in one per file.
    const MeldungenSpaeter zusammen(true);
    const std::string logo = s.settings.DrucklogoDatei;
    std::vector<std::string> fehler = DatenordnerBereitstellen(s);
    LoadSettings(s, texts, env);
    // Said once the settings have named the language: the files that failed are tried once
    // more, so their reasons come in that language too (the others are in place by now).
    if (!fehler.empty()) fehler = UpdateDataFiles(s.folders.ProgDir, s.folders.DatenDir, false, logo);
    MeldeSchreibfehler(s.folders, fehler);
    // Only the brand edition ships its collectors scrambled.
    std::error_code ec;
    if (fs::exists(FindFileNoCase(s.folders.DatenDir, std::string(KollDacDatei)), ec)) DecodeDatFile(s);
    LadeKatalogeUndProjekt(s, dienste);
  }
  // Deliberate: an update is done only once its catalogue was written and its list had room
  // for every entry, because what a full list left out would never be offered again once the
  // user has made room.
  const auto erledigt = [](int ergebnis, const katalog::ImportBilanz& bilanz) {
    return ergebnis != katalog::kImportNichtGeschrieben && bilanz.zuviele == 0;
  };
  CatalogImports imports{
      [&](const std::string& file) {
        katalog::ImportBilanz bilanz;
        return erledigt(ImportKollektoren(s, file, status, &bilanz), bilanz);
      },
      [&](const std::string& file) {
        katalog::ImportBilanz bilanz;
        return erledigt(ImportOrte(s, file, status, &bilanz), bilanz);
      }};
  CheckCatalogFileDates(s, texts, s.folders.ProgDir, imports);
  // Started with "-E": the EnEV exchange file of the data folder brings the EnEV inputs.
  if (s.run.EnevStart)
    enev::ImportEnevDaten(FindFileNoCase(s.folders.DatenDir, std::string(EnevSimDatei)).string(), s,
                          enev::EnevProgrammStand(), status);
}

}  // namespace tav
