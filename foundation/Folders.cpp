#include "foundation/Folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/FileUtil.h"
#include "foundation/Messages.h"
#include "foundation/SysUtil.h"
#include "foundation/TavMathe.h"
#include "foundation/TextTable.h"

#ifndef TAV_LIEFER_RELATIV
#define TAV_LIEFER_RELATIV "../share/tavrel"
#endif
// The release date of this version, "yyyy-mm-dd" (CMakeLists.txt, beside the version).
#ifndef TAV_RELEASE_DATE
#define TAV_RELEASE_DATE "2009-02-13"
#endif

namespace tav {

namespace fs = std::filesystem;

const std::string_view kInstallierteLieferung = TAV_LIEFER_RELATIV;

namespace {

// The number of the digits d[anfang, anfang + n).
constexpr int Ziffern(std::string_view d, std::size_t anfang, std::size_t n) {
  int z = 0;
  for (std::size_t i = anfang; i < anfang + n; ++i) z = 10 * z + (d[i] - '0');
  return z;
}
constexpr std::string_view kReleaseDatum = TAV_RELEASE_DATE;
static_assert(kReleaseDatum.size() == 10 && kReleaseDatum[4] == '-' && kReleaseDatum[7] == '-',
              "TAV_RELEASE_DATE is yyyy-mm-dd");

std::size_t Zeichenzahl(std::string_view utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

// The energy-carrier files of all fifteen languages.
std::vector<std::string> EnergieDateien() {
  std::vector<std::string> namen;
  for (int i = 1; i <= kMaxSprachen; ++i) namen.push_back(EnergieDateiName(SprachTabelle[i].Kuerzel));
  return namen;
}

class DataFileCopier {
 public:
  DataFileCopier(const std::string& source, const std::string& target)
      : source_(source), target_(target) {}

  fs::path Quelle(const std::string& name) const { return FindFileNoCase(source_, name); }
  fs::path Ziel(const std::string& name) const { return FindFileNoCase(target_, name); }

  bool FehltImZiel(const std::string& name) const {
    std::error_code ec;
    return !fs::exists(Ziel(name), ec);
  }
  bool QuelleNeuer(const std::string& name, bool force) const {
    const double ziel = force ? 0.0 : FileDateOf(Ziel(name));
    return FileDateOf(Quelle(name)) > ziel;
  }
  // A copy replaces a target only when the user has not changed it since it was copied.
  // What could not be written is added to `fehler`, one line per file.
  void Kopiere(const std::string& name, std::vector<std::string>& fehler) const {
    const fs::path ziel = Ziel(name);
    std::error_code ec;
    if (fs::exists(ziel, ec) && ChangedSinceCopy(ziel)) return;
    std::string grund;
    if (!CopyFileKeepDate(Quelle(name), ziel, &grund) && !grund.empty()) fehler.push_back(grund);
  }

 private:
  fs::path source_;
  fs::path target_;
};

}  // namespace

std::string LieferOrdner(const std::string& ProgrammOrdner, std::string_view Relativ) {
  if (ProgrammOrdner.empty() || Relativ.empty()) return ProgrammOrdner;
  const fs::path installiert = (fs::path(ProgrammOrdner) / Relativ).lexically_normal();
  std::error_code ec;
  return fs::is_directory(installiert, ec) ? WithSlash(installiert.string()) : ProgrammOrdner;
}

SystemFolders QuerySystemFolders() {
  SystemFolders s;
  const std::string programm = ExecutableFolder();
  s.ProgDir = LieferOrdner(programm);
  s.Installiert = WithSlash(s.ProgDir) != WithSlash(programm);
  s.AppDataDir = XdgDataHome();
  s.ConfigDir = XdgConfigHome();
  s.HomeDir = HomeFolder();
  s.Jetzt = Now();
  return s;
}

bool CanWriteToFolder(const std::string& Folder) {
  if (Folder.empty()) return false;
  // A folder without any write bit counts as read-only also for root, who could write it
  // all the same: the rule every replaced file follows (WriteFileAtomic). So a program
  // installed read-only keeps its data elsewhere, whoever runs it.
  struct stat st {};
  if (::stat(Folder.c_str(), &st) == 0 && (st.st_mode & 0222) == 0) return false;
  const std::string probe = WithSlash(Folder) + std::string(SchreibtestDatei);
  bool ok = false;
  const int fd = ::open(probe.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd >= 0) {
    ok = ::write(fd, "C", 1) == 1;
    ok = (::close(fd) == 0) && ok;
  }
  std::error_code ec;
  fs::remove(probe, ec);
  return ok;
}

std::string OrdnerKurzname(const std::string& Folder, const std::string& ProgName) {
  std::string f = Folder;
  if (!f.empty() && f.back() == '/') f.pop_back();
  const std::size_t slash = f.rfind('/');
  std::string name = slash == std::string::npos ? f : f.substr(slash + 1);
  if (Zeichenzahl(name) < 8) name = ProgName;
  return RemoveDots(name);
}

bool UnterProgrammOrdner(const std::string& Folder, const std::vector<std::string>& ProgrammeDirs) {
  const std::string f = WithSlash(Folder);
  for (const std::string& d : ProgrammeDirs) {
    if (d.empty()) continue;  // an empty entry would lie under every folder
    const std::string p = WithSlash(d);
    if (f.compare(0, p.size(), p) == 0) return true;
  }
  return false;
}

namespace {

// True when the file holds nothing but blanks and line ends (or cannot be read).
bool DateiOhneText(const std::string& pfad) {
  std::string bytes;
  return !ReadWholeFile(pfad, bytes) || NurLeerraum(bytes);
}

// Why the per-user store `reg` (read from `pfad`) is not to be trusted nor written; empty
// when it is sound or missing.
std::string RegSchaden(TBigIniFile& reg, const std::string& pfad) {
  if (!reg.LoadError().empty()) return reg.LoadError();
  std::vector<std::string> sektionen;
  reg.ReadSections(sektionen);
  if (sektionen.empty() && !DateiOhneText(pfad))
    return "Die Datei " + pfad + " ist beschädigt: sie enthält keinen Abschnitt";
  return {};
}

}  // namespace

std::string RegSektion(const FolderState& F) {
  return SanitizeFileName(F.BenutzerName + "_" + F.ProgDir);
}

std::string RegDateiPfad(const FolderState& F) {
  return WithSlash(F.ConfigDir) + RemoveDots(F.ProgName) + "/" + std::string(RegDateiName);
}

void SetupFolders(FolderState& F, const SystemFolders& Sys) {
  F.ProgDir = WithSlash(Sys.ProgDir);
  F.ProgrammeDir.clear();
  for (const std::string& d : Sys.ProgrammeDirs) {
    if (!d.empty()) {
      F.ProgrammeDir = WithSlash(d);
      break;
    }
  }
  F.AppDataDir = WithSlash(Sys.AppDataDir);
  F.ConfigDir = WithSlash(Sys.ConfigDir);

  const bool progDirNutzbar = !F.ProgDir.empty() && !Sys.Installiert &&
                              !UnterProgrammOrdner(F.ProgDir, Sys.ProgrammeDirs) &&
                              CanWriteToFolder(F.ProgDir);
  std::error_code ec;
  if (progDirNutzbar) {
    F.StandardDatenDir = F.ProgDir;
  } else if (!F.AppDataDir.empty()) {
    // Also when the application-data folder is missing (a fresh account without
    // ~/.local/share): the start-up creates the data folder with its parents, rather than
    // spreading the data files over the home folder.
    F.StandardDatenDir = F.AppDataDir + OrdnerKurzname(F.ProgDir, F.ProgName) + "/";
  } else {
    F.StandardDatenDir = F.ProgDir;
  }

  std::string home = Sys.HomeDir;
  while (!home.empty() && home.back() == '/') home.pop_back();
  F.BenutzerName = home.substr(home.rfind('/') + 1);

  F.DatenDir = F.StandardDatenDir;
  if (F.ConfigDir.empty()) return;
  const std::string pfad = RegDateiPfad(F);
  fs::create_directories(fs::path(pfad).parent_path(), ec);
  TBigIniFile reg(pfad);
  // A store that cannot be read, or holds text but no section, is said: the data folder it
  // names is not known, and the standard folder may not be the user's. It is left as it is,
  // for the user to mend or remove.
  if (const std::string schaden = RegSchaden(reg, pfad); !schaden.empty()) {
    ShowMessageLines(schaden + "|Der Datenordner ist daher " + F.StandardDatenDir + ".");
    reg.DiscardChanges();
    return;
  }
  const std::string sektion = RegSektion(F);
  const std::string gespeichert =
      reg.ReadString(sektion, RegWertDatenDir, F.StandardDatenDir);
  if (!gespeichert.empty()) F.DatenDir = WithSlash(gespeichert);
  reg.WriteFloat(sektion, RegWertRemTime, Sys.Jetzt);
  // A store that cannot be written only loses the time stamp, without a message.
  if (!reg.FlushFile()) reg.DiscardChanges();
}

void RemoveCrashLeftovers(const FolderState& F) {
  if (!F.DatenDir.empty()) {
    RemoveStaleTempFiles(F.DatenDir);
    RemoveStaleLockFiles(F.DatenDir);
  }
  if (!F.ConfigDir.empty()) RemoveStaleTempFiles(fs::path(RegDateiPfad(F)).parent_path());
}

bool WriteDataDirSetting(const FolderState& F) {
  if (F.ConfigDir.empty()) return false;
  const std::string pfad = RegDateiPfad(F);
  std::error_code ec;
  fs::create_directories(fs::path(pfad).parent_path(), ec);
  TBigIniFile reg(pfad);
  if (!RegSchaden(reg, pfad).empty()) {
    reg.DiscardChanges();
    return false;  // reported at start-up; not replaced behind the user's back
  }
  reg.WriteString(RegSektion(F), RegWertDatenDir, F.DatenDir);
  if (reg.FlushFile()) return true;
  reg.DiscardChanges();  // not reported: the caller has the result
  return false;
}

std::vector<std::string> UpdateDataFiles(const std::string& Source, const std::string& Target,
                                         bool Force, const std::string& DrucklogoDatei) {
  const DataFileCopier k(Source, Target);
  std::vector<std::string> fehler;
  const std::vector<std::string> energie = EnergieDateien();

  // Files the data folder must have: copied only when missing.
  std::vector<std::string> fehlende = {
      std::string(IniDateiName), std::string(ProjekteDatei), std::string(EnevSimDatei),
      std::string(OrteDatei),    std::string(KollDatei),     std::string(RohrDatei),
      std::string(ProfilDatei)};
  fehlende.insert(fehlende.end(), energie.begin(), energie.end());
  fehlende.emplace_back(KopfDatei);
  for (const std::string& name : fehlende) {
    if (k.FehltImZiel(name)) k.Kopiere(name, fehler);
  }

  // Files brought up to date: two always, the others when the delivered copy is newer.
  std::vector<std::string> neue = {std::string(KollDacDatei), std::string(LogoDatei)};
  std::vector<std::string> kandidaten = {
      std::string(RohrDatei),       std::string(ProfilDatei),     std::string(SpeicherDatei),
      std::string(PaketDatei),      std::string(FragebogenDatei), std::string(AnschreibenDatei)};
  kandidaten.insert(kandidaten.end(), energie.begin(), energie.end());
  for (const std::string& name : kandidaten) {
    if (k.QuelleNeuer(name, Force)) neue.push_back(name);
  }
  if (!DrucklogoDatei.empty() && DrucklogoDatei != "NUL" && DrucklogoDatei != "FIX") {
    const std::string logo = fs::path(DrucklogoDatei).filename().string();
    if (!logo.empty()) neue.push_back(logo);
  }
  for (const std::string& name : neue) k.Kopiere(name, fehler);
  return fehler;
}

std::string OrdnerNichtBeschreibbar(const std::string& Folder) {
  if (Folder.empty()) return {};
  struct stat st {};
  if (::stat(Folder.c_str(), &st) != 0) return SystemGrund(errno);
  // No write bit: read-only also for root, as for every file the program replaces.
  if ((st.st_mode & 0222) == 0) return SystemGrund(EACCES);
  if (::access(Folder.c_str(), W_OK) != 0) return SystemGrund(errno);
  // A full disk shows only when something is written: a byte, made durable, under the
  // temporary naming (tidied at start should a crash leave it).
  std::string name = TempFileTemplate(fs::path(Folder) / std::string(SchreibtestDatei));
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return SystemGrund(errno);
  int err = 0;
  if (WriteAllToFd(fd, "C", err) && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  ::unlink(name.c_str());
  return err == 0 ? std::string() : SystemGrund(err);
}

bool IstEnevSchalter(const std::vector<std::string>& Args) {
  return !Args.empty() && (Args[0] == "-E" || Args[0] == "-e");
}

void SetProgramDefaults(TavState& S, const std::vector<std::string>& Args, double Heute,
                        int ScreenWidth) {
  S.folders.ProgDatum = EncodeDate(Ziffern(kReleaseDatum, 0, 4), Ziffern(kReleaseDatum, 5, 2),
                                  Ziffern(kReleaseDatum, 8, 2));
  S.screen.WindowsAb2000 = true;
  S.screen.KleinerBildschirm = ScreenWidth > 0 && ScreenWidth <= 800;
  S.cat.SpeicherlisteAnzahl = 0;

  S.plant.SkyMapAktiv = false;
  S.run.ProjektGeaendert = false;
  S.run.SimGestartet = false;
  S.run.SolarklimadatenOK = false;
  S.run.MessdatenAktiv = false;
  S.run.Abbruch = false;
  S.run.WeiterModus = false;
  S.run.EnevSimModus = false;
  S.run.DruckAktiv = false;
  S.run.SucheAktiv = false;
  S.run.EnevStart = IstEnevSchalter(Args);
  S.run.RechenModus = 3;
  S.run.EnevSpeicherverlust = 0.0f;

  S.print.Leerraum = std::string(78, ' ');

  std::int32_t jahr = 0, monat = 0, tag = 0;
  DecodeDate(Heute, jahr, monat, tag);
  S.moment.SimJahr = static_cast<std::uint16_t>(jahr);
  S.moment.SimMonat = static_cast<std::uint16_t>(monat);
  S.moment.SimMonatsTag = static_cast<std::uint16_t>(tag);
  S.moment.AktJahr = static_cast<std::uint16_t>(jahr);
  S.moment.Fruehlingsanfang = EncodeDate(jahr, 3, 21);
  S.moment.Sommeranfang = EncodeDate(jahr, 6, 21);
  S.moment.Herbstanfang = EncodeDate(jahr, 9, 23);
  S.moment.Winteranfang = EncodeDate(jahr, 12, 21);

  S.moment.cWasser = 1.163f;
  S.moment.HimmelFarbe = TRgb{173, 214, 239};
  S.moment.SchattenFarbe = TRgb{128, 128, 128};
  S.moment.Tageszeit = 12.0f;
  S.moment.ErsterSimTag = 2450450;  // 1.1.1997: the weather store is a 365-day year
  S.moment.LetzterSimTag = 2450814;  // 31.12.1997
  S.moment.TruebungsFaktor = 3.5f;
  S.moment.QKoll = 0.0f;
  S.moment.AussenTemp = 32.0f;
  S.moment.RuecklaufTemp = 30.0f;
  S.moment.RaumTemp = 20.0f;
  S.plant.Heizgrenztemp = 12.0f;
  S.plant.KollIAM50 = 0.92f;
}

}  // namespace tav
