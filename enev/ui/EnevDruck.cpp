#include "enev/ui/EnevDruck.h"

#include <cmath>

#include <QFontMetrics>

#include "enev/EnevBericht.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "results/ui/ErgebnisDruck.h"

namespace tav {

namespace {

const char* const kJobTitel = " Ergebnisse - ";  // after the program's name
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
  // The sheet belongs to the German regulation: German in every language, the energy balance
  // taken from the results and the footer too.
  const TTextTable& deutsch = DeutscheTextTabelle();
  TSeitenrahmen rahmen = TSeitenrahmen::Aus(s);
  rahmen.Texte = &deutsch;
  TDruckBlatt seite(pa, mm, rahmen);
  seite.Kopf(QString::fromStdString(enev::EnevTitel(modus)));
  const int zh = seite.ZH();
  const int sb = seite.SB();
  const int rl = seite.RL();
  // Label, value, second label, its value.
  const int x[4] = {0, static_cast<int>(std::lround(sb * 80.0 / 473)),
                    static_cast<int>(std::lround(sb * 154.0 / 473)),
                    static_cast<int>(std::lround(sb * 270.0 / 473))};
  auto y = [zh](int n) { return n * zh - zh / 3; };

  const TReport bericht = enev::EnevBericht(s, st, modus, false, true);
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
    const int groesse = projekt ? 2 : z.SizeDelta;
    const bool wertFett = projekt || !z.BoldTexts().empty();
    for (int c = 0; c < zellen.size() && c < 4; ++c) {
      QString text = zellen[c].trimmed();
      const bool label = c % 2 == 0 && zellen.size() > c + 1;
      if (label && !text.endsWith(':')) text += ':';
      seite.Schrift(groesse, label || (zellen.size() == 1 ? z.WhollyBold() : wertFett));
      // A value runs up to the next column used on its line, or to the right margin.
      const int grenze = c + 1 < zellen.size() && c < 3 ? rl + x[c + 1] - seite.Breite(QStringLiteral(" "))
                                                         : seite.RR();
      const int links = rl + x[c];
      if (seite.Breite(text) > grenze - links)
        text = QFontMetrics(seite.P.font(), seite.P.device()).elidedText(text, Qt::ElideRight, grenze - links);
      seite.Text(links, y(n), text);
    }
    ++n;
  }
  seite.Schrift(0);
  if (modus == enev::kEnevSimulation) {
    seite.Schrift(0, true);
    seite.Text(rl, y(kZeileTabelle), kErgebnistabelle);
    seite.Schrift(0);
    // The results' printed energy balance, as on the balance page of the results.
    PrintEnergiebilanz(seite, s, kZeileBilanz, deutsch);
  }
  seite.Fuss(kZeileFuss, 1);
}

bool PrintEnevBericht(QWidget* parent, TavState& s, const enev::EnevStand& st, int modus,
                      const QString& pdfDatei) {
  const QString titel = QString::fromStdString(s.folders.ProgName + kJobTitel + s.plant.ProjektName);
  const TSeitenMaler maler = [&](QPainter& pa, const QRectF& mm, int) {
    PrintEnevSeite(pa, mm, s, st, modus);
  };
  return Drucke(parent, s, titel, 1, maler, pdfDatei) == TDruckErgebnis::Gedruckt;
}

}  // namespace tav
