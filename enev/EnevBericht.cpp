#include "enev/EnevBericht.h"

#include <cmath>

#include "foundation/TavUtil.h"
#include "results/ResultReports.h"

namespace tav::enev {

namespace {

const char* const kStrich = "–";
const char* const kNachDin = " nach EnEV / DIN 4701-10";

std::string Z(std::uint8_t w, std::uint8_t d, double x) {
  return std::isfinite(x) ? FloatToCommaStr(w, d, static_cast<float>(x)) : kStrich;
}
// Aligned as the numbers of its column; no value puts the dash where the last digit stands.
std::string ZA(std::uint8_t w, std::uint8_t d, double x) {
  return std::isfinite(x) ? FloatToCommaStrAligned(w, d, static_cast<float>(x)) : LeerFeld(w, d);
}
double Oder(bool ok, double x) { return ok ? x : std::nan(""); }

}  // namespace

std::string EnevTitel(int modus) {
  return std::string(modus == kEnevAuswertung ? "Auswertung" : "Simulation") + kNachDin;
}

TReport EnevBericht(const TavState& s, const EnevStand& st, int modus, bool kopie, bool druck) {
  const auto& p = s.plant;
  const auto& e = st.Eingaben;
  const auto& r = st.Ergebnis;
  const bool bedarf = r.Bedarf.has_value();
  const bool solar = r.Gueltig();
  const double din = r.KollFlaecheDIN.value_or(std::nan(""));
  const bool zweiFelder = p.OstWestKollektor;
  TReport b;
  b.Tabs = kEnevTabs;
  if (kopie) {
    // The title names the program's owner line too, when there is one.
    std::string titel = s.folders.ProgName + " " + s.folders.ProgVersion + " - " +
                        (modus == kEnevAuswertung ? "Auswertung" : "Simulation") + kNachDin;
    if (!s.folders.Copyright.empty()) titel += " - " + s.folders.Copyright;
    TLineBuilder(true, true).Add(titel).AppendTo(b);
    AddLine(b, "");
    b.Tabs = ScaleTabsTrunc(kEnevTabs, 1.05);
  }
  TLineBuilder(true).Add("Projekt:\t" + p.ProjektName).AppendTo(b);
  // On paper a second label has a column of its own for its value.
  const std::string zweites = druck ? "\t" : "";
  if (druck && zweiFelder)
    AddLine(b, "Kollektor:\t" + Z(6, 1, e.KollFlaeche) + " m² (" + Z(3, 1, p.KollektorFlaeche) + " + " +
                   Z(3, 1, p.KollektorFlaeche2) + "), " + p.Kollektor);
  else
    AddLine(b, "Kollektor:\t" + Z(7, 1, e.KollFlaeche) + " m², " + p.Kollektor);
  if (zweiFelder && !druck)
    AddLine(b, "Ost-West-Anlage:\t" + Z(7, 1, p.KollektorFlaeche) + " + " +
                   Z(7, 1, p.KollektorFlaeche2) + " m²");
  if (e.K2 == 0)
    AddLine(b, "Kennlinie:\tEta0 = " + Z(5, 3, e.Eta0) + " / k_Wert = " + Z(5, 3, e.K1) +
                   " W/(m²K)");
  else if (druck)
    AddLine(b, "Kennlinie:\tc0 = " + Z(5, 3, e.Eta0) + "   c1 = " + Z(5, 3, e.K1) + " W/(m²K)" +
                   "   c2 = " + Z(5, 3, e.K2) + " W/(m²K²)");
  else
    AddLine(b, "Kennlinie:\tc0 = " + Z(5, 3, e.Eta0) + "  c1 = " + Z(5, 3, e.K1) + " W/m²K" +
                   "  c2 = " + Z(5, 3, e.K2) + " W/m²K²");
  AddLine(b, "IAM 50°:\t" + Z(4, 2, e.IAM) + "\tspez. Wärmekap.:" + zweites + Z(5, 2, e.Waermekap) +
                 " kJ/m²K");
  const std::string azimut = "°\tAzimut: " + zweites;
  if (zweiFelder)
    AddLine(b, "Neigung:\t" + Z(4, 1, p.KollektorNeigung) + "/" + Z(4, 1, p.KollektorNeigung2) +
                   azimut + Z(4, 1, p.KollektorAzimut) + "/" + Z(4, 1, p.KollektorAzimut2) + "°");
  else
    AddLine(b, "Neigung:\t" + Z(5, 1, e.Neigung) + azimut + Z(5, 1, e.Azimut) + "°");
  const std::string kat = std::string("\"") + (e.KleineAnlage ? "Kleine" : "Große") + " Anlage\"";
  if (modus == kEnevAuswertung) {
    AddLine(b, "DIN-Anlagentyp:\t" + kat);
  } else {
    std::string typ = p.AnlagenTypNr < AnlagenTypNamen.size()
                          ? std::string(AnlagenTypNamen[p.AnlagenTypNr]) : std::string();
    if (typ.size() > 32) typ.resize(32);
    AddLine(b, "Anlagentyp:\t" + typ + " - " + kat);
  }
  AddLine(b, "Nutzfläche AN:\t" + Z(5, 1, e.Nutzflaeche) + " m²");
  AddLine(b, "");
  const auto& q = r.Bedarf;
  // The four specific figures are detail: set two points smaller.
  const std::size_t ersteQ = b.Lines.size();
  AddLine(b, "q TW,d\t" + Z(3, 2, Oder(bedarf, q ? q->qTWd : 0)) + " kWh/m²a   (Tab. C.1-2a)");
  AddLine(b, "q h TW,d\t" + Z(3, 2, Oder(bedarf, q ? q->qhTWd : 0)) + " kWh/m²a");
  AddLine(b, "q TW,s\t" + Z(3, 2, Oder(bedarf, q ? q->qTWs : 0)) + " kWh/m²a   (Kap. 5.1.3)");
  AddLine(b, "q h TW,s\t" + Z(3, 2, Oder(bedarf, q ? q->qhTWs : 0)) + " kWh/m²a");
  for (std::size_t i = ersteQ; i < b.Lines.size(); ++i) b.Lines[i].SizeDelta = -2;
  AddLine(b, "");
  const double qtw = Oder(bedarf, q ? q->QTW : 0);
  if (modus == kEnevAuswertung) {
    if (e.Kombi)
      AddLine(b, "Flächenanteil:\t" + Z(7, 1, Oder(solar, r.FlaecheTW)) +
                     " m² für Trinkwassererwärmung");
    AddLine(b, "Q TW,sol:\t" + Z(5, 0, Oder(solar, r.QTWsol)) + " kWh/a");
    AddLine(b, "Q TW:\t" + Z(5, 0, qtw) + " kWh/a");
    TLineBuilder().Add("alpha TW,sol:\t", true).Add(Z(0, 2, Oder(solar, r.AlphaTW)), true).AppendTo(b);
    if (!e.Kombi && solar && 0.99 * e.KollFlaeche > r.FlaecheTW)
      AddLine(b, "Anmerkung: Die Anlage scheint überdimensioniert zu sein");
  } else {
    const double simQTW = s.run.EnevSimQTW;
    const double simSol = s.run.EnevSimQTWsol;
    std::string zeile = "Q TW,sol:\t" + Z(5, 0, simSol) + " kWh/a";
    if (!e.Kombi && !zweiFelder)
      zeile += "\t(" + Z(4, 0, Oder(solar, r.QTWsol)) + " kWh/a nach DIN)";
    AddLine(b, zeile);
    AddLine(b, "Q TW:\t" + Z(5, 0, simQTW) + " kWh/a");
    TLineBuilder()
        .Add("alpha TW,sol:\t", true)
        .Add(Z(0, 2, simQTW > 0 ? simSol / simQTW : std::nan("")), true)
        .AppendTo(b);
  }
  if (e.Kombi) {
    AddLine(b, "");
    AddLine(b, "Solaranlage zur Heizungsunterstützung (Kombianlage)");
    const bool mehr = r.KollFlaecheDIN && e.KollFlaeche >= din;
    const std::string pauschal = druck ? "0,10 (pauschal nach DIN 4701-10)" : "0,10 (pauschal)";
    if (modus == kEnevAuswertung) {
      if (mehr) {
        AddLine(b, "mit mehr als\t" + Z(5, 1, din) + " m² Fläche");
        TLineBuilder(true).Add("alpha solar,HU:\t" + pauschal).AppendTo(b);
      } else {
        AddLine(b, "mit weniger als\t" + Z(5, 1, din) + " m² Fläche");
        AddLine(b, std::string("Kriterium nach DIN 4701-10, Kap. 5.3.4.1.3, nicht erfüllt") + (druck ? "." : ""));
      }
    } else {
      if (mehr) {
        AddLine(b, "mit mehr als\t" + Z(5, 1, din) + " m²");
        AddLine(b, "alpha solar,HU:\t" + pauschal);
      } else {
        AddLine(b, "mit weniger als\t" + Z(5, 1, din) + " m²  (vgl. DIN 4701-10, Kap. 5.3.4.1.3)");
      }
      const double qh = s.run.EnevSimqHsol;
      const bool ohneSumme = s.run.EnevSummeQHeizung <= 0;
      if (ohneSumme) AddLine(b, "Angaben zur weiteren Berechnung des Deckungsanteils alpha solar:");
      AddLine(b, "Q H g,sol:\t" + ZA(5, 0, s.run.EnevSimQHsol) + " kWh/a" +
                     (druck ? "\tbei solarer Heizgrenze " + Z(1, 0, p.Heizgrenztemp) + "°C" : ""));
      AddLine(b, "q H g,sol:\t" + ZA(5, 1, qh) + " kWh/m²a", ohneSumme);
      if (!ohneSumme)
        TLineBuilder(true)
            .Add("alpha H g,sol:\t" + ZA(0, 2, qh / s.run.EnevSummeQHeizung))
            .AppendTo(b);
    }
  }
  AddLine(b, "");
  AddLine(b, "Hilfsenergiebedarf Solarpumpe:");
  const std::string hilfs = druck ? "Hilfsenergiebedarf Solarpumpe, " : "";
  AddLine(b, "q TW,g,HE,sol:\t" + ZA(5, 1, Oder(solar, r.qTWHE)) + " kWh/m²a (" + hilfs + "Trinkwasser)");
  if (e.Kombi)
    AddLine(b, "q H,g,HE,sol:\t" + ZA(5, 1, Oder(solar, r.qHHE)) + " kWh/m²a (" + hilfs +
                   (druck ? "Heizung)" : "Heizungsunterstützung)"));
  return b;
}

}  // namespace tav::enev
