#include "catalogues/SolPaket.h"

#include <vector>

#include "foundation/KatalogDiensteDatei.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

// A whole number field within 0..max; anything else (also an empty field) gives 0.
long long Feldzahl(const std::string& feld, long long max) {
  long long w = 0;
  if (!katalog::LeseGanzzahl(feld, w) || w < 0 || w > max) return 0;
  return w;
}

void SetBuiltIn(CatalogueState& c) {
  c.Solarpakete.assign(1, BuiltInPaket());
  c.PaketAnzahl = 1;
}

}  // namespace

std::string PaketDateiPfad(const TavState& s) { return katalog::DatenPfad(s, PaketDatei); }

TPaket BuiltInPaket() {
  TPaket p;
  p.Name = "Beispielsolarpaket";
  p.Kollektor = "Flachkollektor";
  p.KollAnz = 3;
  p.Speicher = "Solarspeicher";
  p.SpVol1 = 300;
  p.SpVol2 = 200;
  p.BivSpTyp = "Classic";
  p.TypNr = 1;
  return p;
}

bool ParseSolPaket(const std::string& line, TPaket& paket) {
  if (line.empty() || line.front() == ';') return false;
  std::string rest = line;
  std::string feld;
  auto naechstes = [&]() -> const std::string& {
    NextTabField(rest, feld);
    return feld;
  };
  TPaket p;
  p.Name = naechstes();
  p.Kollektor = naechstes();
  p.KollAnz = static_cast<std::uint16_t>(Feldzahl(naechstes(), 65535));
  p.Speicher = naechstes();
  p.SpVol1 = static_cast<std::uint16_t>(Feldzahl(naechstes(), 65535));
  p.SpVol2 = static_cast<std::uint16_t>(Feldzahl(naechstes(), 65535));
  p.BivSpTyp = UpperCaseText(naechstes());
  const long long typ = Feldzahl(naechstes(), 255);
  bool ok = true;
  if (typ == 1 || typ == 6) {
    p.TypNr = static_cast<std::uint8_t>(typ);
  } else if (typ >= 2 && typ <= 5) {
    p.TypNr = 1;
  } else if (typ == 7) {
    p.TypNr = 6;
  } else {
    p.TypNr = 1;
    ok = false;
  }
  if (p.SpVol1 == 0 || (p.SpVol2 == 0 && p.TypNr == 6)) ok = false;
  paket = std::move(p);
  return ok;
}

void InitSolPakete(CatalogueState& c, const std::string& pfad) {
  std::vector<std::string> zeilen;
  const katalog::Ladung l = katalog::LadeZeilen(pfad, zeilen);
  if (l == katalog::Ladung::Fehlt) {
    SetBuiltIn(c);
    return;
  }
  c.Solarpakete.clear();
  if (l == katalog::Ladung::Ok && zeilen.size() >= 2) {
    for (const std::string& z : zeilen) {
      TPaket p;
      if (ParseSolPaket(z, p)) c.Solarpakete.push_back(std::move(p));
    }
  }
  c.PaketAnzahl = static_cast<std::int32_t>(c.Solarpakete.size());
  if (c.PaketAnzahl == 0) {
    if (l == katalog::Ladung::Ok) ShowMessageLines(ReplaceHashMark(T(TX::FehlerDateiLesen), pfad));
    SetBuiltIn(c);
  }
}

}  // namespace tav
