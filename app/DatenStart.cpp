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
  return "Kann Datenordner " + datenDir + " nicht anlegen";
}

std::string DatenordnerNurLesenText(const std::string& datenDir, const std::string& grund) {
  return "In den Datenordner " + datenDir + " kann nicht geschrieben werden: " + grund +
         "|Änderungen an Projekten, Katalogen und Einstellungen werden nicht gespeichert.";
}

std::string DateienNichtGeschriebenText(const std::string& datenDir, const std::vector<std::string>& fehler) {
  std::string text = "Im Datenordner " + datenDir + " konnten nicht alle Dateien geschrieben werden:";
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

// True when the data folder is there (found, or created and seeded); the fatal message
// otherwise, which ends the program.
void DatenordnerBereitstellen(TavState& s) {
  FolderState& f = s.folders;
  std::error_code ec;
  if (fs::is_directory(f.DatenDir, ec)) {
    MeldeSchreibfehler(f, UpdateDataFiles(f.ProgDir, f.DatenDir, false, s.settings.DrucklogoDatei));
    return;
  }
  ec.clear();
  fs::create_directories(f.DatenDir, ec);
  if (!ec && fs::is_directory(f.DatenDir, ec)) {
    MeldeSchreibfehler(f, UpdateDataFiles(f.ProgDir, f.DatenDir, true, s.settings.DrucklogoDatei));
    WriteDataDirSetting(f);
    return;
  }
  Msg().AbbruchFehler = true;
  ShowMessageLines(DatenordnerFehlerText(f.DatenDir));
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
    DatenordnerBereitstellen(s);
    LoadSettings(s, texts, env);
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
