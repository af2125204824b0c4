#include "catalogues/Rohre.h"

#include <numbers>

#include "foundation/KatalogDiensteDatei.h"
#include "foundation/StatusSink.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

using namespace katalog;

struct BuiltInRohr {
  const char* sektion;
  TX art;
  const char* groesse;
  const char* aussen;
  const char* innen;
  const char* kwert;
};

constexpr BuiltInRohr kBuiltIn[] = {
    {"Rohr Inox 1", TX::RohrInox, ", DN 16", "20", "18,44", "0,20"},
    {"Rohr Inox 2", TX::RohrInox, ", DN 20", "22", "20,62", "0,22"},
    {"Rohr Inox 3", TX::RohrInox, ", DN 25", "28", "25,5", "0,24"},
    {"Rohr Cu 1", TX::RohrCu, ", 15 mm", "15", "13", "0,18"},
    {"Rohr Cu 2", TX::RohrCu, ", 18 mm", "18", "16", "0,22"},
    {"Rohr Cu 3", TX::RohrCu, ", 22 mm", "22", "20", "0,22"},
    {"Rohr Cu 4", TX::RohrCu, ", 28 mm", "28", "25", "0,24"},
    {"Rohr Cu 5", TX::RohrCu, ", 35 mm", "35", "32", "0,25"},
};

// Reads every section of ini (at most 25) into the list; returns the number read.
int LeseRohre(const TBigIniFile& ini, CatalogueState& c, Probleme& probleme) {
  int n = 0;
  for (int i = 0; i < ini.SectionCount() && n < kMaxRohre; ++i) {
    SektionsLeser l(ini, i);
    ++n;
    TRohr& r = c.Rohre[n];
    r.RohrName = l.Text("RohrName", "Rohr " + FloatToPointStr(1, 1, n));
    r.AussenDm = l.Zahl("AussenDm", 18.0f);
    r.InnenDm = l.Zahl("InnenDm", 16.0f);
    r.MeterkWert = l.Zahl("MeterkWert", 0.22f);
    if (l.Fehlerhaft()) probleme.Add(l.FehlerText());
  }
  return n;
}

void SetBuiltIn(CatalogueState& c) {
  TBigIniFile ini;
  ini.LoadFromStrings(SplitLines(RohreBuiltInText()));
  Probleme keine("");
  c.RohrAnzahl = LeseRohre(ini, c, keine);
}

void LadeListe(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  const std::string pfad = RohrDateiPfad(s);
  TBigIniFile ini;
  const Ladung l = LadeKatalog(pfad, ini);
  if (l != Ladung::Ok) {
    // Missing: the built-in file is written; unreadable: it stays, the rows serve in memory.
    if (l == Ladung::Fehlt) InitRohre(s, status);
    SetBuiltIn(c);
    return;
  }
  Probleme probleme(pfad);
  c.RohrAnzahl = LeseRohre(ini, c, probleme);
  if (c.RohrAnzahl == 0) {
    probleme.Add("Keine Rohrdaten gefunden");
    SetBuiltIn(c);
  }
  probleme.Melde();
}

}  // namespace

std::string RohreBuiltInText() {
  std::string out;
  for (const BuiltInRohr& r : kBuiltIn) {
    out += "[" + std::string(r.sektion) + "]\r\n";
    Zeile(out, "RohrName", T(r.art) + r.groesse);
    Zeile(out, "AussenDm", r.aussen);
    Zeile(out, "InnenDm", r.innen);
    Zeile(out, "MeterkWert", r.kwert);
    out += "\r\n";
  }
  return out;
}

std::string RohrDateiPfad(const TavState& s) { return DatenPfad(s, RohrDatei); }

bool InitRohre(TavState& s, StatusSink& status) {
  const std::string pfad = RohrDateiPfad(s);
  return SchreibeKatalog(pfad, RohreBuiltInText(), std::string(RohrDatei),
                         ReplaceHashMark(T(TX::FehlerDateiSchreiben), pfad), status);
}

void ReadRohre(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  PlantState& p = s.plant;
  if (!c.RohreGeladen) {
    LadeListe(s, status);
    c.RohreGeladen = true;
  }
  p.RohrNr = LetzterMitNamen(c.RohrAnzahl, p.RohrTyp, [&](int i) { return c.Rohre[i].RohrName; });
  if (p.RohrNr == -1 && c.RohrAnzahl >= 1) {
    // The second pipe is the standard one. Deliberate: a file with a single pipe offers only
    // that, rather than an entry that does not exist.
    p.RohrNr = c.RohrAnzahl >= 2 ? 2 : 1;
    if (p.RohrTyp != "*init*")
      MeldeErsatz(p.RohrTyp, T(TX::Meldung_nichtgefunden), c.Rohre[p.RohrNr].RohrName);
  }
  SelectRohr(s, p.RohrNr);
}

bool SelectRohr(TavState& s, int index) {
  const CatalogueState& c = s.cat;
  if (index < 1 || index > c.RohrAnzahl) return false;
  PlantState& p = s.plant;
  const TRohr& r = c.Rohre[index];
  p.RohrNr = index;
  p.RohrTyp = r.RohrName;
  p.RohrAussenDm = r.AussenDm;
  p.RohrInnenDm = r.InnenDm;
  p.RohrMeterkWert = r.MeterkWert;
  return true;
}

float RohrLiterProMeter(const PlantState& p) {
  return static_cast<float>(std::numbers::pi * double(p.RohrInnenDm) * double(p.RohrInnenDm) /
                            4.0 / 1000.0);
}

}  // namespace tav
