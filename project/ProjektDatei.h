#pragma once
// The project file "Projekte.dat": one INI section "Projekt " + number per project, one line
// per setting, in the Windows code page with CR LF and the decimal comma.
//
// Reading takes every key with its default (see ProjektDatei.cpp for the table); writing
// puts the keys in their fixed order with their conditions and roundings. Beyond the keys
// older versions write, the writer also stores the circulation settings, "FWEdTmin",
// "KAfaktor" and, when a storage sub-type has no code text of its own, "BivSpTypNr",
// "KombiSpTypNr" or "KombiSpeicherWTNr" (readers that do not know a key ignore it). Lines of
// a section that this version does not know are kept, and a saved section keeps its place in
// the file. Every rewrite goes through a temporary file; a failed save leaves the old file.
// A save holds the file's write lock from reading the file to replacing it and refuses to
// overwrite a project that another program changed after this one loaded it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/TavVar.h"

namespace tav {

class TBigIniFile;
class ProjektKatalogDienste;

// "Projekt " + number: the name a new project's section gets.
std::string ProjektSektion(std::int32_t nummer);
// The project number of a project section's name: "Projekt" in any case, one or more
// blanks, then a whole number that fits the project list's numbers (0..65535), leading zeros
// allowed ("Projekt 01" is project 1). Any other section is no project's (kept unread).
std::optional<std::int32_t> ProjektNummerAus(std::string_view sektion);
// A project file has at least one project section; other sections ("Notizen") are kept.
bool IstProjektDatei(const std::vector<std::string>& sektionen);
// The name of the section that holds project `nummer` (the first, when several do), as it is
// written in the file; ProjektSektion(nummer) when none does.
std::string ProjektSektionIn(TBigIniFile& ini, std::int32_t nummer);
// The message for a file that is not: name + " ist keine korrekte Projekt-Datei".
std::string KeineProjektDateiText(const std::string& fileName);
// Name of a project whose section has none: "Projekt " + n with one decimal and a point.
std::string StandardProjektName(std::int32_t n);

// Reads section `sektion` of `ini` into `r`, every key with its default. `listIndex` is the
// section's 1-based place in the project list (for the default name); `jetzt` the default
// date. Fields the file does not hold (OrtNr, AnlagenTypNr, the second collector field
// without "OstWestKollektor") keep their values. Number values that cannot be read as their
// kind of number ("12.5 m2", "45°", "1e400", "NaN", "abc"), lie outside their range or do not
// fit their field take the standard project's value (StandardProjektWerte, ProjektLaden.h),
// those of the second collector field and the heat demand what the key takes when missing
// (the first field's area, azimuth 0, tilt 30; 20 MWh), so a refused and a missing key give
// one plant; their keys are added to `ungueltig`. A missing key whose default is no usable plant (the
// collector areas, the heating heat exchanger, the heating limit) takes the standard
// project's value too. `zeilen`, when given, gets one line per value replaced: key, text,
// why, and the value that serves ("KollektorFlaeche = -5 liegt nicht zwischen 0 und 100000;
// es gilt 6", "KollektorFlaeche fehlt; es gilt 6").
void ReadProjektRecord(TBigIniFile& ini, std::string_view sektion, std::int32_t listIndex,
                       double jetzt, TProjekt& r, std::vector<std::string>& ungueltig,
                       std::vector<std::string>* zeilen = nullptr);

// Reads the section into p.Projekt and applies it to the working variables. One message
// names the file `datei`, the section, the project and every value replaced, with the value
// that serves (see ReadProjektRecord).
void ReadProjektDat(TBigIniFile& ini, std::string_view sektion, std::int32_t listIndex,
                    double jetzt, PlantState& p, const std::string& datei = std::string());

// The key lines of a section in file order, from the record r and the working variables p
// (the storage sub-type and the plant type decide some rows). An unknown plant type leaves
// out the heating-design keys with the message "A_Typ - WriteProjektDat".
std::vector<std::pair<std::string, std::string>> ProjektZeilen(const TProjekt& r,
                                                                const PlantState& p);

// One section to be written into a project file: the project's number, its key lines in
// file order, and the lines this version does not know, which follow them. `Neu`: a number
// just given to a new or imported project, which must not replace a section of the file.
struct ProjektAbschnitt {
  std::int32_t Nummer = 0;
  std::vector<std::pair<std::string, std::string>> Zeilen;
  std::vector<std::string> Fremd;
  bool Neu = false;
};

// The section of the working variables `p` as project `nummer`: `r` (taken as the record
// to fill, see FillProjekt) gets the record, dated `jetzt`.
ProjektAbschnitt AbschnittAus(const PlantState& p, std::int32_t nummer, double jetzt,
                              TProjekt& r, std::vector<std::string> fremd = {});

// Writes the sections into the named project file in one rewrite, with the checks of
// WriteProjektDat: all of them, or none (false, the message shown, the file untouched).
// A `Neu` section whose number the file holds by now (another program gave it meanwhile)
// takes the smallest number that the file, the list of `s` and the other sections leave
// free; its `Nummer` then says which. `geschrieben`, when given, is an empty object that gets
// what the file now holds. `fremd`, when given, gets the number of a project that another
// program changed since it was loaded, instead of the message. Nothing of the state changes.
bool SchreibeProjektAbschnitte(const std::string& fileName, const TavState& s,
                               std::vector<ProjektAbschnitt>& abschnitte,
                               TBigIniFile* geschrieben = nullptr, std::int32_t* fremd = nullptr);

// Writes the working variables as section "Projekt " + ProjektNummer of the named file
// (created when missing). An existing file that is not a project file (and is not the data
// folder's own "Projekte.dat") is refused with
// "ABBRUCH: " + name + " ist keine korrekte Projekt-Datei". On success the modified flag is
// cleared, the record Projekt holds what was written and "Projektdaten abgespeichert" goes to
// the status line. False when nothing was written (the message has been shown; the old file
// and the state are untouched).
// A save refused because another program changed this project (or gave its number to a
// project) since it was loaded asks whether to save it under a new number instead, the
// smallest free in the file as it is now, the name made unique; "Ja" saves it so, as the open
// project with that number (true), and the list holds the file's projects anew.
bool WriteProjektDat(const std::string& fileName, TavState& s, ProjektKatalogDienste& d);
// The working variables as a new project under ProjektNummer, or, should another program have
// given that number to a project meanwhile, under the smallest number free in the file as it
// is now (ProjektNummer follows). Otherwise as WriteProjektDat.
bool WriteNeuesProjekt(const std::string& fileName, TavState& s, ProjektKatalogDienste& d);

// Notes the section of project `nummer` as `ini` (the file `datei`) holds it, as the state
// of the open project on disk: a later save refuses to replace a section that another program
// changed since, and to take a number another program gave a project since.
void MerkeProjektStand(RunState& run, TBigIniFile& ini, const std::string& datei,
                       std::int32_t nummer);

// The lines of a section that this version does not know (other keys, comments), in order.
std::vector<std::string> FremdeZeilen(TBigIniFile& ini, std::string_view sektion);

// Loads a project file into a memory-only INI object (the object never writes the file).
// False with a message when the file exists but cannot be read.
bool LadeProjektDatei(const std::string& fileName, TBigIniFile& ini);
// Rewrites the file from the INI object through a temporary file. False with a message
// naming the file when that fails; the old file is then untouched.
bool SchreibeProjektDatei(const std::string& fileName, const TBigIniFile& ini);
// The file holds nothing but blanks and line ends, perhaps behind a UTF-8 byte-order mark
// (as after deleting its last project).
bool IstLeereDatei(const std::string& fileName);

}  // namespace tav
