// The page frame, the print job into a PDF file and the print set-up dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>

#include "foundation/PrintLayout.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "foundation/ui/FormKopftext.h"
#include "foundation/ui/SysUtilsQt.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace tav {
namespace {

// Page grabs go here for anyone to look at.
QString Screens(const QString& name) {
  QDir().mkpath(TAV_SCREENS_DIR);
  return QStringLiteral(TAV_SCREENS_DIR "/") + name;
}

TSeitenrahmen Rahmen(bool farbe, bool header = true) {
  TSeitenrahmen r;
  r.Kopfzeilen = {"Solar Müller GmbH", "Sonnenweg 1", "12345 Sonnenstadt", "Tel. 0123 456"};
  r.Header = header;
  r.Farbe = farbe;
  r.Datum = false;
  QImage logo(400, 100, QImage::Format_RGB32);
  logo.fill(QColor(25, 118, 210));
  r.Logo = logo;
  return r;
}

// Counts the pixels of the page image that are not white inside a band of rows.
int Dunkel(const QImage& bild, int y0, int y1, int x0 = 0, int x1 = -1) {
  if (x1 < 0) x1 = bild.width();
  int n = 0;
  for (int y = std::max(0, y0); y < std::min(bild.height(), y1); ++y)
    for (int x = x0; x < x1; ++x)
      if (bild.pixelColor(x, y) != Qt::white) ++n;
  return n;
}

TEST(Seitenrahmen, HeaderBandAndFooterSitWhereTheLayoutSays) {
  for (bool farbe : {false, true}) {
    PrintState m;
    const QImage bild = SeitenBild(
        [&](QPainter& pa, const QRectF& mm, int) {
          TDruckBlatt s(pa, mm, Rahmen(farbe));
          m = s.M();
          s.Kopf("Energiebilanz");
          s.Fuss(59, 3);
        },
        1, 150);
    bild.save(Screens(QStringLiteral("Print-Rahmen-%1.png").arg(farbe ? "farbig" : "sw")));
    ASSERT_GT(m.ZeilenHoehe, 0);
    // Header lines from 2 ZK, the band 6..8 ZK, nothing between the band and the footer.
    EXPECT_GT(Dunkel(bild, 2 * m.ZeilenHoeheKlein, 5 * m.ZeilenHoeheKlein, 0, m.RandLinks + 50), 0);
    EXPECT_GT(Dunkel(bild, 6 * m.ZeilenHoeheKlein, 8 * m.ZeilenHoeheKlein + 2), 0);
    EXPECT_EQ(Dunkel(bild, 8 * m.ZeilenHoeheKlein + 4, 59 * m.ZeilenHoehe), 0);
    EXPECT_GT(Dunkel(bild, 59 * m.ZeilenHoehe, 60 * m.ZeilenHoehe), 0);
    EXPECT_EQ(Dunkel(bild, 61 * m.ZeilenHoehe, bild.height()), 0);
    // The logo: right-aligned at the right text edge; blue only in colour.
    const QColor logo = bild.pixelColor(m.RandRechts - 5, 2 * m.ZeilenHoeheKlein + 5);
    EXPECT_NE(logo, Qt::white);
    EXPECT_EQ(logo.red() == logo.blue(), !farbe);
    EXPECT_EQ(bild.pixelColor(m.RandRechts + 5, 2 * m.ZeilenHoeheKlein + 5), Qt::white);
    // Colour: a grey band at the band's middle left; monochrome: a rule at 6 ZK and white inside.
    const QColor band = bild.pixelColor(m.RandLinks + 3, 7 * m.ZeilenHoeheKlein + m.ZeilenHoeheKlein / 2);
    EXPECT_EQ(band == QColor(244, 244, 244), farbe);
  }
}

TEST(Seitenrahmen, WithoutHeaderNoTextNoLogoButTheBand) {
  PrintState m;
  const QImage bild = SeitenBild(
      [&](QPainter& pa, const QRectF& mm, int) {
        TDruckBlatt s(pa, mm, Rahmen(true, false));
        m = s.M();
        s.Kopf("Titel");
      },
      1, 100);
  EXPECT_EQ(Dunkel(bild, 0, 6 * m.ZeilenHoeheKlein - 1), 0);
  EXPECT_GT(Dunkel(bild, 6 * m.ZeilenHoeheKlein, 8 * m.ZeilenHoeheKlein), 0);
}

TEST(Seitenrahmen, LayoutIsRelativeToThePage) {
  // A4 and Letter at 300 and 1200 dpi: the metrics scale with the device.
  const auto masse = [](double dpi, const QRectF& mm) {
    QImage geraet(1, 1, QImage::Format_RGB32);
    geraet.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    geraet.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    return SeitenMasseFuer(geraet, mm);
  };
  for (const QRectF mm : {QRectF(0, 0, 210, 297), QRectF(0, 0, 215.9, 279.4)}) {
    const PrintState m300 = masse(300, mm), m1200 = masse(1200, mm);
    EXPECT_NEAR(m1200.ZeilenHoehe, 4 * m300.ZeilenHoehe, 4);
    EXPECT_NEAR(m1200.RandRechts, 4 * m300.RandRechts, 40);
    EXPECT_GT(m1200.StiftFaktor, m300.StiftFaktor);
  }
  EXPECT_EQ(masse(600, QRectF(0, 0, 210, 297)).ZeilenHoehe, 113);
}

TEST(Druckauftrag, PdfFileWithEveryPage) {
  test::TempDir dir;
  TavState g;
  const QString datei = QString::fromStdString((dir.path() / "seiten.pdf").string());
  int gemalt = 0;
  const TSeitenMaler maler = [&](QPainter& pa, const QRectF& mm, int n) {
    ++gemalt;
    TDruckBlatt s(pa, mm, Rahmen(false));
    s.Kopf(QStringLiteral("Seite %1").arg(n));
    s.Fuss(59, n);
  };
  EXPECT_EQ(Drucke(nullptr, g, "Test", 3, maler, datei), TDruckErgebnis::Gedruckt);
  EXPECT_EQ(gemalt, 3);
  QFile f(datei);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray pdf = f.readAll();
  EXPECT_TRUE(pdf.startsWith("%PDF"));
  EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 3) ;
  EXPECT_GT(g.print.ZeilenHoehe, 0);
  // Nothing to print: no file, no success.
  EXPECT_EQ(Drucke(nullptr, g, "Test", 0, maler, datei + "2"), TDruckErgebnis::Abgebrochen);
  EXPECT_FALSE(QFile::exists(datei + "2"));
}

// Without a printer the PDF file is asked for, named after the job; with one, the printer
// dialog comes and no file is asked for. Cancelling the question prints nothing.
TEST(Druckauftrag, NoPrinterOffersThePdfFile) {
  test::ScopedMessages msgs;
  test::TempDir dir;
  TavState g;
  g.settings.Drucker = "Gibt es nicht";
  const QString datei = QString::fromStdString((dir.path() / "ersatz.pdf").string());
  QString gefragt;
  bool dialog = false;
  const auto alt = DruckHooks();
  DruckHooks().PdfDatei = [&](QWidget*, const QString& vorschlag) {
    gefragt = vorschlag;
    return datei;
  };
  // A printer's job goes into the file too, so no paper comes out.
  DruckHooks().DruckerDialog = [&](QWidget*, QPrinter& p) {
    dialog = true;
    p.setOutputFileName(datei);
    return true;
  };
  const TSeitenMaler maler = [](QPainter& pa, const QRectF& mm, int) { TDruckBlatt(pa, mm, Rahmen(false)).Kopf("x"); };
  EXPECT_EQ(Drucke(nullptr, g, "Ergebnisse - Energiebilanz/Report", 1, maler), TDruckErgebnis::Gedruckt);
  EXPECT_GT(QFile(datei).size(), 0);
  QPrinter p;
  if (DruckerVorhanden()) {
    EXPECT_TRUE(dialog);
    EXPECT_TRUE(gefragt.isEmpty()) << gefragt.toStdString();
  } else {
    EXPECT_FALSE(dialog);
    EXPECT_EQ(gefragt, "Ergebnisse - Energiebilanz-Report.pdf");
    // No printer means SelectPrinter refuses.
    EXPECT_FALSE(SelectPrinter(p, g, "Gibt es nicht"));
  }
  // Cancelling the file question or the printer dialog prints nothing.
  DruckHooks().PdfDatei = [](QWidget*, const QString&) { return QString(); };
  DruckHooks().DruckerDialog = [](QWidget*, QPrinter&) { return false; };
  EXPECT_EQ(Drucke(nullptr, g, "x", 1, maler), TDruckErgebnis::Abgebrochen);
  DruckHooks() = alt;
}

// Reading the settings asks the system for no printer; the first use looks the stored name
// up once: a printer that is gone becomes the system's current one (none without printers).
TEST(Druckauftrag, StoredPrinterIsLookedUpOnFirstUse) {
  const SettingsEnv env = QtSettingsEnv();
  EXPECT_TRUE(env.DruckerSpaeter);
  EXPECT_TRUE(env.Drucker.empty());
  TavState g;
  g.settings.Drucker = "Gibt es nicht";
  g.settings.DruckerOffen = true;
  EXPECT_EQ(PrinterToSave(g), "Gibt es nicht");  // no lookup yet: kept as stored
  const std::string erwartet = DruckerVorhanden() ? QPrinterInfo::defaultPrinterName().toStdString() : "";
  EXPECT_EQ(ChosenPrinter(g), erwartet);
  EXPECT_FALSE(g.settings.DruckerOffen);
  EXPECT_EQ(PrinterToSave(g), erwartet);
  // Looked up once: a printer chosen afterwards stays chosen.
  g.settings.Drucker = "Gewaehlt";
  EXPECT_EQ(ChosenPrinter(g), "Gewaehlt");
}

TEST(Druckauftrag, UnwritablePdfIsAnErrorNamingTheFile) {
  test::ScopedMessages msgs;
  TavState g;
  const TSeitenMaler maler = [](QPainter&, const QRectF&, int) {};
  EXPECT_EQ(Drucke(nullptr, g, "x", 1, maler, "/nonexistent/folder/x.pdf"), TDruckErgebnis::Fehler);
  EXPECT_TRUE(msgs->Contains("/nonexistent/folder/x.pdf")) << msgs->All();
}

TEST(FormKopftext, HeaderFileAndSettingsOnOkRestoredOnCancel) {
  test::ScopedMessages msgs;
  test::TempDir dir;
  auto& g = G();
  g.folders.DatenDir = dir.path().string() + "/";
  g.settings.FarbModus = 0;
  g.settings.DrucklogoDatei = "FIX";
  g.settings.DruckHeader = true;
  dir.Write("Kopf.txt", "Eins\r\nZwei\r\n");
  auto& f = FormKopftext();
  f.show();
  QApplication::processEvents();
  EXPECT_EQ(f.MemoKopftext->toPlainText(), "Eins\nZwei");
  EXPECT_EQ(f.windowTitle(), "Druckeinstellungen");
  EXPECT_TRUE(f.RadioButton1->isChecked());
  f.grab().save(Screens("FormKopftext.png"));
  // A logo that fails to load leaves the setting as it was.
  EXPECT_FALSE(f.LogoLaden((dir.path() / "fehlt.jpg").string()));
  EXPECT_EQ(g.settings.DrucklogoDatei, "FIX");
  dir.Write("kaputt.jpg", "kein Bild");
  EXPECT_FALSE(f.LogoLaden((dir.path() / "kaputt.jpg").string()));
  EXPECT_EQ(g.settings.DrucklogoDatei, "FIX");
  EXPECT_TRUE(msgs->Contains("Bildressource nicht gefunden!")) << msgs->All();
  EXPECT_TRUE(msgs->Contains("Unpassendes Format der Bildressource!")) << msgs->All();
  // Colour, then Cancel: monochrome again.
  f.RadioButton2->setChecked(true);
  EXPECT_EQ(g.settings.FarbModus, 1);
  f.ButtonCancel->click();
  EXPECT_EQ(g.settings.FarbModus, 0);
  EXPECT_EQ(dir.Read("Kopf.txt"), "Eins\r\nZwei\r\n");
  // OK writes the header lines and the options.
  f.show();
  f.MemoKopftext->setPlainText("Firma\nStraße 1");
  // Tab in the header lines moves on to the next control and types nothing.
  f.MemoKopftext->setFocus();
  f.MemoKopftext->moveCursor(QTextCursor::End);
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(f.MemoKopftext, &tab);
  EXPECT_EQ(f.MemoKopftext->toPlainText(), "Firma\nStraße 1");
  EXPECT_EQ(f.focusWidget(), f.CheckBox1);
  f.CheckBox1->setChecked(true);
  f.RadioButton2->setChecked(true);
  f.ButtonOK->click();
  EXPECT_EQ(dir.Read("Kopf.txt"), "Firma\r\nStra\xDF" "e 1\r\n");
  EXPECT_FALSE(g.settings.DruckHeader);
  EXPECT_EQ(g.settings.FarbModus, 1);
  EXPECT_EQ(DruckKopf().Zeilen, (std::vector<std::string>{"Firma", "Straße 1"}));
  g.settings.DruckHeader = true;
  g.settings.FarbModus = 0;
}

}  // namespace
}  // namespace tav
