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

namespace {

// True when the data folder is there (found, or created and seeded); the fatal message
// otherwise, which ends the program.
void DatenordnerBereitstellen(TavState& s) {
  FolderState& f = s.folders;
  std::error_code ec;
  if (fs::is_directory(f.DatenDir, ec)) {
    UpdateDataFiles(f.ProgDir, f.DatenDir, false, s.settings.DrucklogoDatei);
    return;
  }
  ec.clear();
  fs::create_directories(f.DatenDir, ec);
  if (!ec && fs::is_directory(f.DatenDir, ec)) {
    UpdateDataFiles(f.ProgDir, f.DatenDir, true, s.settings.DrucklogoDatei);
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
  DatenordnerBereitstellen(s);
  LoadSettings(s, texts, env);
  // Only the brand edition ships its collectors scrambled.
  std::error_code ec;
  if (fs::exists(FindFileNoCase(s.folders.DatenDir, std::string(KollDacDatei)), ec)) DecodeDatFile(s);
  KatalogDienste dienste(status, synthese);
  LadeKatalogeUndProjekt(s, dienste);
  CatalogImports imports{
      [&](const std::string& file) {
        return ImportKollektoren(s, file, status) != katalog::kImportNichtGeschrieben;
      },
      [&](const std::string& file) {
        return ImportOrte(s, file, status) != katalog::kImportNichtGeschrieben;
      }};
  CheckCatalogFileDates(s, texts, s.folders.ProgDir, imports);
  // Started with "-E": the EnEV exchange file of the data folder brings the EnEV inputs.
  if (s.run.EnevStart)
    enev::ImportEnevDaten(FindFileNoCase(s.folders.DatenDir, std::string(EnevSimDatei)).string(), s,
                          enev::EnevProgrammStand(), status);
}

}  // namespace tav
