// Printouts as a planner hands them to a customer: the results of a hot-water plant and of a
// combi plant with pool, the EnEV sheet in both modes and the instantaneous output, each in
// colour and monochrome on A4 and Letter. Every page is painted onto the paint recorder (its
// footer, its headings side by side, the resolution of every picture) and printed into a PDF
// file (paper size, title, creator and author, no lossy picture).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <functional>
#include <map>
#include <memory>

#include "app/Schema.h"
#include "enev/EnevBericht.h"
#include "enev/ui/EnevDruck.h"
#include "foundation/PrintLayout.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "results/ui/ErgebnisDruck.h"
#include "results/ui/FormSimErg.h"
#include "results/ui/ResultsCommands.h"
#include "simulation/Moment.h"
#include "simulation/ui/FormMoment.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/gui/PaintRecorder.h"
#include "tests/enev/ui/EnevDruckFixture.h"
#include "tests/results/ui/ErgebnisFixture.h"
#include "tests/simulation/ui/MomentFixture.h"

namespace tav {
namespace {

constexpr int kDpi = 600;
const QString kAutor = QStringLiteral("Planungsbüro Sonnenschein & Partner");

QString Q(const std::string& s) { return QString::fromStdString(s); }

struct TPapierFall {
  const char* Name;
  TPapier Papier;
  QSizeF Mm, Punkte;
};
const TPapierFall kPapiere[] = {{"A4", TPapier::A4, {210, 297}, {595.3, 841.9}},
                                {"Letter", TPapier::Letter, {215.9, 279.4}, {612, 792}}};

// ---- The painted page ---------------------------------------------------------------------

// Checks a recorded page: the footer (owner line at the left, "dd.mm.yyyy hh:mm:ss - Seite n"
// at the right), no two texts of a line running into each other, every picture at 300 ppi or
// more.
void PruefeSeite(const test::TRecorder& r, int seite, const std::string& wo) {
  PrintState m;
  BerechneSeitenMasse(m, r.Breite(), r.Hoehe());
  const double fussY = 59.0 * m.ZeilenHoehe;
  bool copyright = false, datum = false;
  QString fuss;
  const QRegularExpression muster(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d - %1 %2$")
                                             .arg(Q(T(TX::Seite)))
                                             .arg(seite));
  std::vector<const test::TPrimitiv*> texte;
  for (const auto& p : r.Liste()) {
    if (p.Typ == test::TPrimitiv::Bild) {
      const double zoll = p.Box.width() / kDpi;
      ASSERT_GT(zoll, 0.0) << wo;
      EXPECT_GE(p.Quelle.width() / zoll, 300.0) << wo << ": a picture " << p.Quelle.width() << " pixels on "
                                                << zoll << " inches";
    }
    if (p.Typ != test::TPrimitiv::Text || p.Inhalt.trimmed().isEmpty()) continue;
    texte.push_back(&p);
    if (std::abs(p.Box.top() - fussY) > 2.0) continue;
    fuss += p.Inhalt + "|";
    if (p.Inhalt == QString::fromUtf8(kCopyright) && std::abs(p.Box.left() - m.RandLinks) < 2.0) copyright = true;
    if (muster.match(p.Inhalt).hasMatch() && std::abs(p.Box.right() - m.RandRechts) < 2.0) datum = true;
  }
  EXPECT_TRUE(copyright) << wo << ": the owner line at the footer's left";
  EXPECT_TRUE(datum) << wo << ": date, time and page at the footer's right: " << fuss.toStdString();
  // Texts that start on the same line never overlap (a superscript may touch its text).
  for (const auto* a : texte)
    for (const auto* b : texte) {
      if (a == b || std::abs(a->Box.top() - b->Box.top()) > 2.0 || a->Box.left() > b->Box.left()) continue;
      EXPECT_LE(a->Box.right(), b->Box.left() + 2.0)
          << wo << ": \"" << a->Inhalt.toStdString() << "\" runs into \"" << b->Inhalt.toStdString() << "\"";
    }
}

using TMaler = std::function<void(QPainter&, const QRectF&, int)>;

void PruefeSeiten(const TMaler& maler, int seiten, const std::string& wo) {
  for (const TPapierFall& papier : kPapiere)
    for (int n = 1; n <= seiten; ++n) {
      test::TRecorder r(papier.Mm, kDpi);
      {
        QPainter pa(&r);
        maler(pa, QRectF(QPointF(0, 0), papier.Mm), n);
      }
      PruefeSeite(r, n, wo + " " + papier.Name + " page " + std::to_string(n));
    }
}

// ---- The PDF file ---------------------------------------------------------------------------

QByteArray Lies(const QString& datei) {
  QFile f(datei);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Zwischen(const QByteArray& pdf, const QByteArray& vor, const QByteArray& nach) {
  const qsizetype a = pdf.indexOf(vor);
  if (a < 0) return {};
  const qsizetype e = pdf.indexOf(nach, a + vor.size());
  return e < 0 ? QString() : QString::fromUtf8(pdf.mid(a + vor.size(), e - a - vor.size()));
}

// Paper size, title, creator and author of a printed PDF file; no picture stored lossy.
void PruefePdf(const QString& datei, const TPapierFall& papier, const QString& titel, const std::string& wo) {
  const QByteArray pdf = Lies(datei);
  ASSERT_TRUE(pdf.startsWith("%PDF")) << wo;
  static const QRegularExpression box(QStringLiteral("/MediaBox \\[\\s*0 0 ([0-9.]+) ([0-9.]+)\\s*\\]"));
  const auto m = box.match(QString::fromLatin1(pdf));
  ASSERT_TRUE(m.hasMatch()) << wo;
  EXPECT_NEAR(m.captured(1).toDouble(), papier.Punkte.width(), 1.0) << wo;
  EXPECT_NEAR(m.captured(2).toDouble(), papier.Punkte.height(), 1.0) << wo;
  EXPECT_EQ(Zwischen(pdf, "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">", "</rdf:li>"), titel.toHtmlEscaped())
      << wo;
  EXPECT_EQ(Zwischen(pdf, "<xmp:CreatorTool>", "</xmp:CreatorTool>"),
            QString::fromUtf8(kProgName) + " " + QString::fromUtf8(kProgVersion))
      << wo;
  EXPECT_EQ(Zwischen(pdf, "<dc:creator><rdf:Seq><rdf:li>", "</rdf:li>"), kAutor.toHtmlEscaped()) << wo;
  EXPECT_FALSE(pdf.contains("/DCTDecode")) << wo << ": a picture stored as JPEG";
  // Kept beside the window grabs, for anyone to look at.
  QDir().mkpath(QStringLiteral(TAV_SCREENS_DIR));
  const QString kopie = QStringLiteral(TAV_SCREENS_DIR "/Print-") + QFileInfo(datei).fileName();
  QFile::remove(kopie);
  QFile::copy(datei, kopie);
}

// ---- The plants and the frame -------------------------------------------------------------

class KundenDruck : public ::testing::Test {
 protected:
  void SetUp() override {
    alt_ = std::make_unique<TavState>(G());
    sprache_ = QLocale();
    // A process locale that writes dates otherwise must not reach the footer.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    DruckKopf().Zeilen = {kAutor.toStdString(), "Sonnenallee 7", "12345 Sonnstadt"};
    ASSERT_TRUE(LoadPrintLogo("FIX"));
  }
  void TearDown() override {
    QLocale::setDefault(sprache_);
    DruckHooks().Papier = TPapier::System;
    DruckKopf() = TDruckKopf{};
    InvalidateResults();
    // The results window was made here without the main window: the next test makes its own.
    if (FormSimErgExists()) delete &FormSimErg();
    QApplication::processEvents();
    G() = *alt_;
  }
  // The print settings of a customer printout in colour or monochrome.
  static void Einstellungen(bool farbe) {
    auto& s = G().settings;
    s.FarbModus = farbe ? 1 : 0;
    s.DruckHeader = true;
    s.DruckDatum = true;
    s.DrucklogoDatei = "FIX";
  }
  QString Datei(const std::string& name) const { return Q((dir.path() / (name + ".pdf")).string()); }

  test::ScopedMessages msgs;
  test::TempDir dir;

 private:
  std::unique_ptr<TavState> alt_;
  QLocale sprache_;
};

TEST_F(KundenDruck, ResultPagesOfBothPlants) {
  for (Anlage a : {Anlage::Warmwasser, Anlage::KombiPool}) {
    Simuliere(a);
    TFormSimErg* f = ShowSimErg(nullptr);
    ASSERT_NE(f, nullptr);
    f->SchemaBild = [] { return SchemaDruckBild(G().plant); };
    for (QCheckBox* c : {f->CheckBoxReport, f->CheckBox1, f->CheckBox2, f->CheckBoxAlles}) c->setChecked(true);
    const std::string anlage = a == Anlage::Warmwasser ? "hot water" : "combi with pool";
    for (bool farbe : {true, false}) {
      Einstellungen(farbe);
      const TErgebnisDruck d = f->DruckAuftrag();
      ASSERT_EQ(d.Seiten.size(), a == Anlage::Warmwasser ? 3u : 4u);
      const TavState stand = G();
      PruefeSeiten([&](QPainter& pa, const QRectF& mm, int n) { MaleErgebnisSeite(pa, mm, n, d, stand); },
                   static_cast<int>(d.Seiten.size()), anlage + (farbe ? " colour" : " monochrome"));
      for (const TPapierFall& papier : kPapiere) {
        DruckHooks().Papier = papier.Papier;
        const QString datei = Datei(std::string("ergebnis-") + papier.Name + (farbe ? "-farbe" : "-grau"));
        ASSERT_TRUE(f->Drucken(datei));
        PruefePdf(datei, papier, "Simulation - " + Q(G().plant.ProjektName), anlage);
      }
    }
    InvalidateResults();
  }
}

TEST_F(KundenDruck, EnevSheetInBothModes) {
  Simuliere(Anlage::Warmwasser);
  auto& g = G();
  g.plant.ProjektName = "Haus A";
  g.run.EnevSimQTW = 3500;
  g.run.EnevSimQTWsol = 1900;
  const enev::EnevStand st = test::EnevDruckStand(0.015);
  for (int modus : {enev::kEnevAuswertung, enev::kEnevSimulation})
    for (bool farbe : {true, false}) {
      Einstellungen(farbe);
      const std::string wo = std::string(modus == enev::kEnevAuswertung ? "EnEV DIN" : "EnEV simulation") +
                             (farbe ? " colour" : " monochrome");
      PruefeSeiten([&](QPainter& pa, const QRectF& mm, int) { PrintEnevSeite(pa, mm, g, st, modus); }, 1, wo);
      for (const TPapierFall& papier : kPapiere) {
        DruckHooks().Papier = papier.Papier;
        const QString datei = Datei(std::string("enev-") + papier.Name + std::to_string(modus) + (farbe ? "f" : "g"));
        ASSERT_TRUE(PrintEnevBericht(nullptr, g, st, modus, datei));
        PruefePdf(datei, papier, Q(g.folders.ProgName) + " Ergebnisse - Haus A", wo);
      }
    }
}

TEST_F(KundenDruck, InstantaneousOutput) {
  auto& g = G();
  test::MomentProjekt(g);
  TFormMoment& f = FormMoment();
  f.show();
  QApplication::processEvents();
  f.RadioButton3->click();  // a summer day
  ASSERT_TRUE(f.BitBtnDruck->isEnabled());
  const auto zeilen = MomentBericht(f.Eingabe, f.Ergebnis, g.plant, true, g.folders.ProgName + " " + g.folders.ProgVersion);
  // One blank between a number and its unit, none before a part's text.
  for (const auto& z : zeilen)
    for (const QString& teil : Q(z.Text).split('\t'))
      if (teil.contains(QRegularExpression(QStringLiteral("\\d  +k?W"))))
        ADD_FAILURE() << "double blank: " << z.Text;
  for (bool farbe : {true, false}) {
    Einstellungen(farbe);
    PruefeSeiten(
        [&](QPainter& pa, const QRectF& mm, int) {
          TSeitenrahmen rahmen = TSeitenrahmen::Aus(g);
          rahmen.Punkt = 11;
          TDruckBlatt seite(pa, mm, rahmen);
          MomentDruck(seite, zeilen);
        },
        1, std::string("instantaneous output") + (farbe ? " colour" : " monochrome"));
    for (const TPapierFall& papier : kPapiere) {
      DruckHooks().Papier = papier.Papier;
      const QString datei = Datei(std::string("moment-") + papier.Name + (farbe ? "f" : "g"));
      ASSERT_TRUE(f.Drucke(datei));
      PruefePdf(datei, papier, Q(T(TX::FormMomentCaption)), "instantaneous output");
    }
  }
  f.done(mrOk);
}

// Every printout says on the status line where it went: the PDF file chosen beforehand, the
// one asked for where no printer is installed (or, with a printer, that the job went to the
// printer); a job cancelled at its question says nothing.
TEST_F(KundenDruck, StatusLineOfEveryPrintout) {
  auto& g = G();
  Simuliere(Anlage::Warmwasser);
  g.plant.ProjektName = "Haus A";
  g.run.EnevSimQTW = 3500;
  g.run.EnevSimQTWsol = 1900;
  const enev::EnevStand st = test::EnevDruckStand(0.015);
  TFormSimErg* erg = ShowSimErg(nullptr);
  ASSERT_NE(erg, nullptr);
  erg->CheckBoxAlles->setChecked(true);
  test::MomentProjekt(g);
  TFormMoment& moment = FormMoment();
  moment.show();
  QApplication::processEvents();
  moment.RadioButton3->click();  // a summer day
  ASSERT_TRUE(moment.BitBtnDruck->isEnabled());

  const struct {
    const char* name;
    std::function<bool(const QString& pdf)> drucke;
  } druckstuecke[] = {
      {"results", [&](const QString& pdf) { return erg->Drucken(pdf); }},
      {"EnEV", [&](const QString& pdf) { return PrintEnevBericht(nullptr, g, st, enev::kEnevAuswertung, pdf); }},
      {"instantaneous output", [&](const QString& pdf) { return moment.Drucke(pdf); }},
  };
  const auto geschrieben = [](const QString& datei) {
    return Q(ReplaceHashMark(T(TX::MeldungPdfGeschrieben), QDir::toNativeSeparators(datei).toStdString()));
  };
  const TDruckHooks alt = DruckHooks();
  QStringList status;
  DruckHooks().Status = [&status](const QString& text) { status << text; };
  g.settings.Drucker = "Gibt es nicht";
  g.settings.DruckerOffen = false;
  for (const auto& d : druckstuecke) {
    const std::string wo = d.name;
    const QString gewaehlt = Datei(wo + " gewaehlt"), gefragt = Datei(wo + " gefragt"),
                  drucker = Datei(wo + " drucker");
    bool antwort = true;  // false: the question is cancelled
    DruckHooks().PdfDatei = [&](QWidget*, const QString&) { return antwort ? gefragt : QString(); };
    // A printer's job goes into a file of its own here, so no paper comes out.
    DruckHooks().DruckerDialog = [&](QWidget*, QPrinter& p) {
      p.setOutputFileName(drucker);
      return antwort;
    };

    status.clear();
    ASSERT_TRUE(d.drucke(gewaehlt)) << wo;
    EXPECT_EQ(status, QStringList{geschrieben(gewaehlt)}) << wo;

    status.clear();
    ASSERT_TRUE(d.drucke({})) << wo;
    if (DruckerVorhanden()) {
      EXPECT_EQ(status, QStringList{Q(T(TX::MeldungDruckenfertig))}) << wo;
      EXPECT_GT(QFileInfo(drucker).size(), 0) << wo;
    } else {
      EXPECT_EQ(status, QStringList{geschrieben(gefragt)}) << wo;
      EXPECT_GT(QFileInfo(gefragt).size(), 0) << wo;
    }

    status.clear();
    antwort = false;
    EXPECT_FALSE(d.drucke({})) << wo;
    EXPECT_TRUE(status.isEmpty()) << wo << ": " << status.join('|').toStdString();
  }
  DruckHooks() = alt;
  moment.done(mrOk);
}

// The paper of a printout without a printer: the locale's paper setting first (216 mm wide is
// Letter), else the country.
TEST(KundenPapier, LetterWhereTheLocaleUsesIt) {
  EXPECT_TRUE(LetterPapierFuer(216, QLocale::Germany));
  EXPECT_FALSE(LetterPapierFuer(210, QLocale::UnitedStates));
  EXPECT_TRUE(LetterPapierFuer(0, QLocale::UnitedStates));
  EXPECT_TRUE(LetterPapierFuer(0, QLocale::Canada));
  EXPECT_FALSE(LetterPapierFuer(0, QLocale::Germany));
  EXPECT_FALSE(LetterPapierFuer(0, QLocale::AnyTerritory));
}

// The job's title names the project, so two projects' PDF files are proposed under two names.
TEST(KundenPapier, JobTitleAndProposedFileName) {
  TavState g;
  g.plant.ProjektName = "Haus Müller/Süd";
  EXPECT_EQ(DruckJobTitel(g, " - Report/Solarertrag"), "Simulation - Haus Müller/Süd - Report/Solarertrag");
  EXPECT_EQ(PdfVorschlag(DruckJobTitel(g, "")), "Simulation - Haus Müller-Süd.pdf");
  g.plant.ProjektName = "Haus B";
  EXPECT_NE(PdfVorschlag(DruckJobTitel(g, "")), "Simulation - Haus Müller-Süd.pdf");
  EXPECT_EQ(PdfVorschlag(QStringLiteral("a:b*c?\"d\"<e>|f\\g")), "a-b-c--d--e--f-g.pdf");
}

}  // namespace
}  // namespace tav
