#pragma once
// The text table: every text the program shows, by key, with its German default. The
// current language file replaces the defaults; a key the file lacks keeps its German text.
// Texts carry "&" before an accelerator letter, "|" for a line break in messages and "#"
// where a value is inserted.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/CodePage.h"

namespace tav {

// Text keys in reading order. Keys that are no identifiers are spelt with "_": the key
// "Solares Heizen" is Solares_Heizen, "m^2" is m_2 and "m^2idx" is m_2idx.
enum class TX : std::uint16_t {
  Jan, Feb, Mar, Apr, Mai, Jun, Jul, Aug, Sep, Okt, Nov, Dez, Sum, Anl1, Anl2, Anl3, Anl4, Anl5,
  Anl6, Anl7, Anl8, Anlage1, Anlage2, Anlage3, Anlage4, Anlage5, Anlage6, Anlage7, Anlage8,
  HK_Typ1, HK_Typ2, HK_Typ3, HK_Typ4, HK_Typ5, EnName1, EnName2, EnName3, EnName4, EnName5,
  EnName6, EnName7, EnName8, EnName9, EnName10, EnEinhOel, EnEinhGas, EnEinhEl, EnEinhHolz,
  RohrInox, RohrCu, Profil1, Profil2, Profil3, Profil4, Neumond, ErstViertel, Vollmond,
  LetztViertel, KopftxtHinweis, Jahr, NrAbk, Projektname, Datum, Projekt, Projektinfo, Ergebnisse,
  Kennwerte, Name, mitVerschattung, Globalstrahlung, Standort, geogrBreite, geogrLaenge,
  Deklination, Kollektor, Kollektoren, Flaeche, Apertur, StkAbk, Kennlinie, Eta0, kWert,
  KollAusrichtung, AutoNach, VerAchs, HorAchs, Neigung, Azimut, Anlagentyp, Speicher,
  Durchlauferhitzer, Grad, Liter, LtrAbk, Luft, Temperatur, TempAbk, Vorwaermspeicher, Boiler,
  kesselseitig, Solarspeicher, Kombipuffer, WWspeicher, Pufferspeicher, Speicherwaehlen,
  Frischwassermodul, Heiz_Warmwasser, Heizkreisanbindung, Heizkreis, Waermebedarf,
  HeizWaermebedarf, AntiLegionella, Pooltemperatur, Poolinhalt, Nutzung_vom, Mindesttemperatur,
  im_Speicher, PoolWT, m_2, m_2idx, CO2idx, kWhproTag, kWhproJahr, LiterproTag, LiterproMin,
  KelvinproTag, TWmit, bei, von, auf, und, bis, nichtvorhanden, Solarpaket, Anzahl, Volumen,
  Heizfunktion, bei_T_aussen, T_sp, T_spu, Heizleistung, imSekRuecklauf, Solares_Heizen,
  Temperaturniveau, Monat, TabSolarertrag_a, TabSolarertrag_b, TabEnergieeinsp_a,
  TabEnergieeinsp_b, TabEinstrahlung_a, TabEinstrahlung_b, TabFremdenergie_a, TabFremdenergie_b,
  TabTWWbedarf_a, TabTWWbedarf_b, TabDeckungsrateWW_b, TabDeckungsrateHz_b, TabDeckungsrate_a,
  TabDeckungsrate_b, TabWirkungsgrad_a, TabWirkungsgrad_b, TabEinsparung_b, TabUeberschuss_a,
  TabUeberschuss_b, TabSolHeizen_a, TabSolHeizen_b, TabrateWW, TabPool, TabHeizung, TabTrinkwasser,
  Tabprozentual, TabErwaermung, relTWWBedarf, relTWWuHeizBedarf, Seite, nurTWWuHeiz, SolUeber,
  Teil_d_SolErtrag, NurFuerTWW, PoolkWhpera, fsavTWWHz, SpezKollErtrag, Jahresschnitt,
  Wirkungsgrad, Deckungsrate, Deckungsraten, Solarertrag, Simulation, gesamt, Summe, Durchschnitt,
  nurWW, Warmwasser, Heizung, Schwimmbad, WWmitSpVerl, SolarBilanz, PoolBilanz, OekoBilanz,
  SolarSim, Jahreskurve, KonvEnergie, Nutzenergie, Nutzungsgrad, CO2Belastung, CO2Entlastung,
  beiBetriebinWFHS, Winter5Sommer15, Monatsdurchschnitt, Energieeinsparung, Vorlagevolumen,
  GesamtVol, Frostschutz, Sicherheitsventil, Vordruck, Fuelldruck, Enddruck, Druckfaktor,
  Arbeitsvolumen, KstillstandsT, Nord, Ost, Sued, West, neu, gewaehlt, Standardwert, ButtonOK,
  ButtonCancel, BtnYes, BtnNo, BtnAbort, BtnRetry, BtnIgnore, BtnAskLater, BtnAll, BtnNoToAll,
  BtnYesToAll, BtnHelp, DlgWarning, DlgError, DlgInformation, DlgConfirmation, HmenuDatei,
  HmenuSimulation, HmenuKollektor, HmenuAnlage, HmenuOrt, HmenuEnergie, HmenuExtra,
  HmenuProjektNeu, HmenuProjektinfo, HmenuWaehlen, HmenuSpeichern, HmenuLoeschen, HmenuPImport,
  HmenuPExport, HmenuDatenordner, HmenuErfassungsbogen, HmenuAnschreiben, HmenuDruckoptionen,
  HmenuDruckereinrichten, HmenuBeenden, HmenuRechenmodus, HmenuMomentanleistung,
  HmenuAnlagenSimulation, HmenuStart, HmenuErgebnis, HmenuOptionen, HmenuAbsorberdrehung,
  HmenuWarmwasser, HmenuSolarkreisvolumen, HmenuEnev, HmenuImport, HmenuMeteonormdat, HmenuSprache,
  HmenuInfo, WarnZuvieleProj, WarnZuvieleE, FehlerMaxWert, FehlerMinWert, SButtonProjektNeuHint,
  SButtonProjektWaehlenHint, SButtonProjektSpeichernHint, SButtonAssistent, SButtonMoment,
  SButtonMomentHint, SButtonSimulation, SButtonSimulationHint, SButtonKollektor,
  SButtonKollektorHint, SButtonAnlage, SButtonAnlageHint, SButtonOrt, SButtonOrtHint,
  FormPrjInfoCaption, FormPrjInfoLabel1, FormPrjInfoLabel2, FormPrjInfoNeuCaption,
  FormProjektWaehlenCaption, FormProjektSpeichernCaption, FormProjektSpeichernLabel1a,
  FormProjektSpeichernLabel1b, FormProjektSpeichernButton, Projektueberschreiben,
  FormProjektLoeschenCaption, FormProjektLoeschenLabel1, FormKopfCaption, FormKopfCheckbox1,
  FormKopfCheckbox2, FormKopfLabel1, FormKopfLabelFont, FormKopfRadioButton1, FormKopfRadioButton2,
  FormKopfGroupbox2, FormKopfLogoladen, FormKopfLogoloeschen, FormMomentCaption,
  FormMomentRadioButton1, FormMomentRadioButton2, FormMomentRadioButton3, FormMomentRadioButton4,
  FormMomentRadioButton5, FormMomentRadioButton6, FormMomentLabel2, FormMomentLabel4,
  FormMomentLabel5, FormMomentLabel6, FormMomentLabel7, FormMomentCheckbox1, FormMomentLabel9,
  FormMomentCheckboxAussentemp, FormMomentLabel11, FormMomentCheckbox2, FormMomentLabelNg,
  FormMomentBitBtnDruck, FormMomentBitBtnDruckHint, FormMomentBitBtn2, FormMomentBitBtn2Hint,
  FormMomentBitBtn3, FormMomentBitBtn3Hint, FormMomentButtonEnde, MomentKopfzeile_a, Momentnachts,
  MomentnachSA, MomentvorSU, MomentSonnenhoechst, MomentSonnenhoehe12, MomentAzimutDaemmerung,
  MomentSonnenhoehe, MomentDirektesLicht, MomentDiffusesLicht, MomentEinstrahlungauf,
  MomentwegenVerschattung, MomentkeinSchatten, Momentdirekt, Momentdiffus, Momentglobal,
  MomentKollektorleistung, MomentStagnationstemp, MomentbeiAussentemp, MomentVorlauftemp,
  MomentRuecklauftemp, MomentSpreizung, MomentTkollzuTumgeb, MomentSonnenposition,
  MomentKollektorausrichtung, FormSimRunCaption, FormSimRunGroupBox1, FormSimRunBitBtnStart,
  FormSimRunBitBtnStartHint, FormSimRunBitBtnPause, FormSimRunBitBtnErgebnisse,
  FormSimRunBitBtnKlimgen, FormSimRunBitBtnKlimgenHint, FormSimRunBitBtnOptionen,
  FormSimRunSpeedButton1, FormSimErgCaption, FormSimErgTabSheet1, FormSimErgTabSheet2,
  FormSimErgTabSheet3, FormSimErgTabSheet4, FormSimErgTabSheetPool, FormSimErgTabSheet1var,
  FormSimErgSpeedButton1, FormSimErgSpeedButton2, FormSimErgSpeedButton3, FormSimErgSpeedButton4,
  FormSimErgSpeedButton5, FormSimErgBitBtn1, FormSimErgCheckboxReport, FormSimErgCheckbox1,
  FormSimErgCheckbox2, FormSimErgCheckboxAlles, FormSimErgBitBtn2, FormSimErgBitBtn2Hint,
  FormSimErgBitBtnPool, FormSimErgBitBtnPoolHint, FormSimErgBitBtn3, FormSimErgBitBtn3Hint,
  FormSimErgBitBtn4, FormSimErgBitBtn4Hint, FormSimErgBitBtn5, FormSimErgBitBtn5Hint,
  MeldungTextinZA, MeldungGrafikinZA, FormSimErgplE_Koll, FormSimErgplP_Anlg, FormSimErgplT_Koll,
  FormSimErgplA_To1, FormSimErgplA_Tu1, FormSimErgplA_To2, FormSimErgplA_Tu2,
  FormSimErgTagesverlauf, FormSimErgMonatsverlauf, FormSimErgJahresverlauf, FormSimErgButtonEnde,
  FormSimOptCaption, FormSimOptGroupBox1, FormSimOptLabel1, FormSimOptLabel2, FormSimOptLabel3,
  FormSimOptLabel4, FormSimOptGroupBox2, FormSimOptRadioButton1Jahr, FormSimOptRadioButton3Jahre,
  FormsButtonForward, FormsButtonForwardHint, FormAssCaption, FormAssPrjName, FormAssOrt,
  FormAssKollTyp, FormAssKollOri, FormAssTWW, FormAssT_warm, FormAssSolarKombi, FormAssHzgbedarf,
  FormAssThzgrz, FormAssKAfaktor, FormAssKAfaktorHint, FormAssSolarpaket, FormSButtonAlleK,
  FormBButtonPakete, FormAssTitelTWW, FormAssKollA, FormAssSpVol, FormAssTitelTWWuHzg,
  FormAssProzTWW, FormAssProzHzg, FormAssProzges, FormKollUnitCaption, FormKollUnitTabSheet1,
  FormKollUnitTabSheet2, FormKollUnitTabSheet3, FormKollUnitTabSheet4,
  FormKollUnitKollBearbeitenSpeedButton, FormKollUnitKollShowSpeedButton,
  FormKollUnitKollNeuSpeedButton, FormKollUnitKollLoeschenSpeedButton,
  FormKollUnitKollSuchenSpeedButton, FormKollUnitKollSortSpeedButton, FormKollUnitAlfabetisch,
  FormKollUnitGroupBox2, FormKollUnitLabel1, FormKollUnitLabel3, FormKollUnitLabel5,
  FormKollUnitCheckBoxOstWest, FormKollUnitSpeedButtonOW, FormKollUnitGroupBox4,
  FormKollUnitLabel15, FormKollUnitLabelAbstand, FormKollUnitLabel16, FormKollUnitLabel17,
  FormKollUnitLabel10, FormKollUnitLabel27b, FormKollUnitLabel27c, FormKollUnitLabel11,
  FormKollUnitRadioGroup1, FormKollUnitRadioGroupItems0, FormKollUnitRadioGroupItems1,
  FormKollUnitRadioGroupItems2, FormKollUnitRadioGroupItems3, Kollektorflaecheminimal,
  Kollektorflaechemaximal, FormAnlageCaption, FormAnlageTabSheet1, FormAnlageTabSheet2,
  FormAnlageTabSheetSolHeiz, FormAnlageTabSheetPool, FormAnlageTabSheet4, FormAnlageSchema1,
  FormAnlageSchema2, FormAnlageSchema3, FormAnlageSchema1_TSS, FormAnlageSchema4,
  FormAnlageSchema5, FormAnlageSchema6, FormAnlageSchema7, FormAnlageSchema8,
  FormAnlageCheckBoxElektro, FormAnlageCheckBoxLFT, FormAnlageCheckBoxPool,
  FormAnlageCheckBoxAntiLeg, FormAnlageGroupBox1, FormAnlageLabel1, FormAnlageLabel3,
  FormAnlageLabel5, FormAnlageLabel7, FormAnlageLabel8, FormAnlageLabel9, FormAnlageLabel11,
  KombiSpeicherCaption, KombiSpeicherTT, KombiSpeicherWT, KombiSpeicherTTSH, FormAnlageKaskCaption,
  FormAnlageKaskSp, FormAnlageKaskDLE, FormAnlageGroupBoxFWE, FormAnlageLabelFWEQ,
  FormAnlageLabelFWEdTmin, FormAnlageLabel19, FormAnlageGroupBox2, FormAnlageLabel13,
  FormAnlageSpeedButton1a, FormAnlageSpeedButton1b, FormAnlageLabel33, FormAnlageSpeedButton2,
  FormAnlageSpeedButtonPrfNeu, FormAnlageSpeedButtonPrfDel, FormAnlageGroupBoxSpeicher,
  FormAnlageLabelVol, FormAnlageLabel23a, FormAnlageLabel23b, FormAnlageLabel23c,
  FormAnlageLabelVol2, FormAnlageLabel26a, FormAnlageLabel26b, FormAnlageLabel26c,
  FormAnlageLabel15, FormAnlageLabel16, FormAnlageLabel17, FormAnlageLabelSpAnz,
  FormAnlageLabelGesVol, FormAnlageGroupBox5, FormAnlageLabel27, FormAnlageLabel29,
  FormAnlageLabel31, FormAnlageGroupBox6, FormAnlageLabel48, FormAnlageLabel52, FormAnlageLabel50,
  FormAnlageLabel54, FormAnlageGroupBoxQheiz, FormAnlageLabelQheiz, FormAnlageRadioGroup2,
  FormAnlageBetriebsw, FormAnlagePoolTemp, FormAnlagePoolVol, FormAnlageNutzungvon,
  FormAnlageSpButton1, FormAnlageSpButton2, FormAnlageSpMintemp, FormAnlageimSpeicher,
  FormAnlageWT, FormAnlageWTdirekt, FormAnlageWTindirekt, FormAnlageGroupBox7, FormAnlageLabel36,
  FormAnlageLabel34, FormAnlageLabel37, FormAnlageLabel35, FormAnlageLabel41, FormAnlageLabel42,
  FormAnlageLabel43, FormAnlageLabel44, FormAnlageEnerBearbeitenSpeedButton, FormAnlageLabel56,
  FormEnerEditCaption, FormOrtUnitCaption, FormOrtUnitTabSheet1, FormOrtUnitTabSheet2,
  FormOrtUnitTabSheet3, FormOrtUnitOrtBearbeitenSpeedButton, FormOrtUnitOrtNeuSpeedButton,
  FormOrtUnitOrtLoeschenSpeedButton, FormOrtUnitOrtSuchenSpeedButton,
  FormOrtUnitOrtSortSpeedButton, FormOrtUnitPopSuchen, FormOrtUnitPopBearbeiten,
  FormOrtUnitPopLoeschen, FormOrtUnitPopHinzufuegen, FormOrtUnitPopSortieren,
  FormOrtUnitAlfabetisch, FormOrtUnitGeoBreite, FormOrtUnitPLZ, FormOrtUnitCheckBox1,
  FormOrtUnitBitBtn1, FormOrtUnitBitBtn2, FormOrtUnitSpeedButtonWSladen,
  FormOrtUnitSpeedButtonWSspeichern, FormOrtUnitSpeedButtonWSloeschen,
  FormOrtUnitSpeedButtonWSladHint, FormOrtUnitSpeedButtonWSspcHint,
  FormOrtUnitSpeedButtonWSloeHint, FormOrtUnitSpeedButtonNeuRechnen, FormOrtUnitLabel1,
  FormOrtUnitLabel3, FormOrtStatusBarMaus1, FormOrtStatusBarMaus2, FormOrtFehlerLetzterOrt,
  FormSuche, FormSuchbegriff, FormSkyObjCaption, FormSkyObjLabel1, FormSkyObjLabel3,
  FormSkyObjLabel5, FormSkyObjLabel7, FormKollEditCaption, FormKollEditLabel1,
  FormKollEditRadioButton1, FormKollEditRadioButton2, FormKollEditLabel2, FormKollEditLabelQuelle,
  FormKollEditLabel3, FormKollEditLabel4, FormKollEditLabel5, FormKollEditLabel18,
  FormKollEditLabel6, FormKollEditLabel7, FormKollEditLabel30, FormKollEditLabel31,
  FormProfEditCaption, FormProfEditTabSheet1, FormProfEditTabSheet2, FormProfEditSpeedButton1,
  FormProfEditLabel1, FormProfEditLabel2, FormProfEditLabel3, FormProfEditPanel1, FormProfEditUhr,
  FormOrtEditCaption, FormOrtEditLabel1, FormOrtEditLabel2, FormOrtEditLabel3, FormOrtEditLCode,
  FormOrtEditLabel30, FormOrtEditLabel31, FormOrtEditLabel35, FormOrtEditLabel37,
  FormOrtEditLabel39, FormOrtEditLabelZzone, FormAbsDrehCaption, FormAbsDrehLabelNg,
  FormAbsDrehLabelAz, FormAbsDrehLabelDach, FormAbsDrehLabelWinkel, FormAbsDrehLabelAbs,
  FormAbsDrehButton1, FormAbsDrehButton1Hint, FormAbsDrehButtonEnde, FormWWCaption,
  FormWWTemperatur, FormWWkalt, FormWWwarm, FormWWVolumen, FormWWZeit, FormWWQ, FormWWButton1,
  FormSvolCaption, FormSvolLabelKvol, FormSvolLabelTdampf, FormSvolLabel9, FormSvolLabelHstat,
  FormSvolLabelpGas, FormSvolLabelpKV, FormSvolLabelRvol, FormSvolLabelWTvol, FormSvolLabelVvol,
  FormSvolLabelpSV, FormSvolLabelMAGvol, FormSvolLabelErgTitel, FormSvolVerdampfg,
  FormSvolDampfdruck, FormSvolstatDruck, FormSvolVolLtgWT, FormSvolNennvol, FormSvolMAGvol2,
  FormSvolBitBtn1, FormSvolButton1, Vordruckfehler, FormVerzWCaption, FormVerzInfoH, FormVerzInfo1,
  FormVerzInfo2, FormVerzRButton1, FormVerzRButton2, SpeichernAbfrage,
  AktuelleDatenSpeichernAbfrage, DatenLoeschenAbfrage, ProjektLoeschenAbfrage_a,
  ProjektLoeschenAbfrage_b, DatenUpdateAbfrage, ReportDisclaimer1, ReportDisclaimer2,
  ReportDisclaimer3, ReportDisclaimer4, ReportDisclaimer5, MeldungKeinDrucker,
  MeldungDruckenfertig, MeldungRechnungabgebrochen, MeldungRechnungangehalten,
  MeldungRechnunglauft, MeldungRechnungfertig, MeldungKollnichtgefunden,
  MeldungFirmenKollnichtgefunden, MeldungOrtnichtgefunden, Meldung_nichtgefunden,
  FehlerWertunzulaessig, FehlerCreateFolder, FehlerDateiLesen, FehlerDateiSchreiben,
  FehlerHeizlast, WarnungMaxAnzahl, WarnungMinimum1, Kolldurch3, zuniedrig, zuhoch, Update,
  Version, KlimgenTempZone1, KlimgenTempZone2, KlimgenTempZone3, KlimgenTempZone4,
  KlimgenTempZone5, KlimgenTempZone6, KlimgenTempZone7, KlimgenTempZone8, EditTermSolverHint,
  Fragebogen1, Fragebogen2, Info1, Info2, Info3, Info4, InfoMail, InfoLink,
  // Texts of this program beyond the original table.
  MeldungPdfGeschrieben, KollListeEingelesen, KollListeAnlegen, DateiSchreiben, DateiEingelesen,
  ProjektdatenAbgespeichert, OrdnerOeffnenFehlt, AdresseOeffnenFehlt, kWhproQmJahr,
  EnergieKeineDaten, EnergieAbgeschnitten, EnergieNamenDoppelt, EnergieSchreibfehler,
  ZahlenangabenPruefen,
  ProjektFremdGeaendert, ProjektFremdNichtGespeichert, ProjektFremdAuswege, ProjektNeueNummerAbfrage,
  SchrittZuGrob,
  // File errors and the system's reasons (errno) in the session's language.
  DateiNichtGeschrieben, DateiNichtGelesen, DateiBleibtUnveraendert,
  DateiUngelesenNichtGeschrieben, GrundOrdner, GrundKeineDatei, GrundVerweis, GrundEineDatei,
  GrundSperrdatei, GrundAnderesProgramm, GrundGroesser, GrundSpeicher, DatenordnerNichtAnlegen,
  DatenordnerNurLesen, DatenordnerDateienFehlen, SysEACCES, SysEPERM, SysENOENT, SysENOTDIR,
  SysEISDIR, SysEEXIST, SysENOSPC, SysEDQUOT, SysEFBIG, SysEROFS, SysEIO, SysENAMETOOLONG,
  SysELOOP, SysEMFILE, SysENOMEM, SysEBUSY, SysEXDEV, SysEINVAL, SysFehler, KatalogFremdGeaendert,
  ProjektdateiUnveraendert, EinstellungenBeschaedigt,
  EinstellungenNichtGleich, EinstellungenFremdGeaendert, WetterAndererStandort, CodeseiteZeichen,
  UngueltigesUtf8, TextWuerdeUtf8,
  // Project list and data folder.
  ProjektOhneNummer, ProjektDoppelt, ProjektMehrfach, ProjekteAnzahl, ProjekteUebrige,
  ProjekteListeHaelt, ProjektNurImSpeicher, ProjekteImportiertUngespeichert, OrdnerNichtSchreibbar,
  // Weather files and imports.
  KlimadatenFehlerSchreiben, KlimadatenSchreibfehler, WetterWertAusserhalb, WetterDirektstrahlung,
  WetterDiffusstrahlung, WetterLufttemperatur, WertUnendlich, AnzahlStattWerte, AnzahlStattBytes,
  ImportFehlerIn, ImportDateiFehlt, ImportProblem, ImportKopfzeile, ImportKopfUnklar,
  ImportKopfdaten, ImportDatenzeile,
  // Catalogue imports.
  ImportBilanz, ImportOrte, ImportKollektoren, EinEintrag, NEintraege, ImportSchonInListe,
  ImportFehlerhaft, ImportNichtUebernommen, KatalogBleibt, HoechstensEintraege,
  StandortNichtUebernommen,
  // Printout wording.
  PrimSek, AufTemperaturniveau, T_spu_kurz,
  // The start check's refusals and the run's notices.
  SimKannNichtStarten, KeineWetterdatenFuer, StartATypUnbekannt, StartZuWenigeSchritte,
  StartMontageUnbekannt, StartWertAusserhalb, StartKollFlaecheNull, StartKollFlaeche2Null,
  StartFlowNull, StartFlowZuKlein, StartSpTauscherNull, StartSpeicherNull, StartNutzgradNull,
  StartKombipufferUnbekannt, StartHKTypUnbekannt, StartKombiKnotenLeer, StartHeizTauscherNull,
  StartFWENull, StartWWUeberKW, StartWWUeberMax, StartMinUeberMax, StartNormTemp, StartHeizkurve,
  StartZeitraum, LowFlowUeberschritten, ZeitZoomErhoeht, EnergieEinheitFehlt,
  Count_
};

inline constexpr std::size_t kTextCount = static_cast<std::size_t>(TX::Count_);

struct TextDefault {
  const char* key;      // key in the language file
  const char* deutsch;  // German default
};

// Key and German default of a text.
const TextDefault& TextDefaultOf(TX key);
// The text key named so in a language file (case-insensitive), if there is one.
std::optional<TX> TextKeyByName(std::string_view name);

class TTextTable {
 public:
  // Starts with every German default, so messages have texts from the first instant.
  TTextTable();

  const std::string& operator[](TX key) const { return texts_[static_cast<std::size_t>(key)]; }
  const std::string& Text(TX key) const { return (*this)[key]; }
  // Replaces one text until the next load (a caption changed for one question).
  void Set(TX key, std::string text) { texts_[static_cast<std::size_t>(key)] = std::move(text); }

  // Every text back to its German default.
  void LoadDefaults();
  // Takes every text from Lookup (by key name), the German default where it has none.
  void Load(const std::function<std::optional<std::string>(std::string_view key)>& lookup);
  // Reads the language file (section "Tavrel") in the code page of its language (a file with
  // a UTF-8 byte-order mark is read as UTF-8). A missing file or key is not reported: the
  // German default stands. True when the file was there and could be read. A file that is
  // there but cannot be read (a folder, a pipe, no permission, too large), or holds no section
  // "Tavrel", leaves the German defaults too and puts the reason, naming the file, in `fehler`.
  bool LoadTexts(const std::filesystem::path& file, CodePage codePage = CodePage::Cp1252,
                 std::string* fehler = nullptr);

  // Month names 1..12 and 13 = the sum column, each at most 15 characters.
  std::array<std::string, 14> Monatsnamen;
  // Short names of the plant types 1..8.
  std::array<std::string, 9> AnlagenKurzNamen;
  // The text of "gesamt" with a capital first letter.
  std::string GesamtGross;
  // Hint of the results window's second graphic button; filled from FormSimErgBitBtn5Hint.
  std::string FormSimErgBitBtn5Hint2;

 private:
  void Derive();
  std::array<std::string, kTextCount> texts_;
};

// The program-wide text table.
TTextTable& Texts();
// The German texts, whatever the language: for what is printed in German in every language
// (the EnEV sheet).
const TTextTable& DeutscheTextTabelle();
// A text of the program-wide table.
inline const std::string& T(TX key) { return Texts()[key]; }

// The system's reason for the error number `err` (errno) in the session's language, for the
// messages that name it: the common file errors by name, any other as "system error N".
std::string SystemGrund(int err);
// A template of the program-wide table with its "#" marks filled in order.
std::string TextMit(TX key, std::initializer_list<std::string> werte);

// Name of a language's data file: name + ".dat" for German (code "de" in any case),
// otherwise name + "_" + code + ".dat". No file is consulted.
std::string LangFileName(const std::string& name, const std::string& code);
// The language's own data file when it exists in Folder, else the German name + ".dat".
std::string LangDataFileName(const std::string& name, const std::string& code,
                             const std::filesystem::path& folder);

}  // namespace tav
