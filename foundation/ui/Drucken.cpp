#include "foundation/ui/Drucken.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QLocale>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

#include "foundation/Messages.h"
#include "foundation/PrintLayout.h"
#include "foundation/TextTable.h"
#include "foundation/ui/ResBitmap.h"
#include "foundation/ui/SysUtilsQt.h"

namespace tav {

namespace {

constexpr const char* kBildFehlt = "Bildressource nicht gefunden!";
constexpr const char* kBildFormat = "Unpassendes Format der Bildressource!";
constexpr const char* kDruckerFehlt = "Der Drucker \"%1\" ist nicht mehr eingerichtet; gedruckt wird auf \"%2\".";
constexpr const char* kPdfFilter = "PDF-Datei (*.pdf)";
constexpr const char* kPdfNichtGeschrieben = "Die PDF-Datei \"%1\" konnte nicht geschrieben werden.";
constexpr double kMmProZoll = 25.4;

QString Q(const std::string& s) { return QString::fromStdString(s); }

int Px(double mm, double dpi) { return static_cast<int>(std::lround(mm * dpi / kMmProZoll)); }

}  // namespace

// ---- Print set-up ---------------------------------------------------------------------

TDruckKopf& DruckKopf() {
  static TDruckKopf k;
  return k;
}

bool LoadPrintLogo(const std::string& datei) {
  auto& k = DruckKopf();
  if (datei == "NUL") {
    k.Logo = k.LogoGrau = QImage();
    return true;
  }
  QImage bild;
  if (datei == "FIX") {
    bild = LoadResBitmap(QStringLiteral("DruckLogo"), ResTyp::Jpeg);
  } else {
    const QString pfad = Q(datei);
    if (!QFileInfo(pfad).isFile()) {
      ShowIntMessageDlg(std::string(kBildFehlt) + "|" + datei, mtError, mbOKOnly);
      return false;
    }
    QImageReader leser(pfad);
    bild = leser.read();
  }
  if (bild.isNull() || bild.width() <= 0 || bild.height() <= 0) {
    ShowIntMessageDlg(std::string(kBildFormat) + "|" + datei, mtError, mbOKOnly);
    return false;
  }
  k.Logo = bild.convertToFormat(QImage::Format_RGB32);
  k.LogoGrau = bild.convertToFormat(QImage::Format_Grayscale8);
  return true;
}

void LadeDruckKopf(TavState& g) {
  DruckKopf().Zeilen = LoadHeaderLines(g.folders.DatenDir);
  if (g.settings.DrucklogoDatei != "NUL" && !LoadPrintLogo(g.settings.DrucklogoDatei))
    g.settings.DrucklogoDatei = "NUL";
}

bool DruckerVorhanden() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

bool SelectPrinter(QPrinter& printer, TavState& g, const std::string& name) {
  if (name.empty() || !DruckerVorhanden()) return false;
  QPrinterInfo info = QPrinterInfo::printerInfo(Q(name));
  if (info.isNull()) {
    info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) info = QPrinterInfo::availablePrinters().value(0);
    ShowIntMessageDlg(QString::fromUtf8(kDruckerFehlt).arg(Q(name), info.printerName()).toStdString(),
                      mtWarning, mbOKOnly);
  }
  printer.setPrinterName(info.printerName());
  printer.setFullPage(true);
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setColorMode(g.settings.FarbModus == 1 ? QPrinter::Color : QPrinter::GrayScale);
  const QRect seite = printer.pageLayout().fullRectPixels(printer.resolution());
  if (seite.width() <= 0 || seite.height() <= 0) return false;
  BerechneSeitenMasse(g.print, seite.width(), seite.height());
  return true;
}

// ---- The page frame -------------------------------------------------------------------

TSeitenrahmen TSeitenrahmen::Aus(const TavState& g) {
  TSeitenrahmen r;
  const auto& s = g.settings;
  const auto& k = DruckKopf();
  r.Kopfzeilen = k.Zeilen;
  r.Header = s.DruckHeader;
  r.Datum = s.DruckDatum;
  r.Farbe = s.FarbModus == 1;
  if (s.DrucklogoDatei != "NUL") r.Logo = r.Farbe ? k.Logo : k.LogoGrau;
  r.Font = Q(s.DruckFont);
  r.ProgName = Q(g.folders.ProgName);
  r.ProgVersion = Q(g.folders.ProgVersion);
  r.Copyright = Q(g.folders.Copyright);
  r.Zeit = QDateTime::currentDateTime();
  return r;
}

PrintState SeitenMasseFuer(const QPaintDevice& device, const QRectF& seiteMm) {
  PrintState m;
  BerechneSeitenMasse(m, Px(seiteMm.width(), device.logicalDpiX()), Px(seiteMm.height(), device.logicalDpiY()));
  return m;
}

TDruckBlatt::TDruckBlatt(QPainter& pa, const QRectF& seiteMm, const TSeitenrahmen& rahmen)
    : P(pa), r_(rahmen), m_(SeitenMasseFuer(*pa.device(), seiteMm)) {
  P.save();
  P.translate(Px(seiteMm.left(), pa.device()->logicalDpiX()), Px(seiteMm.top(), pa.device()->logicalDpiY()));
  P.setRenderHint(QPainter::Antialiasing, true);
  P.setRenderHint(QPainter::TextAntialiasing, true);
  P.setPen(Qt::black);
  P.setBrush(Qt::white);
  Schrift();
}

TDruckBlatt::~TDruckBlatt() { P.restore(); }

int TDruckBlatt::Stift(double k) const { return std::max(1, static_cast<int>(std::lround(k * m_.StiftFaktor))); }

void TDruckBlatt::Schrift(int delta, bool bold, bool underline) {
  delta_ = delta;
  font_ = QFont(r_.Font);
  font_.setPointSizeF(std::max(1, r_.Punkt + delta));
  font_.setBold(bold);
  font_.setUnderline(underline);
  P.setFont(font_);
}

int TDruckBlatt::Breite(const QString& text) const {
  return QFontMetrics(P.font(), P.device()).horizontalAdvance(text);
}

int TDruckBlatt::Hoehe() const { return QFontMetrics(P.font(), P.device()).height(); }

void TDruckBlatt::Text(int x, int y, const QString& text) {
  P.drawText(x, y + QFontMetrics(P.font(), P.device()).ascent(), text);
}

void TDruckBlatt::TextRechts(int xRechts, int y, const QString& text) { Text(xRechts - Breite(text), y, text); }

int TDruckBlatt::TextIndiziert(int x, int y, const QString& text) {
  const QFont basis = P.font();
  const QFontMetrics fm(basis, P.device());
  int i = 0;
  while (i < text.size()) {
    const int auf = text.indexOf(QLatin1Char('{'), i);
    const bool index = auf >= 0 && auf + 1 < text.size() &&
                       (text[auf + 1] == QLatin1Char('\\') || text[auf + 1] == QLatin1Char('/'));
    const int zu = index ? text.indexOf(QLatin1Char('}'), auf) : -1;
    if (auf < 0 || !index || zu < 0) {
      const QString rest = text.mid(i);
      Text(x, y, rest);
      x += Breite(rest);
      break;
    }
    const QString vor = text.mid(i, auf - i);
    Text(x, y, vor);
    x += Breite(vor);
    const bool tief = text[auf + 1] == QLatin1Char('\\');
    const QString klein = text.mid(auf + 2, zu - auf - 2);
    QFont f = basis;
    f.setPointSizeF(basis.pointSizeF() * 0.7);
    P.setFont(f);
    const int dy = tief ? fm.ascent() / 3 : -fm.ascent() / 4;
    P.drawText(x, y + fm.ascent() + dy, klein);
    x += QFontMetrics(f, P.device()).horizontalAdvance(klein);
    P.setFont(basis);
    i = zu + 1;
  }
  return x;
}

void TDruckBlatt::Zentriert(int y, const QString& text) {
  Text(RL() + (RR() - RL()) / 2 - Breite(text) / 2, y, text);
}

void TDruckBlatt::Kopf(const QString& titel) {
  const int zk = ZK();
  P.setPen(Qt::black);
  P.setBrush(Qt::white);
  if (r_.Header) {
    Schrift(-1);
    const int h = Hoehe();
    for (std::size_t i = 0; i < r_.Kopfzeilen.size() && i < 4; ++i)
      Text(RL(), 2 * zk + static_cast<int>(i) * h, Q(r_.Kopfzeilen[i]));
    Schrift(0);
    if (!r_.Logo.isNull()) Logo();
  }
  if (r_.Farbe) {
    const QColor grau(244, 244, 244);
    P.setPen(grau);
    P.setBrush(grau);
    P.drawRect(QRect(QPoint(RL(), 6 * zk), QPoint(RR(), 8 * zk)));
  }
  P.setPen(QPen(Qt::black, Stift()));
  if (!r_.Farbe) P.drawLine(RL(), 6 * zk, RR(), 6 * zk);
  Schrift(0, true);
  Text(RL() + Breite(QStringLiteral(" ")), 7 * zk - zk / 3, r_.ProgName + " " + r_.ProgVersion);
  Schrift(2, true);
  Zentriert(7 * zk - zk / 2, QStringLiteral("-   ") + titel + QStringLiteral("   -"));
  Schrift(0, true);
  if (!r_.Farbe) P.drawLine(RL(), 8 * zk, RR(), 8 * zk);
  P.setBrush(Qt::white);
  P.setPen(Qt::black);
}

void TDruckBlatt::Logo() {
  const int kastenW = (RR() - RL()) / 3;
  const int kastenH = static_cast<int>(std::lround(ZK() * 3.4));
  const TGroesse g = LogoImKasten(kastenW, kastenH, r_.Logo.width(), r_.Logo.height());
  if (g.Breite <= 0 || g.Hoehe <= 0) return;
  P.drawImage(QRect(RR() - g.Breite, 2 * ZK(), g.Breite, g.Hoehe),
              r_.Farbe ? r_.Logo : r_.Logo.convertToFormat(QImage::Format_Grayscale8));
}

void TDruckBlatt::Fuss(int line, int seite) {
  const int alt = delta_;
  const bool fett = P.font().bold();
  Schrift(alt - 2);
  const int y = line * ZH();
  Text(RL(), y, r_.Copyright);
  QString rechts = QString::fromStdString(T(TX::Seite)) + " " + QString::number(seite);
  if (r_.Datum) {
    const QLocale l = QLocale::system();
    rechts = l.toString(r_.Zeit.date(), QLocale::ShortFormat) + " " + l.toString(r_.Zeit.time(), QLocale::LongFormat) +
             " - " + rechts;
  }
  TextRechts(RR(), y, rechts);
  Schrift(alt, fett);
}

int TDruckBlatt::Bild(const QImage& bild, int x, int y, int width) {
  if (bild.isNull() || bild.width() <= 0 || bild.height() <= 0 || width <= 0) return 0;
  const int h = static_cast<int>(static_cast<double>(bild.height()) * width / bild.width());
  P.drawImage(QRect(x, y, width, h), r_.Farbe ? bild : bild.convertToFormat(QImage::Format_Grayscale8));
  return h;
}

// ---- The print job --------------------------------------------------------------------

TDruckHooks& DruckHooks() {
  static TDruckHooks h{
      [](QWidget* parent, const QString& vorschlag) {
        return QFileDialog::getSaveFileName(parent, QString(), vorschlag, QString::fromUtf8(kPdfFilter));
      },
      [](QWidget* parent, QPrinter& printer) {
        QPrintDialog d(&printer, parent);
        return d.exec() == QDialog::Accepted;
      }};
  return h;
}

namespace {

QRectF SeiteMm(bool letter) { return letter ? QRectF(0, 0, 215.9, 279.4) : QRectF(0, 0, 210, 297); }

bool MaleSeiten(QPaintDevice& device, QPagedPaintDevice& paged, const QRectF& mm, int seiten,
                const TSeitenMaler& maler) {
  QPainter pa;
  if (!pa.begin(&device)) return false;
  for (int n = 1; n <= seiten; ++n) {
    if (n > 1 && !paged.newPage()) return false;
    maler(pa, mm, n);
  }
  return pa.end();
}

}  // namespace

bool DruckePdf(const QString& datei, TavState& g, const QString& titel, int seiten, const TSeitenMaler& maler,
               bool letter) {
  if (seiten <= 0) return false;
  bool ok = false;
  {
    QPdfWriter pdf(datei);
    pdf.setTitle(titel);
    pdf.setCreator(Q(g.folders.ProgName));
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    const QRectF mm = SeiteMm(letter);
    BerechneSeitenMasse(g.print, Px(mm.width(), 600), Px(mm.height(), 600));
    ok = MaleSeiten(pdf, pdf, mm, seiten, maler);
  }
  ok = ok && QFileInfo(datei).size() > 0;
  if (!ok) ShowIntMessageDlg(QString::fromUtf8(kPdfNichtGeschrieben).arg(datei).toStdString(), mtError, mbOKOnly);
  return ok;
}

TDruckErgebnis Drucke(QWidget* parent, TavState& g, const QString& titel, int seiten, const TSeitenMaler& maler,
                      const QString& pdfDatei) {
  if (seiten <= 0) return TDruckErgebnis::Abgebrochen;
  auto pdf = [&](const QString& datei) {
    if (datei.isEmpty()) return TDruckErgebnis::Abgebrochen;
    return DruckePdf(datei, g, titel, seiten, maler) ? TDruckErgebnis::Gedruckt : TDruckErgebnis::Fehler;
  };
  if (!pdfDatei.isEmpty()) return pdf(pdfDatei);
  std::string name = ChosenPrinter(g);
  if (name.empty()) name = QPrinterInfo::defaultPrinterName().toStdString();
  if (name.empty() && DruckerVorhanden()) name = QPrinterInfo::availablePrinterNames().value(0).toStdString();
  QPrinter printer(QPrinter::HighResolution);
  if (!SelectPrinter(printer, g, name)) {
    // No printer installed: the PDF file instead.
    QString vorschlag = titel;
    vorschlag.replace(QLatin1Char('/'), QLatin1Char('-'));
    return pdf(DruckHooks().PdfDatei(parent, vorschlag + QStringLiteral(".pdf")));
  }
  printer.setDocName(titel);
  if (!DruckHooks().DruckerDialog(parent, printer)) return TDruckErgebnis::Abgebrochen;
  const QRect px = printer.pageLayout().fullRectPixels(printer.resolution());
  BerechneSeitenMasse(g.print, px.width(), px.height());
  const QRectF mm = printer.pageLayout().fullRect(QPageLayout::Millimeter);
  return MaleSeiten(printer, printer, QRectF(0, 0, mm.width(), mm.height()), seiten, maler)
             ? TDruckErgebnis::Gedruckt
             : TDruckErgebnis::Fehler;
}

QImage SeitenBild(const TSeitenMaler& maler, int n, double dpi, bool letter) {
  const QRectF mm = SeiteMm(letter);
  QImage bild(Px(mm.width(), dpi), Px(mm.height(), dpi), QImage::Format_RGB32);
  bild.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  bild.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  bild.fill(Qt::white);
  QPainter pa(&bild);
  maler(pa, mm, n);
  return bild;
}

}  // namespace tav
