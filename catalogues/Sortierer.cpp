#include "catalogues/Sortierer.h"

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <vector>

#include "foundation/KatalogDiensteDatei.h"
#include "catalogues/Kollektoren.h"
#include "location/Orte.h"
#include "foundation/StatusSink.h"
#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

// Positions 1..n in sorted order; equal keys keep their order.
template <typename Less>
std::vector<int> SortierteFolge(int n, Less less) {
  std::vector<int> folge(static_cast<std::size_t>(n));
  std::iota(folge.begin(), folge.end(), 1);
  std::stable_sort(folge.begin(), folge.end(), less);
  return folge;
}

std::vector<int> NachText(const std::vector<std::string>& texte) {
  return SortierteFolge(static_cast<int>(texte.size()) - 1, [&](int a, int b) {
    return StrGreaterText(texte[static_cast<std::size_t>(b)], texte[static_cast<std::size_t>(a)]);
  });
}

// Writes the text; on failure the message names the file and the sort is to be abandoned.
// The file is replaced only while it still holds what this program read or wrote last.
bool Schreibe(const std::string& pfad, const std::string& text, CatalogueState& c,
              StatusSink& status) {
  return katalog::SchreibeKatalog(pfad, text, std::filesystem::path(pfad).filename().string(),
                                  ReplaceHashMark(T(TX::FehlerDateiSchreiben), pfad), status,
                                  &c.DateiStaende);
}

// New position of the entry that stood at `alt`, or `alt` itself when none.
int NeuePosition(const std::vector<int>& folge, int alt) {
  for (std::size_t i = 0; i < folge.size(); ++i)
    if (folge[i] == alt) return static_cast<int>(i) + 1;
  return alt;
}

}  // namespace

float KollektorSortWert(float eta0, float k1, float k2, std::uint8_t modus) {
  const float x = modus == 1 ? 0.05f : 0.1f;
  return eta0 - x * k1 - 800.0f * x * x * k2;
}

bool SortKollektoren(TavState& s, std::uint8_t modus, StatusSink& status) {
  CatalogueState& c = s.cat;
  const int n = c.KollektorAnzahl;
  if (n < 2) return true;
  BusyStatus busy(status, "Sortiere Kollektorliste ...");
  std::vector<int> folge;
  if (modus == 0) {
    std::vector<std::string> namen(1);
    for (int i = 1; i <= n; ++i) namen.push_back(c.Kollektoren[i].Name);
    folge = NachText(namen);
  } else {
    std::vector<float> wert(1);
    for (int i = 1; i <= n; ++i) {
      const TKollektor& k = c.Kollektoren[i];
      wert.push_back(KollektorSortWert(k.Eta0, k.K1, k.K2, modus));
    }
    folge = SortierteFolge(n, [&](int a, int b) {
      return wert[static_cast<std::size_t>(a)] < wert[static_cast<std::size_t>(b)];
    });
  }
  std::string text;
  for (int i = 1; i <= n; ++i) AppendKollektorSection(text, i, c.Kollektoren[folge[i - 1]]);
  if (!Schreibe(KollDateiPfad(s), text, c, status)) {
    // The list stays as the file is; one another program changed is read again.
    if (katalog::Veraltet(c.DateiStaende, KollDateiPfad(s))) ReadKollektoren(s, status);
    return false;
  }
  // Load the rewritten catalogue; the current collector is found again by its name.
  c.KollektorenGeladen = false;
  ReadKollektoren(s, status);
  return true;
}

std::string OrtSortPrefix(const std::string& land) {
  std::u32string z = Utf8ToCodePoints(UpperCaseText(land)).substr(0, 3);
  z.resize(3, U' ');
  return CodePointsToUtf8(z) + "-";
}

bool SortOrte(TavState& s, std::uint8_t modus, const std::string& land, OrtUmgebung& env) {
  CatalogueState& c = s.cat;
  const int n = c.OrtAnzahl;
  if (n < 2) return true;
  BusyStatus busy(env.status, "Sortiere Orteliste ...");
  std::vector<int> folge(static_cast<std::size_t>(n));
  std::iota(folge.begin(), folge.end(), 1);
  if (modus == 0 || modus == 4) {
    std::vector<std::string> texte(1);
    for (int i = 1; i <= n; ++i) {
      const TOrt& o = c.Orte[i];
      std::string t = OrtSortPrefix(o.Land == land ? std::string() : o.Land);
      if (modus == 4) {
        std::u32string plz = Utf8ToCodePoints(o.PLZ).substr(0, 10);
        plz.resize(10, U' ');
        t += CodePointsToUtf8(plz);
      }
      texte.push_back(t + ReplaceUmlauts(o.Name));
    }
    folge = NachText(texte);
  } else if (modus == 3) {
    folge = SortierteFolge(n, [&](int a, int b) { return c.Orte[a].GeoBreite > c.Orte[b].GeoBreite; });
  }
  std::string text;
  for (int i = 1; i <= n; ++i) AppendOrtSection(text, i, c.Orte[folge[i - 1]]);
  if (!Schreibe(OrteDateiPfad(s), text, c, env.status)) {
    if (katalog::Veraltet(c.DateiStaende, OrteDateiPfad(s))) ReadOrte(s, env);
    return false;
  }
  // Load the rewritten catalogue. The current location keeps its entry, so its weather
  // stays valid.
  s.plant.OrtNr = NeuePosition(folge, s.plant.OrtNr);
  c.OrteGeladen = false;
  ReadOrte(s, env);
  return true;
}

void DeleteDatei(const std::string& name) {
  std::error_code ec;
  std::filesystem::remove(name, ec);
}

std::uint8_t FindSprache(const CatalogueState& c, const std::string& name) {
  for (std::size_t i = 1; i <= kMaxSprachen && i < c.SprachListe.size(); ++i)
    if (c.SprachListe[i].Name == name) return static_cast<std::uint8_t>(i);
  return 1;
}

}  // namespace tav
