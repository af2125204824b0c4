#pragma once
// The program's shared data model: record types of every catalogue, the project record,
// constant tables, file names and the program-wide variables, grouped in plain structs.
//
// Conventions
// - Catalogue arrays keep the 1-based numbering the rest of the program speaks in: a
//   std::vector sized capacity + 1 whose slot 0 is unused, plus a count. Entries
//   1..count are valid. The storage list grows with its file (slot 0 unused as well);
//   the solar-package list is 0-based (entries 0..PaketAnzahl - 1), as its reader fills it.
// - Monthly arrays (TMonatsArray) have 14 slots: 1..12 the months, 13 the year; for the
//   location's monthly values slot 0 repeats December and slot 13 January.
// - Types follow the stored sizes: Byte uint8_t, Word uint16_t, ShortInt int8_t,
//   SmallInt int16_t, Integer int32_t, Single float, Double double. Dates are day
//   numbers as doubles counted from 30.12.1899 (TDateTime); Julian day numbers are int32.
// - Strings are UTF-8 std::string of any length (names are never cut).
// - Folder variables end with "/" so that a file name can simply be appended.
// - Engine and file code take the state (or one group of it) by reference; only app/ and
//   the windows use the program-wide instance G().
//
// The message flags DialogAntwort, AbbruchFehler and ErgebnisOK live in the message
// service (foundation/Messages.h); the text table lives in the text store.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/ProgIdent.h"

namespace tav {

// ---------------------------------------------------------------------------------------
// Capacities
// ---------------------------------------------------------------------------------------
inline constexpr int kMaxKollektoren = 600;
inline constexpr int kMaxOrte = 600;
inline constexpr int kMaxProjekte = 600;
inline constexpr int kMaxRohre = 25;
inline constexpr int kMaxProfile = 30;
inline constexpr int kMaxEnergietraeger = 15;
inline constexpr int kMaxSprachen = 15;
inline constexpr int kSpeicherTypAnzahl = 15;  // SpeicherTypAnzahl
inline constexpr int kAnlagenTypen = 8;
inline constexpr int kMontagen = 4;
inline constexpr int kStundenProJahr = 8760;
inline constexpr int kWetterSaetze = 3;         // weather years in the store
inline constexpr int kWetterKanaele = 3;        // direct normal, diffuse, ambient temperature
inline constexpr int kStundenKanaele = 12;      // channels of the hourly result store
inline constexpr int kSortSchluesselAnzahl = 1001;  // SortSchluessel[0..1000]
inline constexpr float kKeinSortSchluessel = 100000.0f;  // marks an entry without a sort key

// ---------------------------------------------------------------------------------------
// Small shared types
// ---------------------------------------------------------------------------------------
using TMonatsArray = std::array<float, 14>;

// An RGB colour without any toolkit type.
struct TRgb {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

// A stored window placement (settings keys HM*/AF*).
struct TFensterPos {
  bool Maximiert = false;
  std::int16_t Hoehe = 0;
  std::int16_t Links = 0;
  std::int16_t Oben = 0;
  std::int16_t Breite = 0;
};

// Report parts selected for printing (DruckSeiten), letters "R", "E", "O".
enum TDruckTeil : std::uint8_t { dsReport = 1, dsEnergiebilanz = 2, dsOekologie = 4 };

// ---------------------------------------------------------------------------------------
// Record types (fields in their stored order)
// ---------------------------------------------------------------------------------------

// One collector type of the collector catalogue.
struct TKollektor {
  std::string Kurzname;                       // not filled from the catalogue file
  std::string Name;
  std::string Norm;                           // test standard
  std::string Quelle = "*** unbekannt ***";   // source of the data
  float Eta0 = 0.0f;                          // optical efficiency 0..1
  float K1 = 0.0f;                            // W/(m²K)
  float K2 = 0.0f;                            // W/(m²K²)
  float ModulFlaeche = 1.0f;                  // aperture of one module, m²
  float qmVolumen = 1.0f;                     // fluid content per m², litres
  float IAM50 = 0.9f;                         // incidence-angle modifier at 50°
  float WkapC = 0.0f;                         // heat capacity
  bool VRK = false;                           // evacuated tubes
};

// One location of the location catalogue.
struct TOrt {
  std::string Name;
  std::string Land = "-";                     // "-": derive from the postcode
  std::string PLZ;
  float GeoBreite = 50.0f;                    // degrees, north positive
  float GeoLaenge = 10.0f;                    // degrees, east positive
  std::int32_t Hoehe = 50;                    // m
  std::array<double, 13> Einstrahlung{};      // [1..12] mean daily global irradiation, kWh/(m²·day)
  std::array<double, 13> LuftTemp{};          // [1..12] mean air temperature, °C
  std::int8_t Zeitzone = 25;                  // hours; 25 = none given, derive from longitude
  std::uint8_t wsTempZone = 6;                // temperature zone of the weather synthesis 1..8
};

// One pipe type.
struct TRohr {
  std::string RohrName;
  float AussenDm = 18.0f;                     // outer diameter, mm
  float InnenDm = 16.0f;                      // inner diameter, mm
  float MeterkWert = 0.22f;                   // W/(m·K)
};

// One hot-water draw-off profile.
struct TProfil {
  std::string Name;
  std::array<std::int32_t, 13> Vormittag{};   // [1..12] share in % of hours 1..12
  std::array<std::int32_t, 13> Nachmittag{};  // [1..12] share in % of hours 13..24
  std::array<std::int32_t, 13> Monate = {0, 100, 100, 100, 100, 100, 100,
                                         100, 100, 100, 100, 100, 100};  // [1..12] %
};

// One conventional energy carrier.
struct TEnergie {
  std::string EnergieName;
  std::string Einheit = "Einheit?";           // billing unit
  float kWhinEinheit = 0.0001f;
  float CO2inEinheit = 0.0001f;               // kg CO2 per unit
  std::uint16_t NutzgradWinter = 80;          // %
  std::uint16_t NutzgradFruehlingHerbst = 75; // %
  std::uint16_t NutzgradSommer = 60;          // %
};

// One store of the storage catalogue.
struct TSpeicher {
  std::string Name = "?";                     // "?" marks an entry to be ignored
  std::uint8_t SpTypN = 17;                   // storage-type group; 17 = code not in the table
  std::uint16_t Schema = 0;                   // plant-scheme number (0 for group 17)
  std::uint16_t SpVol1 = 300;                 // litres
  std::uint16_t SpVol2 = 0;                   // litres
};

// One solar package (one line of the package file).
struct TPaket {
  std::string Name;
  std::string Kollektor;                      // the collector as the package's maker names it
  std::string Text;                           // not stored: nearest catalogue collector name
  std::uint16_t KollAnz = 0;                  // collector modules
  std::string Speicher;                       // store name
  std::uint16_t SpVol1 = 0;                   // litres
  std::uint16_t SpVol2 = 0;                   // litres
  std::string BivSpTyp;                       // storage arrangement code, e.g. "CLASSIC"
  std::uint8_t TypNr = 0;                     // plant type
  std::uint8_t Anzeigen = 0;                  // not stored: listed in the wizard's grid
};

// One entry of the storage-type table.
struct tSpInfo {
  std::string_view Name;                      // type code
  std::uint8_t Code = 0;                      // type group compared by the look-ups
  std::uint16_t Attr = 0;                     // attribute class
};

// One entry of the project list.
struct TProjDat {
  std::string ProjektName;
  std::string Info1;
  std::string Info2;
  std::uint16_t Nummer = 0;                   // from the section name "Projekt " + number
  float Datum = 0.0f;                         // the project's date as a day number
};

// One entry of the language list.
struct TSprache {
  std::string Caption;                        // menu caption
  std::string Name;                           // language name = base name of the language file
  std::string Kuerzel;                        // two-letter code, lower case
};

// The project record: one section of the project file and the image of the open project.
struct TProjekt {
  std::string ProjektName;
  std::string Info1;
  std::string Info2;
  std::string Standort;                       // location name
  std::string Kollektor;                      // collector name
  std::string KollektorMontage;               // one of MontageTexte
  double KollektorFlaeche = 0.0;
  double KollektorAzimut = 0.0;
  double KollektorNeigung = 0.0;
  double KollektorFlaeche2 = 0.0;
  double KollektorAzimut2 = 0.0;
  double KollektorNeigung2 = 0.0;
  double KollektorFlow = 0.0;
  std::string KombiSpTyp;
  std::string KombiSpeicherWT;                // never filled; read back as the heat-exchanger store type
  std::string KaskadeTyp;
  std::string BivSpTyp;
  bool LFTkreis = false;
  bool OstWestKollektor = false;
  std::string SkyMap;                         // horizon description
  std::uint16_t OrtNr = 0;                    // index into Orte; not stored in the file
  std::uint16_t AnlagenTypNr = 0;             // plant type 1..8; not stored in the file
  std::string AnlagenTyp;
  std::string SpeicherName;
  std::string RohrTyp;
  std::string Zapfprofil;
  std::string konvEnergie;
  double Kaltwassertemp = 0.0;
  double Warmwassertemp = 0.0;
  double Minimaltemp = 0.0;
  double Maximaltemp = 0.0;
  double Maximaltemp2 = 0.0;
  double MaxTempWinter = 0.0;
  double Heiztemp = 0.0;
  double Heizgrenztemp = 0.0;
  double Heizwaermebedarf = 0.0;
  double Heiztauscherleistung = 0.0;
  double HeiztauscherDeltaT = 0.0;
  double FWEnennleistung = 0.0;
  double FWEdTmin = 5.0;
  double HeizQnorm = 0.0;
  double HeizTnorm = 0.0;
  double HeizTvor100 = 0.0;
  double HeizTrck100 = 0.0;
  double Glykolanteil = 0.0;
  double Speicher1vol = 0.0;
  double Speicher2vol = 0.0;
  double SpeicherkWert = 0.0;
  double Speichertauscherleistung = 0.0;
  double Solarkreislaenge = 0.0;
  double ZiLaenge = 10.0;
  double ZiVol = 3.0;
  double PoolTemp = 0.0;
  double PoolVol = 0.0;
  double PoolSpminTemp = 0.0;
  double Warmwasserverbrauch = 0.0;
  std::uint8_t SpeicherAnz = 0;
  std::uint16_t PoolStart = 0;                // day of the year
  std::uint16_t PoolEnde = 0;                 // day of the year
  bool Pool = false;
  bool PoolWTdir = false;
  bool AntiLegionella = false;
  bool Zirkulation = false;
  std::string ZiZeiten;                       // circulation times, 24 letters
  std::uint8_t ZiModus = 1;
  std::uint8_t HeizkreisTyp = 0;
  std::uint8_t KAfaktor = 20;
  std::uint8_t ZeitZoom = 0;
  double Datum = 0.0;                         // date and time of the last save
};

// ---------------------------------------------------------------------------------------
// Constant tables
// ---------------------------------------------------------------------------------------

// Plant-type names as stored in project files (key "AnlagenTyp"); [1..8].
inline constexpr std::array<std::string_view, 9> AnlagenTypNamen = {
    "",
    "Brauchwarmwasser",
    "BWW + Heizung",
    "BWW + 2. Verbr.",
    "Zwei-Speicher",
    "Kaskade",
    "Kombi-Pufferspeicher",
    "BWW + Pufferspeicher",
    "Pufferspeicher + FWM",
};

// Position in the plant-type selection list -> plant-type number; [1..8].
// Positions 2 and 3 both give type 3: type 2 is not offered in the list.
inline constexpr std::array<std::uint8_t, 9> AnlagenTypZuordnung = {0, 1, 3, 3, 4, 5, 6, 7, 8};

// Storage types; [1..15].
inline constexpr std::array<tSpInfo, 16> SpeicherTypen = {{
    {"", 0, 0},
    {"CL", 0, 1},
    {"EL", 0, 1},
    {"SL", 2, 1},
    {"KLS", 0, 1},
    {"TSS", 0, 1},
    {"TT", 11, 6},
    {"TT2", 11, 6},
    {"PL_2S", 11, 6},
    {"P_S", 11, 6},
    {"DUO", 11, 6},
    {"WT", 11, 6},
    {"SLWT", 11, 6},
    {"KombiSH", 11, 6},
    {"PS8", 16, 8},
    {"SLPS", 16, 8},
}};
inline constexpr std::uint8_t SpeicherTypAnzahl = kSpeicherTypAnzahl;
// Index into SpeicherTypen whose Code the wizard takes for a combi-store plant
// (also known as StdKombiSpTyp).
inline constexpr std::uint8_t StandardKombiSpTyp = 12;
// Group of a storage code that is not in the table.
inline constexpr std::uint8_t kSpTypUnbekannt = 17;

// Collector mountings; [1..4]. KollektorMontage holds the index.
inline constexpr std::array<std::string_view, 5> MontageTexte = {
    "", "fest", "Horizontal-Tracking", "Neigung", "Zwei-Achsen-Tracking"};

// Test standards offered by the collector editor.
inline constexpr std::array<std::string_view, 3> NormListe = {"EN 12975", "DIN 4757", "ISO 9800"};

// Heater product lines, found in an energy carrier's name (any case) to choose its picture
// "WQ1".."WQ4": condensing boiler, boiler, wood boiler, heat pump; each by its German and its
// English code, so the carriers of either language's file find their picture.
inline constexpr std::array<std::array<std::string_view, 2>, 4> HeizerKennung = {
    {{"Brennwert", "condensing"}, {"Kessel", "boiler"}, {"Holz", "wood"}, {"pumpe", "pump"}}};

// Days per month; slot 0 is December and slot 13 January, for interpolation across the year end.
inline constexpr std::array<std::uint8_t, 14> MonatsTage = {31, 31, 28, 31, 30, 31, 30,
                                                            31, 31, 30, 31, 30, 31, 31};

// Day of the year of the 15th of each month (365-day year); slot 0 = slot 1 - 30,
// slot 13 = slot 12 + 30.
inline constexpr std::array<std::int32_t, 14> MonatsMitte = {-15, 15,  46,  74,  105, 135, 166,
                                                             196, 227, 258, 288, 319, 349, 379};

// Letters that may start a name in the type-ahead search: A..Z, a..z and ÄÖÜßäöü.
constexpr bool IstBuchstabe(char32_t c) {
  return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c == U'Ä' || c == U'Ö' ||
         c == U'Ü' || c == U'ß' || c == U'ä' || c == U'ö' || c == U'ü';
}

// The fifteen languages of the language menu: name (= language file base name) and code.
struct TSprachEintrag {
  std::string_view Name;
  std::string_view Kuerzel;
};
inline constexpr std::array<TSprachEintrag, 16> SprachTabelle = {{
    {"", ""},
    {"dansk", "dk"},
    {"deutsch", "de"},
    {"english", "en"},
    {"espanol", "es"},
    {"francais", "fr"},
    {"italiano", "it"},
    {"nederlands", "nl"},
    {"polski", "pl"},
    {"romana", "ro"},
    {"slovenscina", "sl"},
    {"svensk", "sv"},
    {"magyar", "hu"},
    {"suomi", "fi"},
    {"cestina", "cz"},
    {"vlaams", "vl"},
}};

// ---------------------------------------------------------------------------------------
// File names (files of the data folder unless said otherwise)
// ---------------------------------------------------------------------------------------
inline constexpr std::string_view IniDateiName = "Tavrel.ini";       // settings file
inline constexpr std::string_view ProjekteDatei = "Projekte.dat";    // project file
inline constexpr std::string_view EnevSimDatei = "enevxsim.dat";     // EnEV exchange file
inline constexpr std::string_view OrteDatei = "Orte.dat";
inline constexpr std::string_view KollDatei = "Koll.dat";
inline constexpr std::string_view KollDacDatei = "Koll.dac";         // second collector catalogue
inline constexpr std::string_view OrteNeuDatei = "OrteNeu.dat";      // delivered with an update
inline constexpr std::string_view KollNeuDatei = "KollNeu.dat";      // delivered with an update
inline constexpr std::string_view RohrDatei = "Rohr.dat";
inline constexpr std::string_view ProfilDatei = "Profil.dat";
inline constexpr std::string_view EnergieBasis = "Energie";          // + ".dat" / "_" + code + ".dat"
inline constexpr std::string_view SpeicherDatei = "Speicher.dat";
inline constexpr std::string_view PaketDatei = "SolPaket.dat";
inline constexpr std::string_view KopfDatei = "Kopf.txt";            // print header lines
inline constexpr std::string_view LogoDatei = "Logo.bmp";            // print logo picture
// Temporary file through which the catalogue writers rewrite a catalogue (also TempDatei).
inline constexpr std::string_view TempDateiName = "Tavxyz.$$$";
// Probe file of the folder write test; a name of its own so that the test never
// truncates a catalogue writer's temporary file.
inline constexpr std::string_view SchreibtestDatei = "Tavxyz.tst";
inline constexpr std::string_view FragebogenDatei = "Fragebogen.pdf";
inline constexpr std::string_view AnschreibenDatei = "AnschreibenTr.doc";
inline constexpr std::string_view StandardSprache = "deutsch";
inline constexpr std::string_view HilfeBasis = "Tavrel";             // help file base name

// Resource types of the picture loader.
inline constexpr std::string_view ResTypJpeg = "Jpeg";
inline constexpr std::string_view ResTypRcData = "RCDATA";
inline constexpr std::string_view ResTypBitmap = "BITMAP";

// Energy-carrier file of a language: "Energie.dat" for German, "Energie_<code>.dat" otherwise.
std::string EnergieDateiName(std::string_view kuerzel);

// ---------------------------------------------------------------------------------------
// Program-wide variables, by group
// ---------------------------------------------------------------------------------------

// Hourly values of three years: [1..3] × Kanaele channels × 8760 hours, one contiguous
// block, year-major and channel-major within a year (all hours of channel 0, then 1, ...).
template <int Kanaele>
struct TStundenBlock {
  static constexpr int Jahre = 3;
  static constexpr std::size_t Index(int jahr, int kanal, int stunde) {
    return (std::size_t(jahr - 1) * Kanaele + std::size_t(kanal)) * kStundenProJahr +
           std::size_t(stunde);
  }
  float& operator()(int jahr, int kanal, int stunde) { return Werte[Index(jahr, kanal, stunde)]; }
  float operator()(int jahr, int kanal, int stunde) const {
    return Werte[Index(jahr, kanal, stunde)];
  }
  // First value of one channel of one year (8760 values follow).
  float* Reihe(int jahr, int kanal) { return Werte.data() + Index(jahr, kanal, 0); }
  const float* Reihe(int jahr, int kanal) const { return Werte.data() + Index(jahr, kanal, 0); }

  std::vector<float> Werte = std::vector<float>(std::size_t(Jahre) * Kanaele * kStundenProJahr, 0.0f);
};

// 1. Identity and folders.
struct FolderState {
  // Program name for captions, reports, the configuration and data folders (dots removed
  // where it names a folder). The Linux build uses the application's own name throughout.
  std::string ProgName = kProgName;
  std::string ProgVersion = kProgVersion;
  double ProgDatum = 0.0;                     // build date (13.02.2009), set at start-up
  std::string Copyright = kCopyright;         // owner line: about box, page footers
  std::string ProgDir;                        // folder of the delivered files, with "/"
  std::string DatenDir;                       // data folder, with "/"
  std::string StandardDatenDir;               // data folder chosen before the stored value (StdDatenDir)
  std::string AppDataDir;                     // the user's application-data folder
  std::string ProgrammeDir;                   // the system's program folder
  std::string BenutzerName;                   // name of the user's home folder
  std::string ConfigDir;                      // folder of the per-user settings store
  std::string HilfeDatei;                     // help file in use
  // Why the data folder cannot be written, as said at start-up (folder and reason); empty
  // when it can. A save that then fails is not reported once more.
  std::string DatenDirNurLesen;
};

// 2. Settings.
struct SettingsState {
  std::string Sprache = std::string(StandardSprache);  // language name
  std::string SprachDatei = "Deutsch.dat";     // current language file name
  std::int32_t ProjektNummer = 1;
  std::string Drucker;
  bool DruckerOffen = false;                  // Drucker is the stored name, not looked up yet
  std::string DruckFont = "Arial";
  std::string DrucklogoDatei = "NUL";         // "NUL" no logo, "FIX" the built-in picture
  std::uint8_t FarbModus = 0;                 // 1 colour, 0 monochrome
  std::uint8_t DruckSeiten = dsEnergiebilanz; // set of TDruckTeil
  bool DruckDatum = true;
  bool DruckHeader = true;
  std::uint8_t SimJahre = 3;                  // simulated weather years, 1 or 3
  std::string ImportDir = ".";
  std::string MeteoDir = ".";
  std::string EnEVDir = ".";
  TFensterPos HMPos{false, 630, 0, 0, 800};   // main window
  TFensterPos AFPos;                          // catalogue and plant dialogs
  // Curves of the live run diagram.
  bool plotE_Koll = true;
  bool plotP_Anlg = true;
  bool plotT_Koll = true;
  bool plotA_To = true;
  bool plotA_Tu = true;
  bool plotA_To2 = true;
  bool plotA_Tu2 = true;
  double DatumKollNeu = 0.0;                  // date of the collector update offered, or 1..5
  double DatumOrteNeu = 0.0;                  // the same for the location update
  bool LogoFest = true;                       // the print logo is always the built-in picture
  // What was wrong with the settings file when it was read (reported then); empty when it
  // was sound. Saving asks before such a file is replaced.
  std::string DateiSchaden;
  // The user chose to keep the settings file as it is (damaged, or not to be written so that
  // it reads back the same): no further question and no save until it is read again.
  bool DateiBehalten = false;
};

// What this program knows of one catalogue file (CatalogueState::DateiStaende).
struct KatalogDateiStand {
  // The content (a hash) as this program last read or wrote it: a rewrite refuses to replace
  // what another program wrote to the file since. Not known for a file that could not be
  // read: Stand is then a hash of the file's marks (which file, its size, its last change).
  std::uint64_t Stand = 0;
  bool StandBekannt = true;
  // What the list did not take in when the file was read (lines for the question a rewrite
  // asks first); empty when the file was read whole.
  std::vector<std::string> Luecken;
  // A rewrite was refused because another program changed the file: the list is to be read
  // again before the catalogue is used or written.
  bool Veraltet = false;
};

// 3. Catalogues and counts.
struct CatalogueState {
  // Each catalogue file's state, by path.
  std::map<std::string, KatalogDateiStand> DateiStaende;

  std::vector<TKollektor> Kollektoren = std::vector<TKollektor>(kMaxKollektoren + 1);
  std::int16_t KollektorAnzahl = 0;
  bool KollektorenGeladen = false;

  std::vector<TOrt> Orte = std::vector<TOrt>(kMaxOrte + 1);
  std::int32_t OrtAnzahl = 0;
  bool OrteGeladen = false;

  std::vector<TProjDat> Projektliste = std::vector<TProjDat>(kMaxProjekte + 1);
  std::int32_t ProjektAnzahl = 0;

  std::vector<TRohr> Rohre = std::vector<TRohr>(kMaxRohre + 1);
  std::int32_t RohrAnzahl = 0;
  bool RohreGeladen = false;

  std::vector<TProfil> Profile = std::vector<TProfil>(kMaxProfile + 1);
  std::int32_t ProfilAnzahl = 0;              // also called AnzahlProfile

  std::vector<TEnergie> Energietraeger = std::vector<TEnergie>(kMaxEnergietraeger + 1);
  std::int32_t EnergieAnzahl = 0;             // also called AnzahlEnergietraeger
  bool EnergieGeladen = false;
  std::string EnergieDatei;                   // energy-carrier file of the current language

  std::vector<TSprache> SprachListe = std::vector<TSprache>(kMaxSprachen + 1);

  std::vector<TSpeicher> Speicherliste = std::vector<TSpeicher>(1);  // grows; slot 0 unused
  std::int32_t SpeicherlisteAnzahl = 0;
  std::vector<TPaket> Solarpakete;            // 0-based
  std::int32_t PaketAnzahl = 0;

  // Sort keys that go with a list sorted by value; grows with the list.
  std::vector<float> SortSchluessel =
      std::vector<float>(kSortSchluesselAnzahl, kKeinSortSchluessel);

  // Texts from the text table, set by the language switch.
  // [1..8] displayed plant-type names
  std::array<std::string, 9> AnlagenKurzNamen = {
      "",                     "Trinkwarmwasser",      "TWW + Heizung",
      "TWW + 2. Verbr.",      "Zwei-Speicher",        "Kaskade",
      "Kombi-Pufferspeicher", "TWW + Pufferspeicher", "Pufferspeicher + FWE"};
  std::array<std::string, 14> Monatsnamen = {"",        "Januar",  "Februar",  "März",
                                             "April",   "Mai",     "Juni",     "Juli",
                                             "August",  "September", "Oktober", "November",
                                             "Dezember", "Summe"};  // [1..12], [13] the year

  // Scratch space of the file readers and reports.
  std::vector<std::string> HilfsListe;
  std::string HilfsStr;

  CatalogueState();
};

// 4. Current project and plant.
struct PlantState {
  TProjekt Projekt;                           // the open project as a record
  std::string ProjektName;
  std::string Info1;
  std::string Info2;
  std::string Standort;                       // location name of the project
  std::int32_t OrtNr = -1;                    // index into Orte, -1 while not found
  std::string Kollektor;                      // collector name
  std::int16_t KollektorNr = -1;              // index into Kollektoren, -1 while not found
  std::uint8_t KollektorMontage = 1;          // index into MontageTexte
  // The current collector (copied from the catalogue when it is selected).
  float KollEta0 = 0.0f;
  float KollK1 = 0.0f;
  float KollK2 = 0.0f;
  float KollModulFlaeche = 1.0f;
  float KollqmVolumen = 1.0f;
  float KollIAM50 = 0.92f;
  float KollWkapC = 0.0f;
  bool KollVRK = false;
  // Collector field(s).
  float KollektorFlaeche = 0.0f;              // m²
  float KollektorAzimut = 0.0f;               // degrees
  float KollektorNeigung = 0.0f;              // degrees
  float KollektorFlaeche2 = 0.0f;
  float KollektorAzimut2 = 0.0f;
  float KollektorNeigung2 = 0.0f;
  float KollektorFlaecheGesamt = 0.0f;
  float KollektorFlow = 0.0f;
  bool OstWestKollektor = false;              // second collector field
  // Plant.
  std::string AnlagenTyp;                     // stored plant-type name
  std::uint8_t AnlagenTypNr = 1;              // 1..8
  std::uint8_t BivSpTyp = 0;                  // storage-type groups
  std::uint8_t KaskadeTyp = 13;               // 13 or 14
  std::uint8_t KombiSpTyp = 11;
  std::uint8_t KombiSpeicherWT = 16;
  std::string SpeicherName;
  std::uint8_t SpeicherAnz = 1;               // 1..3
  float Speicher1vol = 0.0f;                  // litres
  float Speicher2vol = 0.0f;                  // litres
  float SpeicherkWert = 0.0f;
  float SpeicherkWert2 = 0.0f;
  float Speichertauscherleistung = 20.0f;
  std::string RohrTyp;
  std::int32_t RohrNr = -1;                   // index into Rohre
  float RohrAussenDm = 18.0f;                 // the current pipe
  float RohrInnenDm = 16.0f;
  float RohrMeterkWert = 0.22f;
  float Solarkreislaenge = 0.0f;              // m
  float Glykolanteil = 0.0f;
  // Hot water.
  std::string Zapfprofil;                     // name of the project's load profile
  std::int32_t ProfilNr = -1;                 // index into Profile, -1 while not found
  std::array<std::int32_t, 25> AktZapfprofil{};  // [0..24] the current daily profile, %
  std::array<float, 13> WWMonatsfaktor{};     // [1..12] monthly hot-water factors, %
  float Warmwasserverbrauch = 0.0f;           // daily hot-water heat, Wh
  float TagesVerbrauch = 0.0f;                // daily hot water in kWh for the profile editor
  float WWBedarfEinheiten = 0.0f;             // hot-water demand in units of 2.3 kWh per day
  float Kaltwassertemp = 0.0f;
  float Warmwassertemp = 0.0f;
  float Minimaltemp = 0.0f;
  float Maximaltemp = 0.0f;
  float Maximaltemp2 = 0.0f;
  float MaxTempWinter = 0.0f;
  // Space heating.
  float Heiztemp = 0.0f;
  float Heizgrenztemp = 12.0f;
  float Heizwaermebedarf = 0.0f;              // annual demand, Wh
  float Heiztauscherleistung = 0.0f;          // W
  float HeiztauscherDeltaT = 0.0f;            // K
  float FWEnennleistung = 0.0f;               // W
  float FWEdTmin = 5.0f;                      // K
  float HeizQnorm = 0.0f;                     // W
  float HeizTnorm = 0.0f;
  float HeizTvor100 = 0.0f;
  float HeizTrck100 = 0.0f;
  std::uint8_t HeizkreisTyp = 1;              // 1..3
  std::uint16_t KAfaktor = 20;                // enlargement factor × 10
  std::uint8_t ZeitZoom = 5;                  // steps per hour
  // Circulation.
  bool Zirkulation = false;
  std::array<bool, 97> ZiZeiten{};            // [1..96] one per quarter hour
  float ZiLaenge = 10.0f;
  float ZiVol = 3.0f;
  std::uint8_t ZiModus = 1;
  // Pool.
  bool Pool = false;
  float PoolTemp = 0.0f;
  float PoolVol = 0.0f;                       // m³
  float PoolSpminTemp = 0.0f;
  std::uint16_t PoolStart = 0;                // day of the year
  std::uint16_t PoolEnde = 0;                 // day of the year
  bool PoolWTdir = false;
  bool AntiLegionella = false;
  bool LFTkreis = false;
  bool SolHeizung = false;                    // the plant type supports space heating
  // Horizon.
  bool SkyMapAktiv = false;
  std::array<std::uint8_t, 72 * 18> SkyMapDaten{};  // cell [a,h] at (a - 1) * 18 + (h - 1)
  // The energy carrier in use.
  std::int32_t EnergieNr = -1;                // index into Energietraeger, -1 while none matched
  std::string konvEnergie;
  std::string konvEinheit;
  float konvKWhinEinheit = 0.0001f;
  float konvCO2inEinheit = 0.0001f;
  std::uint16_t konvNutzgradWinter = 80;
  std::uint16_t konvNutzgradFruehlingHerbst = 75;
  std::uint16_t konvNutzgradSommer = 60;
  // Work record of the wizard: [0] a collector area, [1..365] daily yields (kWh), [366] the sum.
  std::array<float, 367> TagesErtrag{};
};

// 5. Current location.
struct LocationState {
  std::string OrtLand;
  std::string OrtPLZ;
  double GeoBreite = 50.0;
  double GeoLaenge = 10.0;
  double GeoBreiteBetrag = 50.0;              // absolute latitude
  std::int8_t Hemisphaere = 1;                // +1 north, -1 south
  float SinGeoBreite = 0.0f;
  float CosGeoBreite = 0.0f;
  std::int32_t OrtHoehe = 50;
  std::int8_t OrtZeitzone = 25;
  std::uint8_t OrtTempZone = 6;
  TMonatsArray EinstrahlungMonat{};           // [1..12], [0] December, [13] January
  TMonatsArray LuftTempMonat{};               // [1..12], [0] December, [13] January
  std::string WetterDatei;                    // the location's stored weather file
};

// 6. Instantaneous state and its defaults.
struct MomentState {
  float Tageszeit = 12.0f;                    // hour of the day
  float TruebungsFaktor = 3.5f;               // Linke turbidity
  float AussenTemp = 32.0f;
  float RuecklaufTemp = 30.0f;                // collector return temperature
  float RaumTemp = 20.0f;
  float QKoll = 0.0f;
  float cWasser = 1.163f;                     // Wh/(l·K) (also WaermekapWasser)
  std::int32_t SimTagNr = 0;                  // Julian day number being simulated
  std::int16_t SimTag = 1;                    // day of the year
  std::uint16_t SimMonat = 1;
  std::uint16_t SimJahr = 1996;
  std::uint16_t SimMonatsTag = 1;
  bool Schaltjahr = false;                    // the simulated year is a leap year
  // Deliberate: the whole non-leap year 1997; a leap year's first 365 days leave out 31.12.
  std::int32_t ErsterSimTag = 2450450;        // Julian day 1.1.1997 (a 365-day year)
  std::int32_t LetzterSimTag = 2450814;       // Julian day 31.12.1997
  double Fruehlingsanfang = 0.0;              // season dates of the current year
  double Sommeranfang = 0.0;
  double Herbstanfang = 0.0;
  double Winteranfang = 0.0;
  std::uint16_t AktJahr = 0;                  // the current year
  TRgb HimmelFarbe{173, 214, 239};            // colours of the shading picture
  TRgb SchattenFarbe{128, 128, 128};
};

// 7. Run state.
struct RunState {
  std::uint8_t RechenModus = 3;               // 2 instantaneous, 3 annual simulation, 4 silent run
  bool SimLaeuft = false;
  bool SimFertig = false;
  bool SimGestartet = false;
  bool PauseAktiv = false;                    // the run is paused
  bool AbbruchAnfrage = false;                // cancel requested; becomes Abbruch after the step
  bool Abbruch = false;                       // cancel of a run or of the last dialog
  bool ProjektGeaendert = false;
  bool ErgebnisGueltig = false;               // the result arrays hold a finished run
  bool EnevStart = false;                     // started with "-E"
  bool EnevSimModus = false;                  // the run is an EnEV calibration run
  bool EnevAbgleich = false;                  // calibrate the store loss against EnEV
  std::uint8_t EnevErgebnisModus = 0;         // 0 DIN figures only, 1 with simulation, 2 closed
  float EnevSpeicherverlust = 0.0f;           // EnEV target store-1 loss, kWh/a (SpeicherVerlustEnev)
  float EnevSummeQHeizung = 0.0f;             // kWh/(m²a)
  float EnevSimQTW = 0.0f;
  float EnevSimQTWsol = 0.0f;
  float EnevSimQHsol = 0.0f;
  float EnevSimqHsol = 0.0f;
  float EnevSimAlphaTW = 0.0f;
  bool SolarklimadatenOK = false;             // weather years of the current location present
  bool MessdatenAktiv = false;                // measured irradiance imported
  std::uint8_t WetterDatensatz = 1;           // weather year in use, 1..3
  std::int32_t ValFehler = 0;                 // error position of the last number conversion
  double EingabeWert = 0.0;                   // the number just typed
  bool DruckAktiv = false;                    // the report being built goes to the printer
  bool MeteoImport = false;
  bool MeteoFreigabe = false;
  std::string SuchText;
  bool SucheAktiv = false;                    // a type-ahead search is under way
  bool SucheGefunden = false;
  bool NurWetterdaten = false;                // the location dialog shows only its weather page
  bool WeiterModus = false;                   // continue with the next set-up dialog (AssistentWeiter)
  bool FormAufbau = false;                    // a window is filling its controls (FormInit)
  bool DialogFuellen = false;                 // the main window is opening dialogs
  bool ErsterPaint = false;
  bool KollektorEditAnfrage = false;
  bool FirmenVersion = false;                 // brand edition
  std::int16_t KollEditNr = 0;                // collector the collector editor opens
  std::int32_t OrtEditNr = 0;                 // location the location editor opens
  // The open project's section as the project file held it when the project was loaded or
  // last saved: a save finds out from it whether another program changed it meanwhile.
  struct ProjektStand {
    std::string Datei;                        // the project file; empty: none read yet
    std::int32_t Nummer = 0;
    bool Vorhanden = false;                   // the file held the section
    std::vector<std::string> Zeilen;          // its lines
  } ProjektAufPlatte;
};

// 8. Weather: the hourly weather store and measured data.
struct WeatherState {
  // WetterDaten: 3 sets × 3 quantities × 8760 hours, set-major; set s (1..3) holds direct
  // normal irradiation (Wh/m²), diffuse horizontal irradiation (Wh/m²) and ambient
  // temperature (°C) for the hours 0..8759.
  enum Kanal : int { kDirektNormal = 0, kDiffus = 1, kTemperatur = 2 };
  TStundenBlock<kWetterKanaele> WetterDaten;
  float& Wetter(int satz, int kanal, int stunde) { return WetterDaten(satz, kanal, stunde); }
  float Wetter(int satz, int kanal, int stunde) const { return WetterDaten(satz, kanal, stunde); }
  // Measured hourly values per collector field; [1..8760].
  std::vector<float> Messdaten1 = std::vector<float>(kStundenProJahr + 1, 0.0f);
  std::vector<float> Messdaten2 = std::vector<float>(kStundenProJahr + 1, 0.0f);
};

// 9. Results.
// The thirteen monthly result arrays (block SimMonatswerte), in Wh unless said otherwise.
// Slot numbers and meanings are those of the code that fills them; other names used for
// the same array are given in brackets.
enum TMonatswert : int {
  mwSolarertrag = 1,      // solar yield of the collector field
  mwBrennstoff = 2,       // conventional energy saved: yield / boiler efficiency (EinsparungMonat)
  mwWWBedarf = 3,         // hot-water demand with the monthly factor (VerbrauchMonat1)
  mwVerlust = 4,          // store losses of all stores (VerbrauchMonat2); 3 + 4 = consumer demand
  mwVerlust1 = 5,         // store losses of store 1
  mwNachheizung = 6,      // auxiliary heat (EinstrahlungKollMonat)
  mwSolHeizen = 7,        // solar heat to space heating (plant type 2: surplus to the heating)
  mwPoolWaerme = 8,       // solar heat to the pool
  mwHeizbedarf = 9,       // space-heating demand
  mwKollEinstrahlung = 10,  // irradiation on the collector field (UeberschussMonat)
  mwReserve11 = 11,       // not filled
  mwHeizanteil = 12,      // share of the annual heating demand (no unit); [13] the sum of shares
  mwReserve13 = 13,       // not filled
};
inline constexpr int kMonatswerteAnzahl = 13;

struct ResultState {
  // The block SimMonatswerte, members in slot order (see TMonatswert).
  TMonatsArray SolarertragMonat{};
  TMonatsArray BrennstoffMonat{};
  TMonatsArray WWBedarfMonat{};
  TMonatsArray VerlustMonat{};
  TMonatsArray Verlust1Monat{};
  TMonatsArray NachheizungMonat{};
  TMonatsArray SolHeizenMonat{};
  TMonatsArray PoolWaermeMonat{};
  TMonatsArray HeizbedarfMonat{};
  TMonatsArray KollEinstrahlungMonat{};
  TMonatsArray Reserve11Monat{};
  TMonatsArray HeizanteilMonat{};
  TMonatsArray Reserve13Monat{};

  // Array of slot k = 1..13 of the block.
  TMonatsArray& SimMonatswerte(int k);
  const TMonatsArray& SimMonatswerte(int k) const;

  // The ten arrays that the year loop accumulates, averages and totals.
  static constexpr std::array<TMonatswert, 10> SummenArrays = {
      mwSolarertrag, mwBrennstoff, mwWWBedarf,   mwVerlust,    mwVerlust1,
      mwNachheizung, mwSolHeizen,  mwPoolWaerme, mwHeizbedarf, mwKollEinstrahlung};

  // Hourly result store of up to three runs ([1..3] = the weather year), 12 channels:
  // 0 irradiance on the collector fields (W), 1 solar power into the plant (W), 2 output
  // of field 1, 3 collector temperature of field 1, 4 collector temperature of field 2,
  // 5..10 store node temperatures, 11 irradiance on field 2 (W). Channels 2, 4 and 11 are
  // written only with a second field.
  TStundenBlock<kStundenKanaele> StundenErgebnis;
  float& Stunde(int jahr, int kanal, int stunde) { return StundenErgebnis(jahr, kanal, stunde); }
  float Stunde(int jahr, int kanal, int stunde) const { return StundenErgebnis(jahr, kanal, stunde); }
};

// 10. Print layout (device pixels of the printer page).
struct PrintState {
  std::int32_t SeitenBreite = 0;
  std::int32_t SeitenHoehe = 0;
  std::int32_t ZeilenHoehe = 0;               // SeitenHoehe div 62
  std::int32_t ZeilenHoeheKlein = 0;          // SeitenHoehe div 68
  std::int32_t RandLinks = 0;
  std::int32_t RandRechts = 0;
  std::int32_t SeitenMass = 0;
  std::uint8_t StiftFaktor = 1;               // pen-width factor
  std::array<std::int32_t, 16> DruckY{};      // column x positions of the page being printed (DruckTab)
  std::uint8_t DruckSeite = 0;                // page number of the running printout
  std::string AnzeigeFont = "Arial";          // font of report controls
  std::string DialogFont = "Microsoft Sans Serif";
  std::string Leerraum = std::string(78, ' ');  // column texts take their leading part
};

// 11. Screen and system.
struct ScreenState {
  bool WindowsAb2000 = true;                  // also NeueWindowsVersion
  bool KleinerBildschirm = false;             // screen at most 800 pixels wide
};

struct TavState {
  FolderState folders;
  SettingsState settings;
  CatalogueState cat;
  PlantState plant;
  LocationState loc;
  MomentState moment;
  RunState run;
  WeatherState weather;
  ResultState results;
  PrintState print;
  ScreenState screen;
};

// The one program-wide instance; used only by app/ and the windows.
TavState& G();

}  // namespace tav
