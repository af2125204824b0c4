#include "foundation/ui/Drucken.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QLocale>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#if defined(__GLIBC__)
#include <langinfo.h>
#include <locale.h>
#endif

#include "foundation/Messages.h"
#include "foundation/PrintLayout.h"
#include "foundation/TavUtil.h"
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
constexpr int kLogoSkala = 8;  // the built-in logo's drawing size times this, for paper

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
    // The built-in logo is a drawing: rendered for paper, sharp at well over 300 ppi in the
    // header's logo box.
    QSvgRenderer svg(QStringLiteral(":/pictures/DruckLogo.svg"));
    if (svg.isValid()) {
      bild = QImage(svg.defaultSize() * kLogoSkala, QImage::Format_RGB32);
      bild.fill(Qt::white);
      QPainter pa(&bild);
      pa.setRenderHint(QPainter::Antialiasing, true);
      svg.render(&pa);
    } else {
      bild = LoadResBitmap(QStringLiteral("DruckLogo"), ResTyp::Jpeg);
    }
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
  // Pictures go into a PDF lossless, never as JPEG.
  P.setRenderHint(QPainter::LosslessImageRendering, true);
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
  const TTextTable& texte = r_.Texte ? *r_.Texte : Texts();
  QString rechts = QString::fromStdString(texte[TX::Seite]) + " " + QString::number(seite);
  if (r_.Datum) rechts = FussZeit(r_.Zeit) + " - " + rechts;
  TextRechts(RR(), y, rechts);
  Schrift(alt, fett);
}

int TDruckBlatt::Bild(const TDruckBild& bild, int x, int y, int width) {
  if (bild.Leer() || width <= 0) return 0;
  const int h = static_cast<int>(bild.Format.height() * width / bild.Format.width());
  if (bild.Vektor) {
    P.save();
    bild.Vektor(P, QRectF(x, y, width, h), !r_.Farbe);
    P.restore();
  } else {
    P.drawImage(QRect(x, y, width, h), r_.Farbe ? bild.Raster : bild.Raster.convertToFormat(QImage::Format_Grayscale8));
  }
  return h;
}

QString FussZeit(const QDateTime& zeit) {
  // A fixed format: QDateTime's own formatting of digits does not follow the locale.
  return zeit.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
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
      },
      TPapier::System,
      {}};  // the main window gives the status line
  return h;
}

namespace {

QRectF SeiteMm(bool letter) { return letter ? QRectF(0, 0, 215.9, 279.4) : QRectF(0, 0, 210, 297); }

QString XmlText(const QString& s) { return s.toHtmlEscaped(); }

// The document's metadata as XMP (title, author, creator tool): the PDF writer's own
// information dictionary has no author.
QByteArray XmpMetadaten(const QString& titel, const QString& autor, const QString& programm) {
  QString x = QStringLiteral(
                  "<?xpacket begin=\"\uFEFF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                  "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                  "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                  "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
                  " xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
                  "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>\n")
                  .arg(XmlText(titel));
  if (!autor.isEmpty())
    x += QStringLiteral("<dc:creator><rdf:Seq><rdf:li>%1</rdf:li></rdf:Seq></dc:creator>\n").arg(XmlText(autor));
  x += QStringLiteral("<xmp:CreatorTool>%1</xmp:CreatorTool>\n<xmp:CreateDate>%2</xmp:CreateDate>\n"
                      "<pdf:Producer>Qt %3</pdf:Producer>\n</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n"
                      "<?xpacket end=\"w\"?>")
           .arg(XmlText(programm), QDateTime::currentDateTime().toString(Qt::ISODate), QString::fromLatin1(qVersion()));
  return x.toUtf8();
}

// The author of a printout: the first header line, when the header is printed and the user
// has written one (the hint line of a fresh installation is nobody's name).
QString Autor(const TavState& g) {
  const auto& zeilen = DruckKopf().Zeilen;
  if (!g.settings.DruckHeader || zeilen.empty()) return {};
  const QString erste = Q(zeilen.front()).trimmed();
  return erste == Q(T(TX::KopftxtHinweis)).trimmed() ? QString() : erste;
}

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

bool LetterPapierFuer(int papierBreiteMm, QLocale::Territory land) {
  // Paper settings give the width in whole millimetres: 216 Letter (and Legal), 210 A4.
  if (papierBreiteMm > 0) return papierBreiteMm == 216;
  switch (land) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::PuertoRico:
    case QLocale::Guatemala:
    case QLocale::CostaRica:
    case QLocale::ElSalvador:
    case QLocale::Nicaragua:
    case QLocale::Panama:
    case QLocale::DominicanRepublic:
    case QLocale::Venezuela:
    case QLocale::Colombia:
    case QLocale::Chile:
    case QLocale::Philippines:
      return true;
    default:
      return false;
  }
}

bool LetterPapier() {
  int breite = 0;
#if defined(__GLIBC__) && defined(_NL_PAPER_WIDTH)
  // The paper setting of the environment (LC_ALL, LC_PAPER, LANG), read through a locale
  // object of its own: the process locale, which numbers depend on, stays untouched. The
  // C locale says A4 only because it must say something: then the country decides.
  const char* namen[] = {"LC_ALL", "LC_PAPER", "LANG"};
  std::string name;
  for (const char* n : namen) {
    const char* wert = std::getenv(n);
    if (wert && *wert) {
      name = wert;
      break;
    }
  }
  if (!name.empty() && name != "C" && name != "POSIX" && name.rfind("C.", 0) != 0) {
    if (locale_t l = newlocale(LC_PAPER_MASK, name.c_str(), static_cast<locale_t>(nullptr))) {
      union {
        const char* text;
        unsigned int zahl;
      } w{};
      w.text = nl_langinfo_l(_NL_PAPER_WIDTH, l);
      breite = static_cast<int>(w.zahl);
      freelocale(l);
    }
  }
#endif
  return LetterPapierFuer(breite, QLocale::system().territory());
}

QString PdfVorschlag(const QString& titel) {
  QString name = titel.trimmed();
  for (QChar& c : name)
    if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 32) c = QLatin1Char('-');
  return name + QStringLiteral(".pdf");
}

bool DruckePdf(const QString& datei, TavState& g, const QString& titel, int seiten, const TSeitenMaler& maler,
               TPapier papier) {
  if (seiten <= 0) return false;
  const bool letter = papier == TPapier::Letter || (papier == TPapier::System && LetterPapier());
  bool ok = false;
  {
    QPdfWriter pdf(datei);
    const QString programm = Q(g.folders.ProgName) + " " + Q(g.folders.ProgVersion);
    pdf.setTitle(titel);
    pdf.setCreator(programm);
    pdf.setDocumentXmpMetadata(XmpMetadaten(titel, Autor(g), programm));
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

namespace {

// The job itself; Drucke adds its status line.
TDruckErgebnis DruckeAuftrag(QWidget* parent, TavState& g, const QString& titel, int seiten,
                             const TSeitenMaler& maler, const QString& pdfDatei, QString& pdfGeschrieben) {
  if (seiten <= 0) return TDruckErgebnis::Abgebrochen;
  auto pdf = [&](const QString& datei) {
    if (datei.isEmpty()) return TDruckErgebnis::Abgebrochen;
    if (!DruckePdf(datei, g, titel, seiten, maler, DruckHooks().Papier)) return TDruckErgebnis::Fehler;
    pdfGeschrieben = datei;
    return TDruckErgebnis::Gedruckt;
  };
  if (!pdfDatei.isEmpty()) return pdf(pdfDatei);
  std::string name = ChosenPrinter(g);
  if (name.empty()) name = QPrinterInfo::defaultPrinterName().toStdString();
  if (name.empty() && DruckerVorhanden()) name = QPrinterInfo::availablePrinterNames().value(0).toStdString();
  QPrinter printer(QPrinter::HighResolution);
  if (!SelectPrinter(printer, g, name)) {
    // No printer installed: the PDF file instead, named after the job.
    return pdf(DruckHooks().PdfDatei(parent, PdfVorschlag(titel)));
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

}  // namespace

TDruckErgebnis Drucke(QWidget* parent, TavState& g, const QString& titel, int seiten, const TSeitenMaler& maler,
                      const QString& pdfDatei) {
  QString pdf;
  const TDruckErgebnis ergebnis = DruckeAuftrag(parent, g, titel, seiten, maler, pdfDatei, pdf);
  // A PDF file is named where it went; only a printer's job was "sent to the printer".
  if (ergebnis == TDruckErgebnis::Gedruckt && DruckHooks().Status)
    DruckHooks().Status(pdf.isEmpty() ? Q(T(TX::MeldungDruckenfertig))
                                      : Q(ReplaceHashMark(T(TX::MeldungPdfGeschrieben),
                                                          QDir::toNativeSeparators(pdf).toStdString())));
  return ergebnis;
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
