#include "results/AnlageReport.h"

#include <algorithm>
#include <cmath>

#include "foundation/Messages.h"
#include "foundation/Sums.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

// Texts without a key of their own.
constexpr const char* kTypUnbekannt = "A_Typ unbekannt";
constexpr const char* kN0 = "n0";
constexpr const char* kA1 = "a1";
constexpr const char* kA2 = "a2";
constexpr const char* kFrischwasserTemps = " 10 -> 45°C ";
constexpr const char* kFrischwasserVorlauf = " 55°C ";
// Shown in place of the daily litres when hot water is not warmer than cold water.
constexpr const char* kKeineLiter = "-";

constexpr int kTabStops[] = {90, 175, 235, 290};
constexpr double kDruckTabFaktor = 1.25;
// The location column is filled with blanks to this many characters.
constexpr std::size_t kStandortBreite = 15;
// Heat of one litre of water per kelvin, kWh.
constexpr double kWasserKWhProLiterK = 0.001163;

std::string C(int w, int d, double x) {
  return FloatToCommaStr(static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(d),
                         static_cast<float>(x));
}
std::string P(int w, int d, double x) { return FloatToPointStr(w, d, x); }
std::string A(int w, int d, double x) {
  return FloatToCommaStrAligned(static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(d),
                                static_cast<float>(x));
}

// Appends lines in the emphasis set last, as a rich-text control's selection does.
class Writer {
 public:
  explicit Writer(TReport& r) : r_(r) {}
  void Style(bool bold, bool underline = false) {
    bold_ = bold;
    underline_ = underline;
  }
  void Line(const std::string& text) { AddLine(r_, text, bold_, underline_); }

 private:
  TReport& r_;
  bool bold_ = false;
  bool underline_ = false;
};

// Lines of the stores, by plant type.
void StoreLines(const PlantState& p, Writer& w) {
  // The dialog allows one to three stores; fewer counts as one.
  const int n = std::max<int>(p.SpeicherAnz, 1);
  const double v1 = p.Speicher1vol;
  const double v2 = p.Speicher2vol;
  const std::string liter = T(TX::Liter);
  // The temperature column of the two-store and buffer lines.
  const auto tcol = [](double tmax, const std::string& tmin) {
    return T(TX::Temperatur) + " : max. " + P(2, 0, tmax) + "°C" +
           (tmin.empty() ? std::string() : " / min. " + tmin + "°C");
  };
  const std::string tmin = P(2, 0, p.Minimaltemp);
  const std::string t1 =
      T(TX::Temperatur) + ":\tmax. " + P(2, 0, p.Maximaltemp) + "°C / min. " + tmin + "°C";
  switch (p.AnlagenTypNr) {
    case 1:
    case 2:
    case 3: {
      const std::string head = T(TX::Speicher) + ":\t";
      if (p.SpeicherName.empty())
        w.Line(head + P(2, 0, v1) + " " + liter);
      else if (n == 1)
        w.Line(head + p.SpeicherName + "\t(" + P(2, 0, v1) + " " + liter + ")");
      else
        w.Line(head + p.SpeicherName + "\t(" + P(1, 0, n) + " x " + P(1, 0, v1 / n) + " " +
               liter + ")");
      w.Line(t1);
      break;
    }
    case 4:
      w.Line(T(TX::Speicher) + " 1:\t" + P(2, 0, v1) + " " + liter + " \t" +
             tcol(p.Maximaltemp, tmin));
      w.Line(T(TX::Speicher) + " 2:\t" + P(2, 0, v2) + " " + liter + "  (" +
             T(TX::Vorwaermspeicher) + ")\tmax. " + P(2, 0, p.Maximaltemp2) + "°C");
      break;
    case 5:
      if (p.KaskadeTyp == 13) {
        w.Line(T(TX::Speicher) + " 1:\t" + A(3, 0, v1) + " " + liter + "\t" + T(TX::TempAbk) +
               " min. \t" + P(4, 0, p.Minimaltemp) + "°C\t(" + T(TX::Boiler) + ")");
        w.Line(T(TX::Speicher) + " 2:\t" + A(3, 0, v2) + " " + liter + "\t" + T(TX::TempAbk) +
               " max. \t" + P(4, 0, p.Maximaltemp) + "°C\t(" + T(TX::Solarspeicher) + ")");
      } else {
        w.Line(T(TX::Solarspeicher) + "\t" + P(2, 0, v2) + " " + liter + ", " + T(TX::TempAbk) +
               " max.\t" + P(2, 0, p.Maximaltemp) + "°C");
        w.Line(T(TX::Durchlauferhitzer) + "\t" + T(TX::TempAbk) + " min.\t" +
               P(2, 0, p.Minimaltemp) + "°C");
      }
      break;
    case 6: {
      const std::string head = T(TX::Kombipuffer) + ":\t";
      const std::string hw = T(TX::Heiz_Warmwasser);
      if (p.SpeicherName.empty())
        w.Line(head + P(2, 0, v1) + " + " + P(3, 0, v2) + " " + liter + " (" + hw + ")");
      else if (n == 1)
        w.Line(head + p.SpeicherName + "  (" + P(2, 0, v1) + " + " + P(2, 0, v2) + " " + liter +
               " " + hw + ")");
      else
        w.Line(head + p.SpeicherName + "  (" + P(1, 0, n) + " x [" + P(1, 0, v1 / n) + " + " +
               P(1, 0, v2 / n) + " " + liter + " " + hw + "])");
      w.Line(t1);
      break;
    }
    case 7:
      w.Line(T(TX::WWspeicher) + ":\t" + P(2, 0, v1) + " " + liter + " \t" +
             tcol(p.Maximaltemp, tmin));
      w.Line(T(TX::Pufferspeicher) + ":\t" + P(2, 0, v2) + " " + liter + " \t" +
             tcol(p.Maximaltemp2, ""));
      break;
    case 8: {
      // The module needs the store FWEdTmin above the hot-water temperature.
      const std::string tmax = tcol(p.Maximaltemp, P(2, 0, double(p.Warmwassertemp) + p.FWEdTmin));
      const std::string head = T(TX::Pufferspeicher) + ":\t";
      if (p.SpeicherName.empty())
        w.Line(head + P(2, 0, v1) + " " + liter + " \t" + tmax);
      else if (n == 1)
        w.Line(head + p.SpeicherName + "\t(" + P(2, 0, v1) + " " + liter + ")\t" + tmax);
      else
        w.Line(head + p.SpeicherName + "\t(" + P(1, 0, n) + " x " + P(1, 0, v1 / n) + " " +
               liter + ")\t" + tmax);
      // Litres per minute the module heats by 35 K at its rated power.
      const double flow = p.FWEnennleistung / 1000.0 * 3600.0 / 4.1868 / 60.0 / 35.0;
      w.Line(T(TX::Frischwassermodul) + ":\t" + P(1, 0, flow) + " " + T(TX::LiterproMin) + " " +
             T(TX::bei) + kFrischwasserTemps + T(TX::und) + kFrischwasserVorlauf +
             T(TX::MomentVorlauftemp));
      break;
    }
    default:
      ShowMessageLines(kTypUnbekannt);
      break;
  }
}

// Lines of the space heating, for the plant types that heat.
void HeatingLines(const PlantState& p, bool longForm, Writer& w) {
  const std::string heizwaerme = "\t" + C(1, 0, p.Heizwaermebedarf / 1000.0) + " " +
                                 T(TX::kWhproJahr) + " " + T(TX::HeizWaermebedarf);
  const std::string grenze =
      T(TX::bei_T_aussen) + " < " + P(2, 0, p.Heizgrenztemp) + "°C ";
  switch (p.AnlagenTypNr) {
    case 2:
      w.Line(T(TX::Heizfunktion) + ":\t" + grenze + T(TX::und) + "  " + T(TX::T_sp) + " > " +
             P(2, 0, p.MaxTempWinter) + "°C");
      break;
    case 3:
      w.Line(heizwaerme);
      w.Line(T(TX::Heizleistung) + ":\t" + P(1, 0, p.Heiztauscherleistung / 1000.0) + " kW " +
             T(TX::bei) + " dT = " + P(2, 0, p.HeiztauscherDeltaT) + " K " + T(TX::PrimSek) + ", " +
             P(4, 0, p.Heiztemp) + "°C " + T(TX::imSekRuecklauf));
      w.Line(T(TX::Heizfunktion) + ":\t" + T(TX::bei_T_aussen) + " < " +
             P(2, 0, p.Heizgrenztemp) + "°C  " + T(TX::und) + " " + T(TX::T_spu) + " > " +
             P(2, 0, p.MaxTempWinter) + "°C");
      break;
    case 6:
    case 7:
    case 8: {
      if (!(p.HeizQnorm > 0.0f)) break;
      w.Line(heizwaerme);
      const std::string kreis = P(2, 0, p.HeizTvor100) + "/" + P(2, 0, p.HeizTrck100) + "°C, " +
                                P(2, 0, p.HeizQnorm / 1000.0) + " kW " + T(TX::bei) + " " +
                                P(2, 0, p.HeizTnorm) + "°C";
      const std::string solar = T(TX::Solares_Heizen) + ":\t" + grenze;
      if (longForm) {
        w.Line(solar);
        w.Line(T(TX::Heizkreis) + ":\t" + kreis);
      } else {
        w.Line(solar + "\t" + T(TX::Heizkreis) + ": " + kreis);
      }
      break;
    }
    default:
      break;
  }
}

std::string OrientationLine(const PlantState& p) {
  switch (p.KollektorMontage) {
    case 1:
      if (p.OstWestKollektor)
        return T(TX::Neigung) + ":\t" + C(2, 1, p.KollektorNeigung) + "/" +
               C(2, 1, p.KollektorNeigung2) + "°\t" + T(TX::Azimut) + ": " +
               C(2, 1, p.KollektorAzimut) + "/" + C(2, 1, p.KollektorAzimut2) + "°";
      return T(TX::Neigung) + ":\t" + C(2, 1, p.KollektorNeigung) + "°\t" + T(TX::Azimut) + ": " +
             C(2, 1, p.KollektorAzimut) + "°";
    case 2:
      return T(TX::Neigung) + ":\t" + C(2, 1, p.KollektorNeigung) + "°, " + T(TX::VerAchs);
    case 3:
      return T(TX::Azimut) + ":\t" + C(2, 1, p.KollektorAzimut) + "°, " + T(TX::HorAchs);
    case 4:
      return T(TX::KollAusrichtung) + ":\t" + T(TX::AutoNach);
    default:
      return std::string();
  }
}

}  // namespace

TReport AnlageReport(const TavState& S, bool LongForm, bool PrintMode) {
  const PlantState& p = S.plant;
  TReport report;
  Writer w(report);
  for (int stop : kTabStops)
    report.Tabs.push_back(PrintMode ? static_cast<int>(std::trunc(stop * kDruckTabFaktor))
                                        : stop);
  if (PrintMode) {
    w.Style(true, true);
    w.Line(S.folders.ProgName + " - " + S.folders.ProgVersion + " - " + T(TX::SolarBilanz));
    w.Line("");
    w.Style(false);
  }
  w.Style(true);

  const std::string m2 = T(TX::m_2);
  const std::string schatten = p.SkyMapAktiv ? " - " + T(TX::mitVerschattung) : std::string();

  w.Line(T(TX::Projekt) + ":\t" + p.ProjektName);
  if (LongForm)
    w.Line("");
  else
    w.Style(false);

  const std::size_t nameLength = Utf8Length(p.Standort);
  const std::string fill =
      nameLength < kStandortBreite ? S.print.Leerraum.substr(0, kStandortBreite - nameLength)
                                   : std::string();
  w.Line(T(TX::Standort) + ":\t" + p.Standort + fill + " \t" + T(TX::geogrBreite) + ": " +
         C(1, 1, S.loc.GeoBreite) + "°");

  if (LongForm) {
    w.Line("");
    w.Line(T(TX::Kollektor) + ":\t" + p.Kollektor);
    w.Style(false);
    if (p.OstWestKollektor)
      w.Line(T(TX::Apertur) + ":\t" + C(1, 2, p.KollektorFlaecheGesamt) + " " + m2 + "  (" +
             C(2, 1, p.KollektorFlaeche) + " " + m2 + " + " + C(2, 1, p.KollektorFlaeche2) + " " +
             m2 + ")" + schatten);
    else
      w.Line(T(TX::Apertur) + ":\t" + C(1, 2, p.KollektorFlaeche) + " " + m2 +
             (PrintMode ? ModulAnzahl(p.KollektorFlaeche, p.KollModulFlaeche) : std::string()) + schatten);
  } else {
    const std::string tail =
        p.OstWestKollektor
            ? " + " + C(2, 2, p.KollektorFlaeche2) + " " + m2
            : " " + m2 + (PrintMode ? ModulAnzahl(p.KollektorFlaeche, p.KollModulFlaeche) : std::string());
    w.Line(T(TX::Kollektor) + ":\t" + C(2, 2, p.KollektorFlaeche) + tail + schatten + "\t" +
           p.Kollektor);
  }

  const std::string wm2k = " W/(" + m2 + "K)";
  if (p.KollK2 == 0.0f)
    w.Line(T(TX::Kennlinie) + ":\t" + T(TX::Eta0) + " = " + C(3, 3, p.KollEta0) + " / " +
           T(TX::kWert) + " = " + C(3, 3, p.KollK1) + wm2k);
  else
    w.Line(T(TX::Kennlinie) + ":\t" + kN0 + " = " + C(3, 3, p.KollEta0) + "   " + kA1 + " = " +
           C(3, 3, p.KollK1) + wm2k + "   " + kA2 + " = " + C(3, 4, p.KollK2) + " W/(" + m2 +
           "K²)");

  if (std::string orientation = OrientationLine(p); !orientation.empty())
    w.Line(std::move(orientation));
  if (LongForm) {
    w.Line("");
    w.Style(true);
  }

  // An unknown type is reported once, by the store lines below.
  const bool knownType = p.AnlagenTypNr >= 1 && p.AnlagenTypNr <= 8;
  w.Line(T(TX::Anlagentyp) + ":\t" + (knownType ? PlantTypeText(p, Texts(), true) : std::string()));
  w.Style(false);
  StoreLines(p, w);

  if (p.AntiLegionella) w.Line("\t" + T(TX::AntiLegionella));
  if (LongForm) w.Line("");

  const double dT = double(p.Warmwassertemp) - p.Kaltwassertemp;
  const std::string liter =
      dT > 0.0 ? P(2, 0, p.Warmwasserverbrauch / (dT * kWasserKWhProLiterK * 1000.0)) : kKeineLiter;
  w.Line(T(TX::Waermebedarf) + ":\t" + C(2, 2, p.Warmwasserverbrauch / 1000.0) + " " +
         T(TX::kWhproTag) + "   =\t" + liter + " " + T(TX::LiterproTag) + " " + T(TX::von) + " " +
         P(2, 0, p.Kaltwassertemp) + "°C " + T(TX::auf) + " " + P(2, 0, p.Warmwassertemp) + "°C");

  if (p.SolHeizung) HeatingLines(p, LongForm, w);
  return report;
}

std::string ModulAnzahl(double flaeche, double modulFlaeche) {
  // Modules counted as everywhere else: a module area of 0 counts 1 m² and so prints no count.
  const double m = ModulFlaecheOderEins(static_cast<float>(modulFlaeche));
  if (!(m > 1.0) || !std::isfinite(flaeche)) return {};
  const double n = std::round(flaeche / m);
  if (n == 1.0 || n < 1.0 || std::abs(flaeche - n * m) >= 0.01) return {};
  return "  (" + std::to_string(static_cast<long long>(n)) + " " + T(TX::StkAbk) + ")";
}

}  // namespace tav
