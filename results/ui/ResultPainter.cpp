#include "results/ui/ResultPainter.h"

#include <algorithm>
#include <QTextBlock>
#include <QTextCursor>
#include <cmath>

#include "foundation/Sums.h"
#include "foundation/TavMathe.h"
#include "foundation/TextTable.h"

namespace tav {
namespace {

QColor Farbe(const TRgb& c) { return QColor(c.R, c.G, c.B); }
QColor DF(int i) { return Farbe(DiagrammFarben[static_cast<std::size_t>(i)]); }

const QColor kGrau(0x80, 0x80, 0x80);
const QColor kEinstrahlung(240, 208, 16);
const QColor kEinstrahlung2(218, 18, 18);  // the second field's irradiation
const QColor kLila(155, 0, 155);
const QColor kGruen(0, 0x80, 0);
const QColor kPurpur(0x80, 0, 0x80);

QString Q(const std::string& s) { return QString::fromStdString(s); }

struct Serie {
  QColor fuellung, linie;
  Qt::BrushStyle schraffur;
};

Serie SerieVon(TBalkenSerie s) {
  switch (s) {
    case TBalkenSerie::Wirkungsgrad: return {DF(3), DF(2), Qt::DiagCrossPattern};
    case TBalkenSerie::Warmwasser: return {DF(5), DF(4), Qt::BDiagPattern};
    case TBalkenSerie::Gesamt: return {DF(7), DF(6), Qt::FDiagPattern};
    case TBalkenSerie::Pool: return {DF(9), DF(8), Qt::HorPattern};
    case TBalkenSerie::NurWarmwasser: return {kPurpur, kPurpur, Qt::SolidPattern};
  }
  return {Qt::white, Qt::black, Qt::SolidPattern};
}

// A filled, hatched box with an outline, as the bars and legend swatches are drawn.
void Kasten(QPainter& pa, const QRect& r, const Serie& s) {
  pa.fillRect(r, s.fuellung);
  pa.setPen(s.linie);
  pa.setBrush(QBrush(s.linie, s.schraffur));
  pa.drawRect(r.adjusted(0, 0, -1, -1));
  pa.setBrush(Qt::NoBrush);
}

// Text with its top at y (the chart coordinates give text tops).
void TextOben(QPainter& pa, int x, int y, const QString& t) {
  pa.drawText(QPoint(x, y + pa.fontMetrics().ascent()), t);
}

// Grid labels "20%".."100%" ending a blank's width left of the axis, centred on the line.
void ProzentRaster(QPainter& pa, int basis, int k) {
  const QFontMetrics fm = pa.fontMetrics();
  for (int i = 1; i <= k; ++i) {
    const int y = basis - 40 * i;
    pa.setPen(kGrau);
    pa.drawLine(40, y, 445, y);
    pa.setPen(Qt::black);
    const QString t = QString::number(20 * i) + "%";
    TextOben(pa, 40 - fm.horizontalAdvance(t + " "), y - fm.height() / 2, t);
  }
}

// Month labels, and the year's label from JahrX on. The year's label ends inside the picture
// (Rechts wide): it moves left where it would pass the edge, but not over December's label,
// and takes a smaller font (down to 7 pixels, then cut with an ellipsis) where even that
// room is too narrow.
void MonatsBeschriftung(QPainter& pa, int y, int jahrX, int rechts) {
  pa.setPen(Qt::black);
  QString dez;
  for (int m = 1; m <= 12; ++m) {
    dez = Q(Texts().Monatsnamen[static_cast<std::size_t>(m)]).left(3);
    TextOben(pa, 43 + 30 * (m - 1), y, dez);
  }
  const int links = 43 + 30 * 11 + pa.fontMetrics().horizontalAdvance(dez + " ");
  const int platz = std::max(0, rechts - 2 - links);
  QString jahr = Q(T(TX::Jahresschnitt));
  const QFont alt = pa.font();
  QFont f = alt;
  while (QFontMetrics(f).horizontalAdvance(jahr) > platz && f.pixelSize() > 7) f.setPixelSize(f.pixelSize() - 1);
  pa.setFont(f);
  jahr = pa.fontMetrics().elidedText(jahr, Qt::ElideRight, platz);
  const int breite = pa.fontMetrics().horizontalAdvance(jahr);
  TextOben(pa, std::max(links, std::min(jahrX, rechts - 2 - breite)), y + (alt.pixelSize() - f.pixelSize()) / 2, jahr);
  pa.setFont(alt);
}

QFont ChartFont() {
  QFont f("Arial");
  f.setPixelSize(11);
  return f;
}

// Chart coordinates from the rectangle's top left, no antialiasing (the charts are drawn to
// the pixel), the chart font; the caller restores the painter.
void BeginChart(QPainter& pa, const QRect& rect) {
  pa.save();
  pa.setClipRect(rect);
  pa.translate(rect.topLeft());
  pa.setRenderHint(QPainter::Antialiasing, false);
  pa.setFont(ChartFont());
}

}  // namespace

void PaintDeckungsDiagramm(QPainter& pa, const QRect& rect, const TavState& g) {
  BeginChart(pa, rect);
  pa.fillRect(QRect(0, 0, rect.width(), rect.height()), Qt::white);
  pa.fillRect(QRect(QPoint(41, 40), QPoint(445, 290)), DF(0));
  pa.setPen(Qt::black);
  pa.drawPolyline(QPolygon({QPoint(40, 40), QPoint(40, 290), QPoint(445, 290), QPoint(445, 39)}));
  ProzentRaster(pa, kBalkenBasis, 5);
  MonatsBeschriftung(pa, 300, 403, rect.width());

  // Legend.
  const auto& p = g.plant;
  const QFontMetrics fm = pa.fontMetrics();
  int x = 0;
  auto eintrag = [&](TBalkenSerie s, const QString& text) {
    Kasten(pa, QRect(QPoint(x + 40, 335), QPoint(x + 55, 350)), SerieVon(s));
    pa.setPen(DF(1));
    TextOben(pa, x + 60, 338, text);
    const int xText = x + 60;
    x += fm.horizontalAdvance(text) + 40;
    return xText;
  };
  eintrag(TBalkenSerie::Wirkungsgrad, Q(T(TX::Wirkungsgrad)));
  eintrag(TBalkenSerie::Warmwasser, Q(T(TX::Deckungsrate) + " " + T(TX::Warmwasser)));
  if (p.SolHeizung) {
    const int xt = eintrag(TBalkenSerie::Gesamt, Q(T(TX::Deckungsrate) + " " + T(TX::gesamt) + " (f sav)"));
    if (p.Pool) TextOben(pa, xt, 356, Q("(" + T(TX::nurTWWuHeiz) + ")"));
  }
  if (p.Pool) {
    Kasten(pa, QRect(QPoint(40, 355), QPoint(55, 370)), SerieVon(TBalkenSerie::Pool));
    pa.setPen(DF(1));
    const TX bezug = p.SolHeizung ? TX::relTWWuHeizBedarf : TX::relTWWBedarf;
    TextOben(pa, 60, 358, Q(T(TX::TabPool) + " (" + T(bezug) + ")"));
  }

  const auto balken = DeckungsBalken(g.results, p);
  for (const auto& b : balken) {
    if (b.Hoehe <= 0) continue;
    Kasten(pa, QRect(QPoint(b.X1, b.Top(kBalkenBasis)), QPoint(b.X2, kBalkenBasis)), SerieVon(b.Serie));
  }
  // The gap below the cap shows which bars reach beyond it; their top edge, which the gap's
  // line covers, is drawn again, so they end inside the chart rather than run off its top.
  pa.setPen(QPen(DF(0), 3));
  pa.drawLine(42, 51, 443, 51);
  for (const auto& b : balken) {
    if (b.Hoehe < kBalkenKappe) continue;
    pa.setPen(SerieVon(b.Serie).linie);
    pa.drawLine(b.X1, b.Top(kBalkenBasis), b.X2 - 1, b.Top(kBalkenBasis));
  }
  pa.restore();
}

void PaintDeckungsDiagramm2(QPainter& pa, const QRect& rect, const TavState& g) {
  BeginChart(pa, rect);
  pa.fillRect(QRect(0, 0, rect.width(), rect.height()), Qt::white);
  pa.setPen(Qt::black);
  pa.drawPolyline(QPolygon({QPoint(40, 25), QPoint(40, 325), QPoint(445, 325), QPoint(445, 25)}));
  const auto& p = g.plant;
  ProzentRaster(pa, kBalkenBasis2, p.SolHeizung ? 6 : 5);
  MonatsBeschriftung(pa, 335, 403, rect.width());

  auto legende = [&](int x, const QColor& c, Qt::BrushStyle st, int xt, const QString& text) {
    pa.fillRect(QRect(QPoint(x, 365), QPoint(x + 15, 380)), Qt::white);
    pa.setPen(c);
    pa.setBrush(QBrush(c, st));
    pa.drawRect(QRect(QPoint(x, 365), QPoint(x + 15, 380)).adjusted(0, 0, -1, -1));
    pa.setBrush(Qt::NoBrush);
    TextOben(pa, xt, 368, text);
  };
  legende(40, kGruen, Qt::DiagCrossPattern, 65, Q(T(TX::Wirkungsgrad)));
  legende(153, Qt::red, Qt::BDiagPattern, 178, Q(T(TX::Deckungsrate)));
  if (p.SolHeizung) legende(263, kPurpur, Qt::SolidPattern, 288, Q(T(TX::Deckungsrate) + ", " + T(TX::nurWW)));

  for (const auto& b : DeckungsBalken2(g.results, p)) {
    if (b.Hoehe <= 0) continue;
    const QRect r(QPoint(b.X1, b.Top(kBalkenBasis2)), QPoint(b.X2, kBalkenBasis2));
    if (b.Serie == TBalkenSerie::Wirkungsgrad) {
      pa.fillRect(r, Qt::white);
      pa.setPen(kGruen);
      pa.setBrush(QBrush(kGruen, Qt::DiagCrossPattern));
      pa.drawRect(r.adjusted(0, 0, -1, -1));
      pa.setBrush(Qt::NoBrush);
    } else {
      pa.fillRect(r, b.Serie == TBalkenSerie::Warmwasser ? QColor(Qt::red) : kPurpur);
    }
  }
  pa.setPen(Qt::white);
  pa.drawLine(40, 23, 444, 23);
  pa.restore();
}

QColor KurvenFarbe(TKurve k) {
  switch (k) {
    case TKurve::Einstrahlung: return kEinstrahlung;
    case TKurve::Leistung: return Qt::red;
    case TKurve::TKoll: return Qt::black;
    case TKurve::Speicher2Oben: return kLila;
    case TKurve::Speicher2Unten: return QColor(0, 0, 0x80);
    case TKurve::Speicher1Oben: return QColor(0xFF, 0, 0xFF);
    case TKurve::Speicher1Unten: return Qt::blue;
    case TKurve::TKoll2: return kGrau;
    case TKurve::Einstrahlung2: return kEinstrahlung2;
  }
  return Qt::black;
}

void PaintKurven(QPainter& pa, const QRect& rect, const TavState& g, const TKurvenStand& st) {
  BeginChart(pa, rect);
  const QFontMetrics fm = pa.fontMetrics();
  pa.fillRect(QRect(0, 0, rect.width(), rect.height()), Qt::white);
  const int breite = KurvenBreite(st.Ansicht, st.Monat);
  const int rechts = kKurveLinks + breite;

  // Temperature grid on the left.
  for (int k = 0; k <= 4; ++k) {
    const int y = TempY(30.0 * k);
    pa.setPen(k == 0 ? QColor(0, 0xFF, 0xFF) : kGrau);
    pa.drawLine(kKurveLinks, y, rechts, y);
    pa.setPen(Qt::black);
    const QString t = QString::number(30 * k) + "°C";
    TextOben(pa, kKurveLinks - 3 - fm.horizontalAdvance(t), y - fm.height() / 2, t);
  }
  // Time axis.
  pa.setPen(kGrau);
  const int yText = kKurveBasis + 3;
  switch (st.Ansicht) {
    case TKurvenAnsicht::Jahr: {
      int tag = 0;
      for (int m = 1; m <= 12; ++m) {
        const int x0 = kKurveLinks + tag;
        tag += TageProMonat[static_cast<std::size_t>(m)];
        pa.setPen(kGrau);
        pa.drawLine(kKurveLinks + tag, kKurveOben, kKurveLinks + tag, kKurveBasis);
        pa.setPen(Qt::black);
        TextOben(pa, x0 + 3, yText, Q(Texts().Monatsnamen[static_cast<std::size_t>(m)]).left(3));
      }
      break;
    }
    case TKurvenAnsicht::Monat: {
      const int tage = TageProMonat[static_cast<std::size_t>(st.Monat)];
      for (int d = 1; d <= tage; ++d) {
        const int x = kKurveLinks + 12 * (d - 1);
        if (d > 1) {
          pa.setPen(QColor(0xE0, 0xE0, 0xE0));
          pa.drawLine(x, kKurveOben, x, kKurveBasis);
        }
        if (d == 1 || d % 5 == 0) {
          pa.setPen(Qt::black);
          const QString t = QString::number(d);
          TextOben(pa, x + 6 - fm.horizontalAdvance(t) / 2, yText, t);
        }
      }
      pa.setPen(Qt::black);
      TextOben(pa, kKurveLinks, yText + fm.height(), Q(Texts().Monatsnamen[static_cast<std::size_t>(st.Monat)]));
      break;
    }
    case TKurvenAnsicht::Tag: {
      for (int h = 0; h <= 24; h += 3) {
        const int x = kKurveLinks + 15 * h;
        pa.setPen(QColor(0xE0, 0xE0, 0xE0));
        if (h > 0 && h < 24) pa.drawLine(x, kKurveOben, x, kKurveBasis);
        pa.setPen(Qt::black);
        const QString t = QString::number(h);
        TextOben(pa, x - fm.horizontalAdvance(t) / 2, yText, t);
      }
      std::int32_t m = 1, d = 1;
      DayOfYearToMonthDay(st.Tag, m, d);
      TextOben(pa, kKurveLinks, yText + fm.height(), QString("%1.%2.").arg(d).arg(m));
      break;
    }
  }
  pa.setPen(Qt::black);
  pa.drawPolyline(QPolygon({QPoint(kKurveLinks, kKurveOben), QPoint(kKurveLinks, kKurveBasis), QPoint(rechts, kKurveBasis),
                            QPoint(rechts, kKurveOben)}));

  // Energy scale on the right.
  const auto& s = g.settings;
  const auto skala = EnergieSkala(g.results, st.Jahr, st.Ansicht, s.plotE_Koll, s.plotP_Anlg);
  if (skala) {
    pa.setPen(Qt::black);
    if (skala->Schritt > 0.0) {
      for (double v = skala->Schritt; v < skala->Maximum; v += skala->Schritt) {
        const int y = EnergieY(v, skala->Maximum);
        pa.drawLine(rechts, y, rechts + 5, y);
        TextOben(pa, rechts + 7, y - fm.height() / 2, QString::number(v, 'g', 6));
      }
    }
    const QString einheit = st.Ansicht == TKurvenAnsicht::Tag ? QStringLiteral(" kW") : Q(T(TX::kWhproTag));
    TextOben(pa, rechts + 7 - (st.Ansicht == TKurvenAnsicht::Tag ? 4 : fm.horizontalAdvance(einheit) / 2),
             kKurveOben - fm.height() - 4, einheit);
  }

  // Curves stay inside the plot (a stagnating collector runs above 130 °C).
  pa.setClipRect(QRect(QPoint(kKurveLinks, kKurveOben), QPoint(rechts, kKurveBasis)), Qt::IntersectClip);
  for (TKurve k : SichtbareKurven(s, g.plant, st.Ansicht)) {
    if (IstEnergieKurve(k) && !skala) continue;
    const auto punkte = KurvenPunkte(g.results, st.Jahr, st.Ansicht, st.Monat, st.Tag, k, skala ? skala->Maximum : 0.0);
    QPolygon poly;
    for (const auto& pt : punkte) poly << QPoint(pt.X, pt.Y);
    pa.setPen(KurvenFarbe(k));
    pa.drawPolyline(poly);
  }
  pa.restore();
}

QImage DeckungsBild(const TavState& g) {
  QImage img(kBalkenBildBreite, kBalkenBildHoehe, QImage::Format_RGB32);
  QPainter pa(&img);
  if (g.plant.AnlagenTypNr == 2)
    PaintDeckungsDiagramm2(pa, img.rect(), g);
  else
    PaintDeckungsDiagramm(pa, img.rect(), g);
  return img;
}

QImage KurvenBild(const TavState& g, const TKurvenStand& stand) {
  QImage img(kKurvenBildBreite, kKurvenBildHoehe, QImage::Format_RGB32);
  QPainter pa(&img);
  PaintKurven(pa, img.rect(), g, stand);
  return img;
}

// ---------------------------------------------------------------------------------------

namespace {

// Byte offset into UTF-8 -> position in the QString.
int QPos(const std::string& s, std::size_t byte) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(byte)).size(); }

}  // namespace

void AppendReport(QTextDocument& doc, const TReport& r, double dotsPerInch, double tabScale) {
  QTextCursor c(&doc);
  c.movePosition(QTextCursor::End);
  const bool leer = doc.isEmpty();
  bool erste = true;
  for (const auto& line : r.Lines) {
    QTextBlockFormat bf;
    QList<QTextOption::Tab> tabs;
    for (int t : line.Tabs) tabs.append(QTextOption::Tab(t * tabScale * dotsPerInch / 72.0, QTextOption::LeftTab));
    bf.setTabPositions(tabs);
    if (erste && leer) {
      c.setBlockFormat(bf);
    } else {
      c.insertBlock(bf, QTextCharFormat());
    }
    erste = false;
    const int start = c.position();
    QTextCharFormat zeichen;
    if (line.SizeDelta != 0) {
      // Relative to the size the document lays its text out in.
      const double basis = doc.defaultFont().pointSizeF() > 0 ? doc.defaultFont().pointSizeF() : 10.0;
      zeichen.setFontPointSize(std::max(1.0, basis + line.SizeDelta));
    }
    c.insertText(Q(line.Text), zeichen);
    for (const auto& sp : line.Spans) {
      QTextCursor sel(&doc);
      sel.setPosition(start + QPos(line.Text, sp.Start));
      sel.setPosition(start + QPos(line.Text, sp.Start + sp.Length), QTextCursor::KeepAnchor);
      QTextCharFormat f;
      if (sp.Bold) f.setFontWeight(QFont::Bold);
      if (sp.Underline) f.setFontUnderline(true);
      sel.mergeCharFormat(f);
    }
  }
}

QByteArray ReportToRtf(const TReport& r, const QString& fontName, int pointSize) {
  QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 " + fontName.toLatin1() + ";}}\\f0\\fs" +
                   QByteArray::number(pointSize * 2) + "\n";
  for (const auto& line : r.Lines) {
    out += "\\pard";
    for (int t : line.Tabs) out += "\\tx" + QByteArray::number(t * 20);
    if (line.SizeDelta != 0) out += "\\fs" + QByteArray::number(std::max(1, pointSize + line.SizeDelta) * 2);
    out += " ";
    const QString text = Q(line.Text);
    // Emphasis per character from the spans.
    std::vector<int> fett(static_cast<std::size_t>(text.size()) + 1, 0), unter(fett.size(), 0);
    for (const auto& sp : line.Spans) {
      for (int i = QPos(line.Text, sp.Start); i < QPos(line.Text, sp.Start + sp.Length); ++i) {
        if (sp.Bold) fett[static_cast<std::size_t>(i)] = 1;
        if (sp.Underline) unter[static_cast<std::size_t>(i)] = 1;
      }
    }
    int b = 0, u = 0;
    for (int i = 0; i < text.size(); ++i) {
      const auto ui = static_cast<std::size_t>(i);
      if (fett[ui] != b) out += (b = fett[ui]) ? "\\b " : "\\b0 ";
      if (unter[ui] != u) out += (u = unter[ui]) ? "\\ul " : "\\ulnone ";
      const QChar ch = text[i];
      if (ch == '\t') out += "\\tab ";
      else if (ch == '\\' || ch == '{' || ch == '}') out += QByteArray("\\") + char(ch.unicode());
      else if (ch.unicode() < 128) out += char(ch.unicode());
      else out += "\\u" + QByteArray::number(static_cast<short>(ch.unicode())) + "?";
    }
    if (b) out += "\\b0 ";
    if (u) out += "\\ulnone ";
    if (line.SizeDelta != 0) out += "\\fs" + QByteArray::number(pointSize * 2);
    out += "\\par\n";
  }
  out += "}";
  return out;
}

}  // namespace tav
