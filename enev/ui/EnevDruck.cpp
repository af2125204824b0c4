#include "enev/ui/EnevDruck.h"

#include <cmath>

#include "enev/EnevBericht.h"
#include "foundation/ui/Drucken.h"
#include "results/ResultReports.h"
#include "results/ui/ErgebnisDruck.h"

namespace tav {

namespace {

const char* const kJobTitel = "Tavrel Ergebnisse - ";
const char* const kErgebnistabelle = "Ergebnistabelle der Simulationsrechnung:";
constexpr int kErsteZeile = 9;
constexpr int kZeileTabelle = 36;
constexpr int kZeileBilanz = 38;
constexpr int kZeileFuss = 59;

QStringList Zellen(const std::string& text) {
  return QString::fromStdString(text).split('\t');
}

}  // namespace

void PrintEnevSeite(QPainter& pa, const QRectF& mm, TavState& s, const enev::EnevStand& st,
                    int modus) {
  TDruckBlatt seite(pa, mm, TSeitenrahmen::Aus(s));
  seite.Kopf(QString::fromStdString(enev::EnevTitel(modus)));
  const int zh = seite.ZH();
  const int sb = seite.SB();
  const int rl = seite.RL();
  const int x[3] = {0, static_cast<int>(std::lround(sb * 80.0 / 473)),
                    static_cast<int>(std::lround(sb * 154.0 / 473))};
  auto y = [zh](int n) { return n * zh - zh / 3; };

  const TReport bericht = enev::EnevBericht(s, st, modus, false);
  int n = kErsteZeile;
  bool nachFlaeche = false;
  for (std::size_t i = 0; i < bericht.Lines.size(); ++i) {
    const auto& z = bericht.Lines[i];
    if (z.Text.empty()) {
      // No empty line after the useful area; one after each block.
      if (!nachFlaeche) ++n;
      nachFlaeche = false;
      continue;
    }
    nachFlaeche = z.Text.rfind("Nutzfläche AN:", 0) == 0;
    const QStringList zellen = Zellen(z.Text);
    const bool projekt = i == 0;
    // Labels bold, values regular; the project line 2 points larger.
    QString label = zellen.value(0);
    if (zellen.size() > 1 && !label.endsWith(':')) label += ':';
    const int groesse = projekt ? 2 : z.SizeDelta;
    seite.Schrift(groesse, zellen.size() > 1 || z.WhollyBold());
    seite.Text(rl, y(n), zellen.size() > 1 ? label : zellen.value(0));
    for (int c = 1; c < zellen.size() && c < 3; ++c) {
      seite.Schrift(groesse, projekt || !z.BoldTexts().empty());
      seite.Text(rl + x[c], y(n), zellen[c].trimmed());
    }
    ++n;
  }
  if (modus == enev::kEnevSimulation) {
    seite.Schrift(0, true);
    seite.Text(rl, y(kZeileTabelle), kErgebnistabelle);
    TReport bilanz;
    ReportEnergiebilanz(bilanz, s, false);
    // In the small line height, so that the balance fits above the footer.
    seite.Schrift(-1);
    MaleReport(seite, bilanz, y(kZeileBilanz), seite.ZK());
  }
  seite.Fuss(kZeileFuss, 1);
}

bool PrintEnevBericht(QWidget* parent, TavState& s, const enev::EnevStand& st, int modus,
                      const QString& pdfDatei) {
  const QString titel = QString(kJobTitel) + QString::fromStdString(s.plant.ProjektName);
  const TSeitenMaler maler = [&](QPainter& pa, const QRectF& mm, int) {
    PrintEnevSeite(pa, mm, s, st, modus);
  };
  return Drucke(parent, s, titel, 1, maler, pdfDatei) == TDruckErgebnis::Gedruckt;
}

}  // namespace tav
