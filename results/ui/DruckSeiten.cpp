#include "results/ui/DruckSeiten.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QRegularExpression>

namespace tav {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The text as it reads, without its index markup (for its width).
QString OhneMarkup(const QString& text) {
  QString t = text;
  static const QRegularExpression index(QStringLiteral(R"(\{[\\/]([^}]*)\})"));
  return t.replace(index, QStringLiteral("\\1"));
}

}  // namespace

int MaleBlock(TDruckBlatt& b, const TDruckBlock& block, int grenze) {
  b.P.setPen(Qt::black);
  b.P.setBrush(Qt::white);
  int lh = block.Klein ? b.ZK() : b.ZH();
  if (grenze > 0 && !block.Zeilen.empty()) {
    // A short page (Letter) at a fine resolution: the text is relatively taller.
    b.Schrift(0);
    const int letzte = block.Zeilen.back().Zeile;
    if (letzte > 0 && letzte * lh + b.Hoehe() > grenze) lh = std::max(1, (grenze - b.Hoehe()) / letzte);
  }
  const auto X = [&](int spalte) {
    if (spalte < 0 || spalte >= static_cast<int>(block.Tab.size())) return b.RL();
    return b.RL() +
           static_cast<int>(std::lround(static_cast<double>(b.SB()) * block.Tab[static_cast<std::size_t>(spalte)] / 473.0));
  };
  int unten = 0;
  // The rules reach past the widest text of their last column (a bold heading included).
  int regelEnde = 0;
  for (const TDruckFeldZeile& z : block.Zeilen) {
    const int yZeile = z.Zeile * lh - (z.Angehoben ? lh / 3 : 0);
    int ende = b.RL(), hoeheVorher = 0;
    bool erstes = true;
    for (const TDruckFeld& f : z.Felder) {
      b.Schrift(f.Groesse, f.Fett);
      QString text = Q(f.Text);
      const QString lesbar = f.Indiziert ? OhneMarkup(text) : text;
      int x = b.RL(), y = yZeile;
      if (f.Spalte == TDruckFeld::kDanach) {
        x = ende;
        y += (hoeheVorher - b.Hoehe()) / 2;  // a smaller text centred on the one before
      } else if (f.Spalte >= 0) {
        x = X(f.Spalte);
        const int frei = ende + b.Breite(QStringLiteral(" "));
        if (!erstes && frei >= x) x = f.Ausweich >= 0 && frei < X(f.Ausweich) ? X(f.Ausweich) : frei;
      }
      // Beyond the right margin: smaller, down to 6 points, then cut.
      int delta = f.Groesse;
      while (b.Breite(lesbar) > b.RR() - x && b.Rahmen().Punkt + delta > 6) b.Schrift(--delta, f.Fett);
      if (f.Indiziert) {
        ende = b.TextIndiziert(x, y, text);
      } else {
        if (b.Breite(text) > b.RR() - x)
          text = QFontMetrics(b.P.font(), b.P.device()).elidedText(text, Qt::ElideRight, std::max(0, b.RR() - x));
        b.Text(x, y, text);
        ende = x + b.Breite(text);
      }
      if (f.Spalte == block.RegelSpalte) regelEnde = std::max(regelEnde, ende);
      hoeheVorher = b.Hoehe();
      unten = std::max(unten, y + hoeheVorher);
      erstes = false;
    }
  }
  b.Schrift(0);
  if (!block.Regeln.empty()) {
    const int rechts = std::max(X(block.RegelSpalte) + b.Breite(Q(block.RegelText)), regelEnde);
    b.P.setPen(QPen(Qt::black, b.Stift()));
    for (int l : block.Regeln) b.P.drawLine(b.RL(), l * lh, rechts, l * lh);
    b.P.setPen(Qt::black);
  }
  return unten;
}

// The descriptions end above the tables' first line, 20.
int PrintAnlageBilanz(TDruckBlatt& b, const TavState& s) { return MaleBlock(b, DruckAnlageBilanz(s), 20 * b.ZH()); }
int PrintAnlagePool(TDruckBlatt& b, const TavState& s) { return MaleBlock(b, DruckAnlagePool(s), 20 * b.ZH()); }
int PrintAnlageOeko(TDruckBlatt& b, const TavState& s) { return MaleBlock(b, DruckAnlageOeko(s), 20 * b.ZH()); }
int PrintPoolBilanz(TDruckBlatt& b, const TavState& s, int startZeile) {
  return MaleBlock(b, DruckPoolBilanz(s, startZeile));
}
int PrintOekoBilanz(TDruckBlatt& b, const TavState& s) { return MaleBlock(b, DruckOekoBilanz(s)); }

}  // namespace tav
