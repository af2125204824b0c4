#pragma once
// Start-up of the program-wide state: where the delivered files and the user's data live,
// the per-user record of the data folder, bringing delivered files into the data folder,
// and the program defaults.
//
// On Linux the program folder is the folder of the delivered files: the folder of the
// executable, or share/tavrel/ beside the bin/ folder of an installed program. The per-user
// store is a small INI file in the user's configuration folder, the application-data folder
// is the XDG data folder, and a program folder under /usr, /opt or /snap counts as installed
// in the system's program folder. An installed program (share/tavrel beside bin/) never keeps
// its data in its installation, whether or not that can be written: files there are in no
// package's manifest and would seed other users' data folders.

#include <string>
#include <string_view>
#include <vector>

#include "foundation/TavVar.h"

namespace tav {

// Value names of the per-user store.
inline constexpr std::string_view RegWertDatenDir = "TavrelDatenDir";
inline constexpr std::string_view RegWertRemTime = "RemTime";
// File name of the per-user store inside ConfigDir.
inline constexpr std::string_view RegDateiName = "Ordner.ini";

// The facts of the system SetupFolders decides from. QuerySystemFolders reads the real
// ones; tests build their own.
struct SystemFolders {
  std::string ProgDir;                      // folder of the running program
  std::string AppDataDir;                   // the user's application-data folder
  std::string ConfigDir;                    // the user's configuration folder
  std::string HomeDir;                      // the user's home folder
  std::vector<std::string> ProgrammeDirs = {"/usr/", "/opt/", "/snap/"};
  bool Installiert = false;                 // ProgDir is the installed layout's share/tavrel
  double Jetzt = 0.0;                       // the current date and time (TDateTime)
};
SystemFolders QuerySystemFolders();

// Where an installation puts the delivered files (language files), relative to the folder of
// the executable: "../share/tavrel", as cmake --install puts the program into P/bin and its
// files into P/share/tavrel (the build passes its own install folders).
extern const std::string_view kInstallierteLieferung;

// The folder of the delivered files of a program in ProgrammOrdner: ProgrammOrdner + Relativ
// (normalised, with "/") when that folder exists, as for an installed program; else
// ProgrammOrdner itself, as in the build folder, where the files lie beside the program.
std::string LieferOrdner(const std::string& ProgrammOrdner,
                         std::string_view Relativ = kInstallierteLieferung);

// True when a probe file can be written in Folder (it is removed again); false for a folder
// without any write bit, also for root.
bool CanWriteToFolder(const std::string& Folder);

// The last component of Folder with every "." removed; ProgName (dots removed) when that
// component has fewer than 8 characters.
std::string OrdnerKurzname(const std::string& Folder, const std::string& ProgName);

// True when Folder lies in one of the system's program folders (empty entries ignored).
bool UnterProgrammOrdner(const std::string& Folder, const std::vector<std::string>& ProgrammeDirs);

// Section of the per-user store: SanitizeFileName(BenutzerName + "_" + ProgDir).
std::string RegSektion(const FolderState& F);
// Full path of the per-user store: ConfigDir + ProgName without dots + "/" + RegDateiName.
std::string RegDateiPfad(const FolderState& F);

// Sets ProgDir, ProgrammeDir, AppDataDir, ConfigDir, BenutzerName, StandardDatenDir and
// DatenDir (the stored value, else StandardDatenDir) and records "RemTime". StandardDatenDir
// is ProgDir only for a program outside the system's program folders and the installed
// layout whose folder can be written (run from its build folder or an unpacked copy); else
// the program's folder in AppDataDir. Errors of the
// write test and of the store fall back silently.
void SetupFolders(FolderState& F, const SystemFolders& Sys);

// Removes the temporary files a crash left behind (older than a day) from the folders the
// program writes to: the data folder and the folder of the per-user store. Called at start-up
// once SetupFolders has run.
void RemoveCrashLeftovers(const FolderState& F);

// Stores DatenDir in the per-user store. False when the store could not be written.
bool WriteDataDirSetting(const FolderState& F);

// Brings the delivered files of Source into Target: files missing in Target always;
// "Koll.dac" and "Logo.bmp" always; the catalogues, documents and energy-carrier files when
// the source copy is newer (Force: whatever the target's date); finally the print logo
// DrucklogoDatei. A target file changed by the user after it was copied is never
// replaced. Copies go through a temporary file and keep the source's date; a failed copy
// is skipped, and returned as a message-ready line (file and reason) for the caller to say
// once for all.
std::vector<std::string> UpdateDataFiles(const std::string& Source, const std::string& Target,
                                         bool Force, const std::string& DrucklogoDatei = "NUL");

// Why Folder cannot be written (no write bit, no permission, a read-only file system, not
// there, no room for a byte), as a reason text; empty when it can. Writes and removes a
// small file to find out.
std::string OrdnerNichtBeschreibbar(const std::string& Folder);

// True when the first command-line argument (Args: the arguments after the program name)
// is "-E" in either case.
bool IstEnevSchalter(const std::vector<std::string>& Args);

// Gives the variables their start-up values that are not constants of the data model:
// ProgDatum, the flags, EnevStart from the command line (Args as above), today's date and
// the season dates, and the instantaneous defaults. Heute is today's date (TDateTime);
// ScreenWidth the primary screen's width in pixels (0 when unknown).
void SetProgramDefaults(TavState& S, const std::vector<std::string>& Args, double Heute,
                        int ScreenWidth = 0);

}  // namespace tav
