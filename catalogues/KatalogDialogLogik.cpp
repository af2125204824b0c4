#include "catalogues/KatalogDialogLogik.h"

#include <cmath>

#include "foundation/TavMathe.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

bool IstSuchBuchstabe(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9'))
    return true;
  return std::u32string_view(U"ÄÖÜäöüß").find(c) != std::u32string_view::npos;
}

std::optional<int> TypeAhead(const std::vector<std::string>& rows, int first, int focused,
                             std::string& suchText, char32_t c) {
  const std::string vorher = suchText;
  suchText += UpperCaseText(CodePointsToUtf8(std::u32string(1, c)));
  const auto laenge = Utf8Length(suchText);
  const int n = static_cast<int>(rows.size());
  if (n > first) {
    int r = (focused < first || focused >= n) ? first : focused;
    for (int i = first; i < n; ++i, r = r + 1 >= n ? first : r + 1) {
      const std::u32string name = Utf8ToCodePoints(UpperCaseText(rows[r]));
      if (name.size() >= laenge &&
          CodePointsToUtf8(name.substr(0, laenge)) == suchText)
        return r;
    }
  }
  suchText = vorher;
  return std::nullopt;
}

int NrNachLoeschen(int nr, int d, int anzahl, bool& geloescht) {
  geloescht = nr == d;
  if (geloescht) return std::min(nr, anzahl);
  return nr > d ? nr - 1 : nr;
}

double TagesmittelAusEingabe(double wert, int monat) {
  if (wert <= 10.0 || monat < 1 || monat > 12) return wert;
  return RoundDecimals(2, wert / TageProMonat[monat]);
}

std::string ZeitzoneText(int zone) {
  switch (zone) {
    case 0: return "(UTC/GMT)";
    case 1: return "(CET/MEZ)";
    case 2: return "(UTC+2)";
    case 3: return "(MSK)";
    case kKeineZeitzone: return "(keine Angabe: aus der Länge)";
    default: return "";
  }
}

bool SkyZelle(const SkyMapGrid& g, int k, int j) {
  if (k < 0 || k >= SkyMapSpalten || j < 0 || j >= SkyMapZeilen) return false;
  return g[SkyMapIndex(k + 1, SkyMapZeilen - j)] != 0;
}

void MaleSkySpalte(SkyMapGrid& g, int k, int j, bool loeschen, bool bisHorizont) {
  if (k < 0 || k >= SkyMapSpalten || j < 0 || j >= SkyMapZeilen) return;
  const int letzte = bisHorizont ? SkyMapZeilen - 1 : j;
  for (int r = j; r <= letzte; ++r) g[SkyMapIndex(k + 1, SkyMapZeilen - r)] = loeschen ? 0 : 1;
}

namespace {
// Column of an azimuth measured from north (brought into [0, 360)), as the chart places it.
int SpalteVon(double a) {
  while (a < 0) a += 360;
  while (a >= 360) a -= 360;
  const auto x = static_cast<long long>(std::nearbyint(a * 7.0 / 5.0)) + 30;
  return static_cast<int>((x - 30) / 7);
}
}  // namespace

int SkyObjektEintragen(SkyMapGrid& g, double d, double h, double b, double azimut) {
  if (d <= 0) return 0;
  const int n = static_cast<int>(std::nearbyint(ArcTanDeg(static_cast<float>(b / (2 * d)))));
  for (int i = 1; i <= n; ++i) {
    const double x = TanDeg(i) * d;
    const double el = ArcTanDeg(static_cast<float>(h / std::sqrt(d * d + x * x)));
    const long long y = (static_cast<long long>(std::nearbyint(90 - el)) * 7) / 5 + 40;
    const int j = static_cast<int>((y - 40) / 7);
    MaleSkySpalte(g, SpalteVon(azimut + 180 - i - 1), j, false, true);
    MaleSkySpalte(g, SpalteVon(azimut + 180 + i), j, false, true);
  }
  return n;
}

namespace {
// One field's value; false when it is no number or negative.
bool LeseMesswert(std::string_view text, float& wert) {
  std::int32_t code = 0;
  const double v = StrToFloatComma(text, code);
  wert = static_cast<float>(v);
  return code == 0 && v >= 0;
}
}  // namespace

MessdatenErgebnis ParseMessdaten(std::string_view text, bool ostWest) {
  MessdatenErgebnis r;
  std::vector<std::string_view> zeilen;
  for (std::size_t pos = 0; pos <= text.size();) {
    const auto nl = text.find('\n', pos);
    auto z = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    if (!z.empty() && z.back() == '\r') z.remove_suffix(1);
    zeilen.push_back(z);
    if (nl == std::string_view::npos) break;
    pos = nl + 1;
  }
  // A final line break ends the last line; it does not begin another.
  if (!zeilen.empty() && zeilen.back().empty()) zeilen.pop_back();
  if (zeilen.size() < kStundenProJahr) {
    r.zuWenige = true;
    r.zeile1 = "Zu wenige Datenzeilen!";
    return r;
  }
  r.feld1.assign(kStundenProJahr + 1, 0.0f);
  r.feld2.assign(kStundenProJahr + 1, 0.0f);
  for (int i = 0; i < kStundenProJahr; ++i) {
    const std::string_view z = zeilen[i];
    const auto tab = z.find('\t');
    if (!LeseMesswert(z.substr(0, tab), r.feld1[i + 1]) && r.fehler1 == 0) r.fehler1 = i + 1;
    if (r.fehler2 != 0) continue;
    if (tab == std::string_view::npos) {
      r.fehler2 = i + 1;  // no second column
      continue;
    }
    const auto rest = z.substr(tab + 1);
    if (!LeseMesswert(rest.substr(0, rest.find('\t')), r.feld2[i + 1])) r.fehler2 = i + 1;
  }
  const std::string ok = "8760 Stundenwerte übernommen";
  r.zeile1 = r.fehler1 == 0 ? "Koll. 1: " + ok : "Koll. 1: Fehler in Zeile " + std::to_string(r.fehler1);
  if (r.fehler2 == 0)
    r.zeile2 = "Koll. 2: " + ok;
  else if (ostWest)
    r.zeile2 = "Koll. 2: Fehler in Zeile " + std::to_string(r.fehler2);
  r.ok = r.fehler1 == 0 && (!ostWest || r.fehler2 == 0);
  return r;
}

bool MessdatenSchalter(const std::vector<std::string>& parameter) {
  return parameter.size() == 1 && UpperCaseText(parameter[0]) == "-M";
}

float BegrenzeFlaeche(float flaeche, std::string& meldung) {
  meldung.clear();
  if (flaeche < kMinKollektorFlaeche) {
    meldung = T(TX::Kollektorflaecheminimal) + " 0,5 m²";
    return kMinKollektorFlaeche;
  }
  if (flaeche > kMaxKollektorFlaeche) {
    meldung = T(TX::Kollektorflaechemaximal) + " " + FloatToCommaStr(1, 2, kMaxKollektorFlaeche) + " m²";
    return kMaxKollektorFlaeche - 0.1f;
  }
  return flaeche;
}

float AzimutGegenueber(float azimut) {
  float a = azimut + 180.0f;
  if (a > 180.0f) a -= 360.0f;
  return a;
}

int StandardFlow(std::string_view name) {
  return name.find("K3") != std::string_view::npos || name.find("K4") != std::string_view::npos
             ? 30
             : 20;
}

float CurveEta(float g, float dT, float k2, float k1, float eta0) {
  float eta = eta0 - (dT / g) * k1;
  if (k2 != 0.0f) eta -= (dT * dT / g) * k2;
  return eta < 0.0f ? 0.0f : eta;
}

}  // namespace tav
