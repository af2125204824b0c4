#include "results/ui/DruckUebersicht.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QStringList>

#include "foundation/PrintLayout.h"
#include "foundation/Sums.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "results/AnlageReport.h"
#include "results/ResultReports.h"
#include "results/Uebersicht.h"

namespace tav {

namespace {

constexpr const char* kStrich = "\xE2\x80\x93";  // en dash: no value
constexpr int kMinPunkt = 6;                      // no text of the sheet is printed smaller
constexpr int kRechtsZeilen = 3;                  // a right-column text wraps onto at most this many lines

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string C(int w, int d, double x) {
  return FloatToCommaStr(static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(d), static_cast<float>(x));
}
std::string Pt(int w, int d, double x) { return FloatToPointStr(w, d, x); }

// A term that a wrapped line never breaks ("T speicher,unten > 60°C"): its blanks made
// non-breaking.
std::string Fest(const std::string& text) {
  std::string aus;
  for (char c : text) aus += c == ' ' ? std::string("\xC2\xA0") : std::string(1, c);
  return aus;
}

// The sheet being painted: its grid, the picture's place and the text helpers that keep every
// text inside its column.
class Bogen {
 public:
  Bogen(TDruckBlatt& b, const TavState& g) : b_(b), g_(g), r_(b.SB()), luecke_(std::max(1, static_cast<int>(std::lround(r_.U)))) {}

  void Malen(const TDruckBild& schema) {
    const int p = TUebersichtRaster::Bildzeile;
    b_.P.setPen(QPen(Qt::black, b_.Stift()));
    b_.P.setBrush(Qt::white);
    Projekt();
    Bild(schema, p);
    // Each block keeps its line unless the one above reaches into it (then it follows after
    // one empty line).
    int links = Kollektor(p);
    links = Speicher(std::max(p + 8, links + 2));
    links = Heizer(std::max(p + 14, links + 2));
    int rechts = Warmwasser(p);
    if (g_.plant.Pool) rechts = Pool(std::max(p + 12, rechts + 2));
    // The results end above the disclaimers all the same (the block is 17 lines at most).
    ende_ = std::min(std::max({p + 19, links + 2, rechts + 2}), p + 41 - 18);
    Ergebnisse(ende_);
    Hinweise(p + 41);
    b_.Schrift(0);
  }

 private:
  int Y(int zeile) const { return zeile * b_.ZK(); }
  int X(int tab) const { return b_.RL() + r_.Tab[static_cast<std::size_t>(tab)]; }
  int Rechts() const { return X(6); }

  // The right edge free for a text at the left of line Zeile: the picture's left edge where
  // the line runs beside it, the right column's above the results, else the right margin.
  int Grenze(int zeile) const {
    const int y = Y(zeile);
    if (!bild_.isEmpty() && y < bild_.bottom() && y + b_.ZK() > bild_.top()) return bild_.left() - luecke_;
    if (ende_ == 0 || zeile < ende_) return Rechts() - luecke_;
    return b_.RR();
  }

  // Text at (X, line), shrunk a point at a time (not below 6) until it ends before Grenze,
  // shortened as a last resort. Returns the x after it.
  int Passend(int x, int zeile, const QString& text, int grenze, int delta = 0, bool fett = false,
              bool unter = false) {
    const int breite = std::max(0, grenze - x);
    b_.Schrift(delta, fett, unter);
    for (int d = delta - 1; b_.Breite(text) > breite && b_.Rahmen().Punkt + d >= kMinPunkt; --d) b_.Schrift(d, fett, unter);
    QString t = text;
    if (b_.Breite(t) > breite) t = QFontMetrics(b_.P.font(), b_.P.device()).elidedText(t, Qt::ElideRight, breite);
    b_.Text(x, Y(zeile), t);
    return x + b_.Breite(t);
  }
  int Links(int x, int zeile, const std::string& text, int delta = 0, bool fett = false) {
    return Passend(x, zeile, Q(text), Grenze(zeile), delta, fett);
  }

  // A right-column text from line Zeile on: on one line where it fits, else wrapped at blanks
  // onto up to three lines, in a smaller size where three lines do not hold it. Returns the
  // line after it.
  int Spalte(int zeile, const std::string& text, int delta = 0, bool fett = false) {
    const int x = Rechts(), breite = b_.RR() - x;
    const QString ganz = Q(text);
    b_.Schrift(delta, fett);
    if (b_.Breite(ganz) <= breite) {
      b_.Text(x, Y(zeile), ganz);
      return zeile + 1;
    }
    const QStringList woerter = ganz.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList zeilen;
    for (int d = delta;; --d) {
      b_.Schrift(d, fett);
      zeilen.clear();
      bool passt = true;
      for (const QString& w : woerter) {
        if (!zeilen.isEmpty() && b_.Breite(zeilen.back() + QLatin1Char(' ') + w) <= breite)
          zeilen.back() += QLatin1Char(' ') + w;
        else
          zeilen.push_back(w);
        passt = passt && b_.Breite(zeilen.back()) <= breite;
      }
      passt = passt && zeilen.size() <= kRechtsZeilen;
      if (passt || b_.Rahmen().Punkt + d <= kMinPunkt) break;
    }
    while (zeilen.size() > kRechtsZeilen) {
      zeilen[kRechtsZeilen - 1] += QLatin1Char(' ') + zeilen.back();
      zeilen.pop_back();
    }
    const QFontMetrics fm(b_.P.font(), b_.P.device());
    for (const QString& z : zeilen) b_.Text(x, Y(zeile++), fm.elidedText(z, Qt::ElideRight, breite));
    return zeile;
  }

  void Projekt() {
    const auto& p = g_.plant;
    Passend(b_.RL(), 9, Q(T(TX::Projektinfo)), b_.RR(), 2, true, true);
    Passend(b_.RL(), 11, Q(T(TX::Name)), X(1) - luecke_, 0, true);
    Passend(X(1), 11, Q(p.ProjektName), b_.RR(), 0, true);
    int zeile = 12;
    for (const std::string* info : {&p.Info1, &p.Info2})
      if (!info->empty()) Passend(X(1), zeile++, Q(*info), b_.RR());
    ++zeile;
    Passend(b_.RL(), zeile, Q(T(TX::Standort)), X(1) - luecke_);
    Passend(X(1), zeile++, Q(p.Standort), b_.RR());
    Passend(b_.RL(), zeile, Q(T(TX::Globalstrahlung)), X(1) - luecke_);
    b_.Schrift(0);
    // Daily means of the months times their days.
    const double jahr = SumMonthsByDaysS(g_.loc.EinstrahlungMonat);
    b_.TextIndiziert(X(1), Y(zeile), Q(C(1, 1, jahr) + " " + T(TX::kWhproQmJahr)));
  }

  // The scheme at its place, at most as high as the lines down to the heater's third line, so
  // the heater's wide lines pass below it on every paper.
  void Bild(const TDruckBild& schema, int p) {
    if (schema.Leer()) return;
    const int x = X(3) - static_cast<int>(std::lround(2.0 * r_.U));
    int breite = static_cast<int>(std::lround(77.0 * r_.U));
    const int hoechstens = 16 * b_.ZK();
    const QSizeF f = schema.Format;
    if (f.height() * breite / f.width() > hoechstens)
      breite = static_cast<int>(hoechstens * f.width() / f.height());
    const int hoehe = b_.Bild(schema, x, Y(p), breite);
    if (hoehe > 0) bild_ = QRect(x, Y(p), breite, hoehe);
  }

  // Collector from line Z on: name, area, orientation, shading. Returns its last line.
  int Kollektor(int z) {
    const auto& p = g_.plant;
    // Both lines of the name in one size: the largest in which each ends before its limit.
    const std::vector<std::string> name = KollektorZeilen(b_, p.Kollektor);
    int delta = 0;
    for (;; --delta) {
      b_.Schrift(delta, true);
      bool passt = true;
      for (std::size_t i = 0; i < name.size(); ++i)
        passt = passt && b_.Breite(Q(name[i])) <= Grenze(z + static_cast<int>(i)) - b_.RL();
      if (passt || b_.Rahmen().Punkt + delta <= kMinPunkt) break;
    }
    for (const std::string& teil : name) Links(b_.RL(), z++, teil, delta, true);
    b_.Schrift(0);
    const std::string m2 = " " + T(TX::m_2idx);
    std::string flaeche, klein;
    if (p.OstWestKollektor) {
      flaeche = C(1, 2, p.KollektorFlaecheGesamt) + m2;
      klein = "  (" + C(3, 1, p.KollektorFlaeche) + "+" + C(3, 1, p.KollektorFlaeche2) + ")";
    } else {
      flaeche = C(1, 2, p.KollektorFlaeche) + m2;
      klein = ModulAnzahl(p.KollektorFlaeche, p.KollModulFlaeche);
    }
    const int x = b_.TextIndiziert(b_.RL(), Y(z), Q(flaeche));
    if (!klein.empty()) {
      // Two points smaller, centred on the area's line.
      const int hoehe = b_.Hoehe();
      b_.Schrift(-2);
      const QString k = Q(klein);
      const int grenze = Grenze(z);
      b_.Text(x, Y(z) + (hoehe - b_.Hoehe()) / 2,
              QFontMetrics(b_.P.font(), b_.P.device()).elidedText(k, Qt::ElideRight, std::max(0, grenze - x)));
      b_.Schrift(0);
    }
    ++z;
    const std::string grad = "\xC2\xB0";
    const auto paar = [&](double a, double b) { return C(2, 1, a) + "/" + C(1, 1, b) + grad + " "; };
    switch (p.KollektorMontage) {
      case 1:
        if (p.OstWestKollektor) {
          Links(b_.RL(), z++, paar(p.KollektorNeigung, p.KollektorNeigung2) + T(TX::Neigung));
          Links(b_.RL(), z, paar(p.KollektorAzimut, p.KollektorAzimut2) + T(TX::Azimut));
        } else {
          Links(b_.RL(), z, C(2, 1, p.KollektorNeigung) + grad);
          Links(X(0), z++, T(TX::Neigung));
          Links(b_.RL(), z, C(2, 1, p.KollektorAzimut) + grad);
          Links(X(0), z, T(TX::Azimut));
        }
        break;
      case 2:
        Links(b_.RL(), z++, C(2, 1, p.KollektorNeigung) + grad + " " + T(TX::Neigung));
        Links(b_.RL(), z, "(" + T(TX::VerAchs) + ")");
        break;
      case 3:
        Links(b_.RL(), z++, C(2, 1, p.KollektorAzimut) + grad + " " + T(TX::Azimut));
        Links(b_.RL(), z, "(" + T(TX::HorAchs) + ")");
        break;
      case 4:
        Links(b_.RL(), z++, T(TX::KollAusrichtung));
        Links(b_.RL(), z, T(TX::AutoNach));
        break;
      default:
        --z;
        break;
    }
    if (p.SkyMapAktiv) Links(b_.RL(), ++z, T(TX::mitVerschattung));
    return z;
  }

  // Stores from line Z on, by plant type. Returns the last line.
  int Speicher(int z) {
    const auto& p = g_.plant;
    const int n = std::max<int>(p.SpeicherAnz, 1);
    const std::string liter = " " + T(TX::Liter), sp = T(TX::Speicher);
    // A volume of n stores: "n x V/n".
    const auto vol = [&](double v) { return n > 1 ? Pt(1, 0, n) + " x " + Pt(1, 0, v / n) : Pt(1, 0, v); };
    std::vector<std::string> zeilen;
    const auto name = [&] {
      if (!p.SpeicherName.empty()) zeilen.push_back(p.SpeicherName);
    };
    switch (p.AnlagenTypNr) {
      case 1:
      case 2:
      case 3:
        zeilen.push_back(sp);
        name();
        zeilen.push_back(vol(p.Speicher1vol) + liter);
        break;
      case 4:
        zeilen = {sp + " 1", Pt(6, 0, p.Speicher1vol) + liter + " ",
                  sp + " 2 (" + T(TX::Vorwaermspeicher) + ")", Pt(1, 0, p.Speicher2vol) + liter};
        break;
      case 5:
        // As the screen report: the boiler on the heater's side only in the cascade with it.
        if (p.KaskadeTyp == 13)
          zeilen = {sp + " 1", "(" + T(TX::Boiler) + ", " + T(TX::kesselseitig) + ")", Pt(1, 0, p.Speicher1vol) + liter,
                    sp + " 2", Pt(1, 0, p.Speicher2vol) + liter};
        else
          zeilen = {T(TX::Solarspeicher), Pt(1, 0, p.Speicher2vol) + liter, T(TX::Durchlauferhitzer)};
        break;
      case 6:
        zeilen.push_back(T(TX::Kombipuffer));
        name();
        zeilen.push_back(n > 1 ? Pt(1, 0, n) + " x [" + Pt(1, 0, p.Speicher1vol / n) + " + " +
                                     Pt(1, 0, p.Speicher2vol / n) + "]" + liter
                               : Pt(1, 0, p.Speicher1vol) + " + " + Pt(3, 0, p.Speicher2vol) + liter);
        zeilen.push_back("(" + T(TX::Heiz_Warmwasser) + ")");
        break;
      case 7:
        zeilen.push_back(T(TX::WWspeicher));
        name();
        zeilen.push_back(Pt(3, 0, p.Speicher1vol) + liter);
        zeilen.push_back(T(TX::Pufferspeicher));
        zeilen.push_back(Pt(3, 0, p.Speicher2vol) + liter);
        break;
      case 8: {
        // Litres per minute the module heats by 35 K at its rated power.
        const double fluss = p.FWEnennleistung / 1000.0 * 3600.0 / 4.1868 / 60.0 / 35.0;
        zeilen = {T(TX::Pufferspeicher), vol(p.Speicher1vol) + liter, "", T(TX::Frischwassermodul),
                  Pt(6, 0, fluss) + " " + T(TX::LiterproMin)};
        break;
      }
      default:
        return z - 1;
    }
    for (const std::string& zeile : zeilen) {
      if (!zeile.empty()) Links(b_.RL(), z, zeile);
      ++z;
    }
    return z - 1;
  }

  // Auxiliary heater from line Z on. Returns the last line.
  int Heizer(int z) {
    const auto& p = g_.plant;
    b_.Schrift(0);
    std::vector<std::string> name{p.konvEnergie};
    if (b_.Breite(Q(p.konvEnergie)) >= r_.Tab[2]) {
      const std::string a = SplitTextTwoLines(p.konvEnergie, 1), e = SplitTextTwoLines(p.konvEnergie, 2);
      if (!a.empty() && !e.empty()) name = {a, e};
    }
    for (const std::string& teil : name) Links(b_.RL(), z++, teil);
    Links(b_.RL(), z++,
          T(TX::Nutzungsgrad) + "  " + Pt(2, 0, p.konvNutzgradWinter) + "% / " + Pt(2, 0, p.konvNutzgradFruehlingHerbst) +
              "% / " + Pt(2, 0, p.konvNutzgradSommer) + "%",
          -2);
    Links(b_.RL(), z, T(TX::beiBetriebinWFHS), -2);
    b_.Schrift(0);
    return z;
  }

  // Hot water and space heating in the right column from line Z on. Returns the last line.
  int Warmwasser(int z) {
    const auto& p = g_.plant;
    const int p0 = z;
    z = Spalte(z, T(TX::Warmwasser));
    z = Spalte(z, C(2, 2, p.Warmwasserverbrauch / 1000.0) + " " + T(TX::kWhproTag) + " =");
    const double dt = static_cast<double>(p.Warmwassertemp) - p.Kaltwassertemp;
    const std::string liter = dt > 0.0 ? Pt(2, 0, SafeDiv(p.Warmwasserverbrauch, dt * 0.001163 * 1000.0)) : kStrich;
    z = Spalte(z, liter + " " + T(TX::LiterproTag) + " " + T(TX::TWmit) + " " + Pt(2, 0, p.Warmwassertemp) + "\xC2\xB0" "C",
               0, true);
    ++z;
    if (p.AntiLegionella) z = Spalte(z, T(TX::AntiLegionella));
    if (!p.SolHeizung) return z - 1;
    z = std::max(z + 1, p0 + 6);
    const std::string gradC = "\xC2\xB0" "C";
    const std::string grenze = Fest(T(TX::bei_T_aussen) + " < " + Pt(2, 0, p.Heizgrenztemp) + gradC);
    const auto speicher = [&](TX t) { return Fest(T(t) + " > " + Pt(2, 0, p.MaxTempWinter) + gradC); };
    const std::string bedarf = C(1, 0, p.Heizwaermebedarf / 1000.0) + " " + T(TX::kWhproJahr);
    switch (p.AnlagenTypNr) {
      case 2:
        z = Spalte(z, T(TX::Heizfunktion));
        z = Spalte(z, grenze + " " + T(TX::und) + " " + speicher(TX::T_sp));
        break;
      case 3:
        z = Spalte(z, T(TX::HeizWaermebedarf));
        z = Spalte(z, bedarf, 0, true);
        z = Spalte(z, T(TX::Heizleistung));
        z = Spalte(z, Pt(4, 0, p.Heiztauscherleistung / 1000.0) + " kW " + T(TX::bei) + " dT = " +
                          Pt(2, 0, p.HeiztauscherDeltaT) + " K " + T(TX::PrimSek) + ", " + Pt(4, 0, p.Heiztemp) + gradC + " " +
                          T(TX::imSekRuecklauf));
        z = Spalte(z, T(TX::Heizfunktion));
        z = Spalte(z, grenze + "  " + T(TX::und) + " " + speicher(TX::T_spu));
        break;
      case 6:
      case 7:
      case 8:
        z = Spalte(z, T(TX::HeizWaermebedarf));
        z = Spalte(z, bedarf, 0, true);
        z = Spalte(z, T(TX::Solares_Heizen), -1);
        z = Spalte(z, grenze + " ", -1);
        z = Spalte(z, T(TX::Heizkreis) + " " + Pt(2, 0, p.HeizTvor100) + "/" + Pt(2, 0, p.HeizTrck100) + gradC, -1);
        break;
      default:
        break;
    }
    b_.Schrift(0);
    return z - 1;
  }

  // The pool in the right column from line Z on. Returns the last line.
  int Pool(int z) {
    const auto& p = g_.plant;
    z = Spalte(z, T(TX::TabPool));
    z = Spalte(z, Pt(1, 0, p.PoolVol) + " m\xC2\xB3 " + T(TX::Poolinhalt));
    z = Spalte(z, C(1, 0, p.PoolTemp) + "\xC2\xB0 " + T(TX::Pooltemperatur));
    z = Spalte(z, T(TX::Nutzung_vom));
    z = Spalte(z, TagDatum(p.PoolStart) + "  " + T(TX::bis) + "   " + TagDatum(p.PoolEnde));
    return z - 1;
  }

  void Ergebnisse(int z) {
    const TUebersichtErgebnisse e = ErgebnisUebersicht(g_);
    Passend(b_.RL(), z, Q(e.Titel), b_.RR(), 2, true, true);
    for (const TUebersichtZeile& r : e.Zeilen) {
      const int zeile = z + r.Zeile;
      if (!r.Abschnitt.empty()) Passend(b_.RL(), zeile, Q(r.Abschnitt), X(1) - luecke_);
      Passend(X(1), zeile, Q(r.Text), X(5) - luecke_);
      // The underline starts at the number, not at the blanks that align it.
      const QString wert = Q(r.Wert);
      qsizetype ziffern = 0;
      while (ziffern < wert.size() && wert[ziffern] == QLatin1Char(' ')) ++ziffern;
      b_.Schrift(0);
      const int x = X(5) + b_.Breite(wert.left(ziffern));
      b_.Schrift(0, false, r.Unterstrichen);
      b_.TextIndiziert(x, Y(zeile), wert.mid(ziffern));
    }
    b_.Schrift(0);
  }

  void Hinweise(int z) {
    const int punkt = HinweisPunkt(b_);
    b_.Schrift(punkt - b_.Rahmen().Punkt);
    const TX texte[] = {TX::ReportDisclaimer1, TX::ReportDisclaimer2, TX::ReportDisclaimer3, TX::ReportDisclaimer4,
                        TX::ReportDisclaimer5};
    // Still too wide at the smallest size (a long translation): cut at the page's text width.
    const int grenze = b_.RR() - b_.RL() + static_cast<int>(std::lround(2.5 * r_.U));
    const QFontMetrics fm(b_.P.font(), b_.P.device());
    // The whole-line heights of a coarse page (a picture at screen resolution) can bring the
    // footer line up to the last disclaimer: the block then moves up to end above it.
    const int fuss = 59 * b_.ZH() - b_.ZH() / 4;
    const int hoch = std::max(0, static_cast<int>((z + 0.9 * 4) * b_.ZK()) + b_.Hoehe() - fuss);
    for (int k = 0; k < 5; ++k)
      b_.Text(b_.RL(), static_cast<int>((z + 0.9 * k) * b_.ZK()) - hoch,
              fm.elidedText(Q(T(texte[k])), Qt::ElideRight, grenze));
    b_.Schrift(0);
  }

  TDruckBlatt& b_;
  const TavState& g_;
  TUebersichtRaster r_;
  int luecke_;   // the gap between a text and its neighbour, one unit
  QRect bild_;   // the printed picture; empty: none
  int ende_ = 0; // the results' line once known
};

}  // namespace

TUebersichtRaster::TUebersichtRaster(int seitenBreite) : U(seitenBreite / 209.0) {
  constexpr std::array<int, 7> k = {15, 35, 45, 50, 82, 123, 130};
  for (std::size_t i = 0; i < k.size(); ++i) Tab[i] = static_cast<int>(std::lround(U * k[i]));
}

std::vector<std::string> KollektorZeilen(TDruckBlatt& b, const std::string& name) {
  b.Schrift(0, true);
  const bool zuBreit = b.Breite(Q(name)) > TUebersichtRaster(b.SB()).Tab[2];
  b.Schrift(0);
  if (!zuBreit) return {name};
  std::string a = SplitTextTwoLines(name, 1), e = SplitTextTwoLines(name, 2);
  if (a.empty() || e.empty()) return {name};
  return {std::move(a), std::move(e)};
}

int HinweisPunkt(TDruckBlatt& b) {
  const TX texte[] = {TX::ReportDisclaimer1, TX::ReportDisclaimer2, TX::ReportDisclaimer3, TX::ReportDisclaimer4,
                      TX::ReportDisclaimer5};
  const int grenze = b.RR() - b.RL() + static_cast<int>(std::lround(2.5 * TUebersichtRaster(b.SB()).U));
  int punkt = b.Rahmen().Punkt;
  for (;;) {
    b.Schrift(punkt - b.Rahmen().Punkt);
    int breitest = 0;
    for (TX t : texte) breitest = std::max(breitest, b.Breite(Q(T(t))));
    if (breitest <= grenze || punkt <= kMinPunkt) break;
    --punkt;
  }
  b.Schrift(0);
  return punkt;
}

void PrintUebersicht(TDruckBlatt& b, const TavState& g, const TDruckBild& schema) { Bogen(b, g).Malen(schema); }

}  // namespace tav
