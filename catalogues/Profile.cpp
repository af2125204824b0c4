#include "catalogues/Profile.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "foundation/KatalogDiensteDatei.h"
#include "foundation/StatusSink.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

using namespace katalog;

constexpr std::string_view kDatei = "Profil.dat";
constexpr std::string_view kSchreibfehler = "Schreibfehler (Verbrauchsprofildatei)";
constexpr std::string_view kMonateVorgabe = "100 100 100 100 100 100 100 100 100 100 100 100";

// The built-in lines exactly as delivered (their field widths are irregular).
struct BuiltInProfil {
  TX name;
  const char* vormittag;
  const char* nachmittag;
  const char* monate;  // nullptr: no line
};

constexpr BuiltInProfil kBuiltIn[] = {
    {TX::Profil1, "Vormittag= 2   0   0   0   0   0   2   3   5   7   7  10",
     "Nachmittag=7   9   5   3   3   5   7   9   6   5   3   2", nullptr},
    {TX::Profil2, "Vormittag=  0   0   0   0   0   0   0  10  10  10  10  10",
     "Nachmittag=10  10  10  10  10   0   0   0   0   0   0   0", nullptr},
    {TX::Profil3, "Vormittag=  12   0   0   0   0   4  14  13   3   2   2   2",
     "Nachmittag=   4   4   3   3   8   7   9   4   2   2   2   0",
     "Monate= 113  45  45 119 113 113 136 113 113  34 113 136"},
    {TX::Profil4, "Vormittag=   0   0   0   0   0   0   0   0   0   8   8  10",
     "Nachmittag=  13  13   4   2   2  12  12  10   6   0   0   0", nullptr},
};

// Values far outside any share or factor are refused before they are rounded to integers.
constexpr float kGrenze = 1.0e6f;

// Exactly `count` numbers separated by blanks, each rounded to the nearest integer (halves
// to even). A line with more or fewer values is refused: its values would otherwise be
// shifted into the neighbouring hours.
bool LeseListe(std::string_view text, std::uint8_t count, std::int32_t* ziel) {
  std::uint8_t n = 0;
  for (;;) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) break;
    text.remove_prefix(start);
    const std::size_t ende = std::min(text.find_first_of(" \t"), text.size());
    double w = 0.0;
    if (n == count || !LeseZahl(text.substr(0, ende), w) || !std::isfinite(w) ||
        std::fabs(w) > kGrenze)
      return false;
    ziel[n++] = static_cast<std::int32_t>(std::nearbyint(w));
    text.remove_prefix(ende);
  }
  return n == count;
}

void AppendWerte(std::string& out, const std::array<std::int32_t, 13>& werte) {
  for (int i = 1; i <= 12; ++i) {
    std::string t = std::to_string(werte[i]);
    if (t.size() < 4)
      t.insert(0, 4 - t.size(), ' ');
    else
      t.insert(0, 1, ' ');  // a full-width value would run into the one before
    out += t;
  }
}

// Reads the sections of ini into the list (at most 30, unreadable ones left out). What the
// list does not take in is noted under `pfad` (not for the built-in text: no `pfad`).
void LeseProfile(const TBigIniFile& ini, CatalogueState& c, Probleme& probleme,
                 const std::string& pfad = {}) {
  DateiStaende* staende = pfad.empty() ? nullptr : &c.DateiStaende;
  std::vector<std::string> ausgelassen;
  int n = 0;
  for (int i = 0; i < ini.SectionCount(); ++i) {
    if (n == kMaxProfile) {
      probleme.Add(T(TX::WarnZuvieleE) + " " + std::string(kDatei));
      NotiereLuecke(staende, pfad, LueckeZuviele(ini.SectionCount() - i, kMaxProfile));
      break;
    }
    SektionsLeser l(ini, i);
    TProfil p;
    p.Name = l.Text("Name", "Profil Nr." + FloatToPointStr(1, 1, n + 1));
    TrimTrailingBlanks(p.Name);
    std::array<std::int32_t, 24> stunden{};
    std::array<std::int32_t, 12> monate{};
    if (!LeseListe(l.Text("Vormittag", "ERROR"), 12, stunden.data()) ||
        !LeseListe(l.Text("Nachmittag", "ERROR"), 12, stunden.data() + 12) ||
        !LeseListe(l.Text("Monate", std::string(kMonateVorgabe)), 12, monate.data())) {
      probleme.Add("Fehler in " + std::string(kDatei) + ": [" + Zitat(l.Name()) + "]");
      ausgelassen.push_back(l.Name());
      continue;
    }
    for (int h = 1; h <= 12; ++h) {
      p.Vormittag[h] = stunden[h - 1];
      p.Nachmittag[h] = stunden[h + 11];
      p.Monate[h] = monate[h - 1];
    }
    c.Profile[++n] = std::move(p);
  }
  c.ProfilAnzahl = n;
  if (!ausgelassen.empty()) NotiereLuecke(staende, pfad, LueckeAusgelassen(ausgelassen));
}

void SetBuiltIn(CatalogueState& c) {
  TBigIniFile ini;
  ini.LoadFromStrings(SplitLines(ProfileBuiltInText()));
  Probleme keine("");
  LeseProfile(ini, c, keine);
}

void LadeListe(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  const std::string pfad = ProfilDateiPfad(s);
  TBigIniFile ini;
  const Ladung l = LadeKatalog(pfad, ini, &s.cat.DateiStaende);
  if (l != Ladung::Ok) {
    if (l == Ladung::Fehlt) InitProfile(s, status);
    SetBuiltIn(c);
    return;
  }
  Probleme probleme(pfad);
  LeseProfile(ini, c, probleme, pfad);
  if (c.ProfilAnzahl == 0) {
    probleme.Add("Keine Profildaten gefunden");
    if (ini.SectionCount() == 0) NotiereLuecke(&c.DateiStaende, pfad, LueckeKeinEintrag());
    SetBuiltIn(c);
  }
  probleme.Melde();
}

}  // namespace

std::string ProfileBuiltInText() {
  std::string out;
  int n = 0;
  for (const BuiltInProfil& p : kBuiltIn) {
    out += "[Profil " + std::to_string(++n) + "]\r\n";
    Zeile(out, "Name", T(p.name));
    out += std::string(p.vormittag) + "\r\n";
    out += std::string(p.nachmittag) + "\r\n";
    if (p.monate) out += std::string(p.monate) + "\r\n";
    out += "\r\n";
  }
  return out;
}

void AppendProfilSection(std::string& out, int nummer, const TProfil& p) {
  out += "[Profil " + std::to_string(nummer) + "]\r\n";
  Zeile(out, "Name", p.Name);
  out += "Vormittag=";
  AppendWerte(out, p.Vormittag);
  out += "\r\nNachmittag=";
  AppendWerte(out, p.Nachmittag);
  out += "\r\nMonate=";
  AppendWerte(out, p.Monate);
  out += "\r\n\r\n";
}

std::string ProfileText(const CatalogueState& c) {
  std::string out;
  for (int n = 1; n <= c.ProfilAnzahl; ++n) AppendProfilSection(out, n, c.Profile[n]);
  return out;
}

std::string ProfilDateiPfad(const TavState& s) { return DatenPfad(s, ProfilDatei); }

bool InitProfile(TavState& s, StatusSink& status) {
  const std::string pfad = ProfilDateiPfad(s);
  return SchreibeKatalog(pfad, ProfileBuiltInText(), std::string(kDatei),
                         std::string(kSchreibfehler), status, &s.cat.DateiStaende);
}

void ReadProfile(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  PlantState& p = s.plant;
  LadeListe(s, status);
  const auto name = [&](int i) -> const std::string& { return c.Profile[i].Name; };
  p.ProfilNr = LetzterMitNamen(c.ProfilAnzahl, p.Zapfprofil, name);
  if (p.Zapfprofil == "*init*" && c.ProfilAnzahl >= 1) p.ProfilNr = 1;
  if (p.ProfilNr == -1 && c.ProfilAnzahl >= 1) {
    std::int32_t best = 0;
    p.ProfilNr = NaechsterEintrag(c.ProfilAnzahl, p.Zapfprofil, name, best);
    // "Normal..." profiles were renamed "... Standard": try that spelling as well.
    std::string gross = UpperCaseText(p.Zapfprofil);
    const std::size_t pos = gross.find("NORMAL");
    if (pos != std::string::npos) {
      gross.erase(pos, 6);
      gross += " STANDARD";
      const int standard = NaechsterName(
          c.ProfilAnzahl, gross, [&](int i) { return UpperCaseText(c.Profile[i].Name); }, best);
      if (standard != -1) p.ProfilNr = standard;
    }
    MeldeErsatz(p.Zapfprofil, T(TX::Meldung_nichtgefunden), c.Profile[p.ProfilNr].Name);
  }
  SelectProfil(s, p.ProfilNr);
}

bool SelectProfil(TavState& s, int index) {
  const CatalogueState& c = s.cat;
  if (index < 1 || index > c.ProfilAnzahl) return false;
  PlantState& p = s.plant;
  const TProfil& prof = c.Profile[index];
  p.ProfilNr = index;
  p.Zapfprofil = prof.Name;
  long long summe = 0;
  for (int h = 1; h <= 12; ++h) {
    p.AktZapfprofil[h] = prof.Vormittag[h];
    p.AktZapfprofil[h + 12] = prof.Nachmittag[h];
    summe += prof.Vormittag[h] + prof.Nachmittag[h];
    p.WWMonatsfaktor[h] = static_cast<float>(prof.Monate[h]);
  }
  p.AktZapfprofil[0] = p.AktZapfprofil[24];
  if (summe != 100) ShowMessageLines(Zitat(p.Zapfprofil) + ": " + T(TX::Summe) + " <> 100%");
  return true;
}

bool WriteProfile(TavState& s, StatusSink& status) {
  return SchreibeKatalog(ProfilDateiPfad(s), ProfileText(s.cat), std::string(kDatei),
                         std::string(kSchreibfehler), status, &s.cat.DateiStaende);
}

void SortProfile(CatalogueState& c) {
  if (c.ProfilAnzahl < 2) return;
  auto first = c.Profile.begin() + 1;
  std::stable_sort(first, first + c.ProfilAnzahl, [](const TProfil& a, const TProfil& b) {
    return StrGreaterText(b.Name, a.Name);
  });
}

}  // namespace tav
