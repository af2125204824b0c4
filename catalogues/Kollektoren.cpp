#include "catalogues/Kollektoren.h"

#include "foundation/KatalogDiensteDatei.h"
#include "project/ProjektRecord.h"
#include "foundation/StatusSink.h"
#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/Messages.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "simulation/WerteBereiche.h"

namespace tav {

static_assert(katalog::kNamensVergleich == kKollektorNameLaenge,
              "names are compared as far as the collector key a project stores reaches");

namespace {

using namespace katalog;

constexpr std::string_view kSchreibfehler = "Schreibfehler beim Aktualisieren der Kollektordatei";
constexpr std::string_view kMarkeAlt = "Kelbrand Lumoa";
constexpr std::string_view kMarkeNeu = "Kelbrand Lumoa K1/K2";

void SetBuiltIn(CatalogueState& c) {
  SetzeListe(BuiltInKollektoren(), c.Kollektoren, c.KollektorAnzahl);
}

// The figures of a section after the names, in the order they are read: the field, the
// value of a missing key, whether the figure belongs to the efficiency curve the engine runs
// with, and whether it must be above 0 there (as the file holds it, 3 decimals).
struct Kennwert {
  std::string_view Schluessel;
  float TKollektor::*Feld;
  float Vorgabe;
  bool Kennlinie;
  bool Positiv = false;
};
constexpr Kennwert kKennwerte[] = {
    {"Eta0", &TKollektor::Eta0, 0.0f, true, true},
    {"K1", &TKollektor::K1, 0.0f, true},
    {"K2", &TKollektor::K2, 0.0f, true},
    {"IAM50", &TKollektor::IAM50, 0.9f, false},
    {"WkapC", &TKollektor::WkapC, 0.0f, false},
    {"ModulFlaeche", &TKollektor::ModulFlaeche, 1.0f, false},
    {"qmVolumen", &TKollektor::qmVolumen, 1.0f, false},
};

// A figure that cannot be used as the file has it: what is wrong with it, and its default.
struct Ersatz {
  std::string befund;
  float wert;
};

// One section read: the entry, the figures it cannot run without (it is then left out) and
// the figures replaced by their defaults (it is kept with these).
struct Gelesen {
  TKollektor k;
  std::vector<std::string> unbrauchbar;
  std::vector<Ersatz> ersetzt;
};

// One section by the reader's key table; the older keys KollektorName and TestMethode serve
// as the defaults of Name, Norm and Quelle. A figure that cannot be read or lies outside its
// range (KollektorWertBereich) is named with its value: one of the efficiency curve makes the
// entry unusable, any other takes its default. Without an optical efficiency above 0 (as the
// file holds it) the collector gives no yield and is unusable too. A module area of 0 is kept:
// the module count then counts 1 m² a module, and the area does not enter the yield.
Gelesen LeseKollektor(SektionsLeser& l, int n) {
  Gelesen g;
  TKollektor& k = g.k;
  const std::string altName = l.Text("KollektorName", "Kollektor " + FloatToPointStr(1, 1, n));
  k.Name = l.Text("Name", altName);
  const std::string methode = l.Text("TestMethode", "*** unbekannt ***");
  if (l.Hat("Norm")) {
    k.Norm = l.Text("Norm", "");
  } else {
    static const std::vector<std::string> normen(NormListe.begin(), NormListe.end());
    k.Norm = FindClosestString(LinksZeichen(methode, 3), normen);
  }
  k.Quelle = l.Text("Quelle", methode);
  for (const Kennwert& w : kKennwerte) {
    const WertBereich* b = KollektorWertBereich(w.Schluessel);
    const std::size_t vorher = l.Fehler().size();
    const float wert = l.Zahl(w.Schluessel, w.Vorgabe, b->Min, b->Max);
    k.*w.Feld = wert;
    if (l.Fehler().size() == vorher) {
      if (w.Positiv && !(AufGeschrieben(wert, 3) > 0.0f))
        g.unbrauchbar.push_back(l.Hat(w.Schluessel) ? std::string(w.Schluessel) + " = " +
                                                          Zitat(l.TextOhneRand(w.Schluessel, ""), 40) +
                                                          " ist nicht größer als 0"
                                                    : std::string(w.Schluessel) + " fehlt");
    } else if (w.Kennlinie) {
      g.unbrauchbar.push_back(l.Fehler().back());
    } else {
      g.ersetzt.push_back({l.Fehler().back(), w.Vorgabe});
    }
  }
  // "1" or any non-zero whole number is an evacuated-tube collector.
  const std::string vrk = l.TextOhneRand("VRK", "");
  long long ja = 0;
  if (!vrk.empty() && !LeseGanzzahl(vrk, ja))
    g.ersetzt.push_back({"VRK = " + Zitat(vrk, 40) + " ist keine Zahl", 0.0f});
  k.VRK = ja != 0;
  return g;
}

// The message of a section with a figure it cannot use as the file has it (empty for a sound
// section): the collector, each wrong value, and what is done with the entry.
std::string Befund(const SektionsLeser& l, const Gelesen& g) {
  if (g.unbrauchbar.empty() && g.ersetzt.empty()) return {};
  const bool raus = !g.unbrauchbar.empty();
  std::vector<std::string> texte = g.unbrauchbar;
  for (const Ersatz& e : g.ersetzt) texte.push_back(raus ? e.befund : e.befund + " (es gilt " + WertText(e.wert) + ")");
  std::string t = "[" + Zitat(l.Name()) + "] \"" + Zitat(g.k.Name, 60) + "\": ";
  for (std::size_t i = 0; i < texte.size(); ++i) t += (i ? ", " : "") + texte[i];
  return t + (raus ? "; der Eintrag wird nicht übernommen" : "; der Eintrag wird mit diesen Ersatzwerten übernommen");
}

// Loads the catalogue into the list; reports every problem and never leaves the list empty.
void LadeListe(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  const std::string pfad = KollDateiPfad(s);
  TBigIniFile ini;
  const Ladung l = LadeKatalog(pfad, ini, &s.cat.DateiStaende);
  if (l == Ladung::Fehlt) {
    status.Status(T(TX::KollListeAnlegen));
    status.Pause(800);
    InitKollektoren(s, status);
    return;
  }
  if (l == Ladung::Unlesbar) {
    SetBuiltIn(c);
    return;
  }
  Probleme probleme(pfad);
  const int anzahl = ini.SectionCount();
  // A section without a usable efficiency curve is left out, as it would run with a
  // substitute (an efficiency of 0 gives a collector without yield); one with other figures
  // replaced is kept, and the file counts as read in part.
  std::vector<std::string> ausgelassen;
  std::vector<std::string> ersetzt;
  int n = 0;
  int i = 0;
  for (; i < anzahl && n < kMaxKollektoren; ++i) {
    SektionsLeser leser(ini, i);
    Gelesen g = LeseKollektor(leser, n + 1);
    if (std::string b = Befund(leser, g); !b.empty()) probleme.Add(std::move(b));
    if (!g.unbrauchbar.empty()) {
      ausgelassen.push_back(leser.Name());
      continue;
    }
    if (!g.ersetzt.empty()) ersetzt.push_back(leser.Name());
    c.Kollektoren[++n] = std::move(g.k);
  }
  if (n == 0) {
    probleme.Add("Keine Kollektordaten gefunden");
    if (ausgelassen.empty()) NotiereLuecke(&c.DateiStaende, pfad, LueckeKeinEintrag());
    SetBuiltIn(c);
  } else {
    c.KollektorAnzahl = static_cast<std::int16_t>(n);
  }
  if (i < anzahl) {
    probleme.Add(T(TX::WarnZuvieleE) + " " + std::string(KollDatei));
    NotiereLuecke(&c.DateiStaende, pfad, LueckeZuviele(anzahl - i, kMaxKollektoren));
  }
  if (!ausgelassen.empty()) NotiereLuecke(&c.DateiStaende, pfad, LueckeAusgelassen(ausgelassen));
  if (!ersetzt.empty()) NotiereLuecke(&c.DateiStaende, pfad, LueckeErsatzwerte(ersetzt));
  probleme.Melde();
}

// The collector names by position, for the name searches.
auto Namen(const CatalogueState& c) {
  return [&c](int i) -> const std::string& { return c.Kollektoren[i].Name; };
}

// Index of the collector the project's key names: the exact name (last wins), else the
// name whose first 50 characters are the key (the key is stored cut), -1 when none.
int SucheName(const CatalogueState& c, const std::string& key) {
  const int nr = LetzterMitNamen(c.KollektorAnzahl, key, Namen(c));
  if (nr != -1 || Utf8Length(key) != kKollektorNameLaenge) return nr;
  return LetzterMitNamen(c.KollektorAnzahl, key, [&](int i) {
    return LinksZeichen(c.Kollektoren[i].Name, kKollektorNameLaenge);
  });
}

}  // namespace

std::optional<float> KollektorErsatzwert(std::string_view schluessel) {
  for (const Kennwert& w : kKennwerte)
    if (EqualsNoCase(w.Schluessel, schluessel)) return w.Kennlinie ? std::nullopt : std::optional(w.Vorgabe);
  return std::nullopt;
}

void AppendKollektorSection(std::string& out, int nummer, const TKollektor& k) {
  out += "[Kollektor " + std::to_string(nummer) + "]\r\n";
  Zeile(out, "Name", k.Name);
  Zeile(out, "Norm", k.Norm);
  Zeile(out, "Quelle", k.Quelle);
  Zeile(out, "Eta0", FloatToCommaStr(5, 3, k.Eta0));
  Zeile(out, "k1", FloatToCommaStr(5, 3, k.K1));
  Zeile(out, "k2", FloatToCommaStr(5, 4, k.K2));
  Zeile(out, "IAM50", FloatToCommaStr(3, 3, k.IAM50));
  Zeile(out, "WkapC", FloatToCommaStr(3, 3, k.WkapC));
  Zeile(out, "VRK", k.VRK ? "1" : "0");
  Zeile(out, "ModulFlaeche", FloatToCommaStr(5, 3, k.ModulFlaeche));
  Zeile(out, "qmVolumen", FloatToCommaStr(5, 3, k.qmVolumen));
  out += "\r\n";
}

std::string KollektorenText(const CatalogueState& c) {
  std::string out;
  for (int n = 1; n <= c.KollektorAnzahl; ++n) AppendKollektorSection(out, n, c.Kollektoren[n]);
  return out;
}

void RoundKollektorToWritten(TKollektor& k) {
  k.Eta0 = AufGeschrieben(k.Eta0, 3);
  k.K1 = AufGeschrieben(k.K1, 3);
  k.K2 = AufGeschrieben(k.K2, 4);
  k.IAM50 = AufGeschrieben(k.IAM50, 3);
  k.WkapC = AufGeschrieben(k.WkapC, 3);
  k.ModulFlaeche = AufGeschrieben(k.ModulFlaeche, 3);
  k.qmVolumen = AufGeschrieben(k.qmVolumen, 3);
}

std::vector<TKollektor> BuiltInKollektoren() {
  struct Row {
    const char* name;
    const char* norm;
    const char* quelle;
    float eta0, k1, k2, flaeche, volumen, iam50;
    bool vrk;
  };
  static constexpr Row kRows[] = {
      {"Solarabsorber, Kunststoff, unverglast", "-", "Erfahrungswert", 0.95f, 10.0f, 0.93f, 1.0f,
       1.0f, 0.93f, false},
      {"Flachkollektor, selektiv beschichtet", "DIN", "nach DIN 4701-10", 0.77f, 3.5f, 0.02f,
       1.9f, 0.8f, 0.90f, false},
      {"Großflächenkollektor", "DIN", "Erfahrungswert", 0.79f, 3.5f, 0.011f, 5.5f, 0.7f, 0.94f,
       false},
      {"Vakuumröhrenkollektor", "DIN", "nach DIN 4701-10", 0.71f, 1.0f, 0.009f, 1.0f, 1.0f,
       0.99f, true},
  };
  std::vector<TKollektor> out;
  for (const Row& r : kRows) {
    TKollektor k;
    k.Name = r.name;
    k.Norm = r.norm;
    k.Quelle = r.quelle;
    k.Eta0 = r.eta0;
    k.K1 = r.k1;
    k.K2 = r.k2;
    k.ModulFlaeche = r.flaeche;
    k.qmVolumen = r.volumen;
    k.IAM50 = r.iam50;
    k.WkapC = 0.0f;
    k.VRK = r.vrk;
    RoundKollektorToWritten(k);
    out.push_back(std::move(k));
  }
  return out;
}

std::string KollDateiPfad(const TavState& s) { return DatenPfad(s, KollDatei); }

bool WriteKollektoren(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  for (int n = 1; n <= c.KollektorAnzahl; ++n) RoundKollektorToWritten(c.Kollektoren[n]);
  return SchreibeKatalog(KollDateiPfad(s), KollektorenText(c), std::string(KollDatei),
                         std::string(kSchreibfehler), status, &c.DateiStaende);
}

bool InitKollektoren(TavState& s, StatusSink& status) {
  SetBuiltIn(s.cat);
  return WriteKollektoren(s, status);
}

void ReadKollektoren(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  PlantState& p = s.plant;
  // Read again after a rewrite was refused because another program changed the file.
  if (!c.KollektorenGeladen || Veraltet(c.DateiStaende, KollDateiPfad(s))) {
    LadeListe(s, status);
    c.KollektorenGeladen = true;
  }
  if (p.Kollektor == kMarkeAlt) p.Kollektor = std::string(kMarkeNeu);
  p.KollektorNr = static_cast<std::int16_t>(SucheName(c, p.Kollektor));
  if (p.Kollektor == "*init*") p.KollektorNr = 1;
  if (p.KollektorNr == -1) {
    std::uint16_t d = 0;
    p.KollektorNr = static_cast<std::int16_t>(FindKollektor(c, p.Kollektor, d));
    if (p.KollektorNr >= 1) {
      const std::string grund = s.run.FirmenVersion ? T(TX::MeldungFirmenKollnichtgefunden)
                                                    : T(TX::MeldungKollnichtgefunden);
      MeldeErsatz(p.Kollektor, grund, c.Kollektoren[p.KollektorNr].Name);
    }
  }
  SelectKollektor(s, p.KollektorNr);
  status.Status(T(TX::KollListeEingelesen));
}

int ImportKollektoren(TavState& s, const std::string& fileName, StatusSink& status,
                      ImportBilanz* ergebnis) {
  CatalogueState& c = s.cat;
  TBigIniFile ini;
  const Ladung l = LadeKatalog(fileName, ini);
  std::vector<int> sektionen;
  if (l == Ladung::Ok) {
    for (int i = 0; i < ini.SectionCount(); ++i)
      if (ini.SectionNameAt(i).compare(0, 9, "Kollektor") == 0) sektionen.push_back(i);
  }
  if (l == Ladung::Unlesbar) return -1;
  const int k = static_cast<int>(sektionen.size());
  if (k == 0) {
    ShowMessageLines("Keine Kollektordaten in " + fileName + " gefunden");
    return -1;
  }
  Probleme probleme(fileName);
  const std::int16_t anzahlVorher = c.KollektorAnzahl;
  ImportBilanz bilanz;
  bilanz.gelesen = k;
  int i = 0;
  for (; i < k && c.KollektorAnzahl < kMaxKollektoren; ++i) {
    SektionsLeser leser(ini, sektionen[static_cast<std::size_t>(i)]);
    Gelesen g = LeseKollektor(leser, i + 1);
    // As the reader: a section without a usable efficiency curve is not taken; one with
    // other figures replaced is taken with the replacements.
    if (std::string b = Befund(leser, g); !b.empty()) probleme.Add(std::move(b));
    if (!g.unbrauchbar.empty()) {
      ++bilanz.fehlerhaft;
      continue;
    }
    TKollektor& neu = g.k;
    if (LetzterMitNamen(c.KollektorAnzahl, neu.Name, Namen(c)) != -1) {
      ++bilanz.vorhanden;
      continue;
    }
    RoundKollektorToWritten(neu);
    c.Kollektoren[++c.KollektorAnzahl] = std::move(neu);
    ++bilanz.uebernommen;
  }
  bilanz.zuviele = k - i;
  if (ergebnis) *ergebnis = bilanz;
  probleme.Melde();
  return SchliesseImportAb(
      bilanz, T(TX::ImportKollektoren), fileName, KollDateiPfad(s), kMaxKollektoren,
      [&] { return WriteKollektoren(s, status); },
      [&] {
        // A file another program changed is read again.
        c.KollektorAnzahl = anzahlVorher;
        if (Veraltet(c.DateiStaende, KollDateiPfad(s))) ReadKollektoren(s, status);
      });
}

bool SelectKollektor(TavState& s, int index) {
  const CatalogueState& c = s.cat;
  if (index < 1 || index > c.KollektorAnzahl) return false;
  const TKollektor& k = c.Kollektoren[index];
  PlantState& p = s.plant;
  p.KollektorNr = static_cast<std::int16_t>(index);
  p.Kollektor = LinksZeichen(k.Name, kKollektorNameLaenge);
  p.KollEta0 = k.Eta0;
  p.KollK1 = k.K1;
  p.KollK2 = k.K2;
  p.KollModulFlaeche = k.ModulFlaeche;
  p.KollqmVolumen = k.qmVolumen;
  p.KollIAM50 = k.IAM50;
  p.KollWkapC = k.WkapC;
  p.KollVRK = k.VRK;
  return true;
}

int FindKollektor(const CatalogueState& c, std::string_view name, std::uint16_t& distanz) {
  std::int32_t best = 0;
  const int nr = NaechsterEintrag(c.KollektorAnzahl, name, Namen(c), best);
  distanz = nr == -1 ? 10000 : static_cast<std::uint16_t>(std::min<std::int32_t>(best, 65535));
  return nr;
}

bool MatchKollektor(TavState& s, const TKollektor& r) {
  CatalogueState& c = s.cat;
  const std::string name = r.Kurzname + " " + r.Name;
  int nr = LetzterMitNamen(c.KollektorAnzahl, name, Namen(c));
  bool angehaengt = false;
  if (nr == -1) {
    std::uint16_t d = 10000;
    const int i = FindKollektor(c, name, d);
    if (i >= 1 && d < 10 && FloatNearlyEqual(c.Kollektoren[i].Eta0, r.Eta0) &&
        FloatNearlyEqual(c.Kollektoren[i].K1, r.K1) && FloatNearlyEqual(c.Kollektoren[i].K2, r.K2)) {
      nr = i;
      ShowInfoMessage("\"" + Zitat(name) + "\" -> \r\n" + T(TX::gewaehlt) + ": " + Zitat(c.Kollektoren[i].Name));
    } else if (s.run.FirmenVersion) {
      ShowMessageLines("\"" + Zitat(name) + "\" " + T(TX::MeldungKollnichtgefunden));
    } else if (c.KollektorAnzahl < kMaxKollektoren) {
      TKollektor neu = r;
      neu.Name = name;
      RoundKollektorToWritten(neu);
      c.Kollektoren[++c.KollektorAnzahl] = std::move(neu);
      nr = c.KollektorAnzahl;
      angehaengt = true;
    } else {
      ShowMessageLines(ListeVoll(KollDateiPfad(s), kMaxKollektoren));
    }
  }
  if (nr >= 1) SelectKollektor(s, nr);
  return angehaengt;
}

std::string KollDacTransform(std::string_view bytes) {
  // Each byte is combined with a key made from its position, block by block of 2048 bytes;
  // applying the transform twice gives the original.
  constexpr std::size_t kBlock = 2048;
  std::string out(bytes);
  for (std::size_t start = 0; start < out.size(); start += kBlock) {
    const std::size_t ende = std::min(out.size(), start + kBlock);
    for (std::size_t i = start; i < ende; ++i) {
      const auto key = static_cast<unsigned char>((i * 131u + (i >> 8) * 7u + 0x5Au) & 0xFFu);
      out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) ^ key);
    }
  }
  return out;
}

bool DecodeDatFile(TavState& s) {
  const std::string dac = DatenPfad(s, KollDacDatei);
  const std::string meldung =
      "Datei " + s.folders.DatenDir + std::string(KollDacDatei) + " kann nicht gelesen werden!";
  std::string bytes;
  std::string fehler;
  if (!ReadWholeFile(dac, bytes, &fehler, kMaxKatalogBytes)) {
    ShowMessageLines(meldung + "|" + fehler);
    return false;
  }
  // The collector catalogue is replaced under the lock every rewrite of it takes, so a second
  // program starting on the same folder does not write over it meanwhile; messages wait
  // until the lock is given up.
  const FileWriteLock sperre(KollDateiPfad(s));
  if (!sperre.Ok()) {
    ShowMessageLines(meldung + "|" + sperre.Error());
    return false;
  }
  if (!WriteFileAtomic(KollDateiPfad(s), KollDacTransform(bytes), &fehler)) {
    ShowMessageLines(meldung + "|" + fehler);
    return false;
  }
  s.cat.KollektorenGeladen = false;  // the next ReadKollektoren reads the new catalogue
  return true;
}

}  // namespace tav
