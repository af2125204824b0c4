// The help as shipped: every page exists in every language, the contents page links every
// page, every link and every topic of every context file leads to a page (and anchor) that
// exists; and the help window shows, goes back and forward, and finds index words.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <map>
#include <set>
#include <string>

#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/Hilfe.h"
#include "foundation/TavVar.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/IntMessageDialog.h"
#include "tests/foundation/ui/ModalDriver.h"
#include "support/gui/GrabScreen.h"

namespace tav {
namespace {

const std::vector<std::string> kSprachen = {"de", "en"};

// Whether "page[#anchor]" exists in a language, anchors included.
bool Erreichbar(const std::string& sprache, const std::string& thema) {
  const std::size_t raute = thema.find('#');
  const HilfeSeite* s = Hilfe().Seite(sprache, thema.substr(0, raute));
  if (!s) return false;
  if (raute == std::string::npos) return true;
  const std::string anker = thema.substr(raute + 1);
  return std::find(s->anker.begin(), s->anker.end(), anker) != s->anker.end();
}

TEST(HilfeSeiten, ContextFilesReadWithoutFaults) { EXPECT_TRUE(LadeHilfe().empty()); }

TEST(HilfeSeiten, EveryPageInEveryLanguageAndLinkedFromTheContents) {
  LadeHilfe();
  ASSERT_EQ(Hilfe().Sprachen(), kSprachen);
  std::set<std::string> alle;
  for (const std::string& sp : kSprachen)
    for (const std::string& p : Hilfe().Seiten(sp)) alle.insert(p);
  for (const std::string& sp : kSprachen) {
    const HilfeSeite* inhalt = Hilfe().Seite(sp, kHilfeInhalt);
    ASSERT_TRUE(inhalt) << sp;
    std::set<std::string> verlinkt;
    for (const std::string& l : inhalt->links) verlinkt.insert(l.substr(0, l.find('#')));
    for (const std::string& p : alle) {
      EXPECT_TRUE(Hilfe().SeiteVorhanden(sp, p)) << sp << "/" << p << " fehlt";
      if (p != kHilfeInhalt) {
        EXPECT_TRUE(verlinkt.count(p)) << sp << "/" << p << " nicht im Inhalt";
      }
      const HilfeSeite* s = Hilfe().Seite(sp, p);
      if (!s) continue;
      EXPECT_FALSE(s->titel.empty()) << sp << "/" << p;
      EXPECT_FALSE(s->stichworte.empty()) << sp << "/" << p;
    }
  }
}

TEST(HilfeSeiten, EveryLinkAndEveryMappedTopicLeadsToAPage) {
  LadeHilfe();
  for (const std::string& sp : kSprachen) {
    for (const std::string& p : Hilfe().Seiten(sp)) {
      for (const std::string& link : Hilfe().Seite(sp, p)->links) {
        if (link.find(':') != std::string::npos) continue;  // mail or web address
        const std::string ziel = link.front() == '#' ? p + link : link;
        EXPECT_TRUE(Erreichbar(sp, ziel)) << sp << "/" << p << " → " << link;
      }
    }
    for (const auto& [nr, thema] : Hilfe().Kontexte())
      EXPECT_TRUE(Erreichbar(sp, thema)) << sp << ": " << nr << " → " << thema;
    for (const auto& [name, thema] : Hilfe().FensterThemen())
      EXPECT_TRUE(Erreichbar(sp, thema)) << sp << ": " << name << " → " << thema;
  }
}

// A caption as the help and the language file are compared: without "&", without a closing
// ":", "." or "…", blanks collapsed, case ignored.
QString Vergleichbar(QString t) {
  t.remove('&');
  t = t.simplified();
  while (!t.isEmpty() && (t.endsWith(':') || t.endsWith('.') || t.endsWith(QChar(0x2026)) ||
                          t.endsWith(' ')))
    t.chop(1);
  return t.toCaseFolded();
}

// The texts of a language file by key, comparable.
std::map<QString, QString> TexteDerDatei(const std::string& datei) {
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(datei, bytes)) << datei;
  std::map<QString, QString> texte;
  for (const QString& zeile : QString::fromStdString(DecodeText(bytes, CodePage::Cp1252)).split('\n')) {
    const qsizetype gleich = zeile.indexOf('=');
    if (gleich > 0) texte[zeile.left(gleich).trimmed()] = Vergleichbar(zeile.mid(gleich + 1));
  }
  return texte;
}

std::set<QString> WerteDerDatei(const std::string& datei) {
  std::set<QString> werte;
  for (const auto& [schluessel, text] : TexteDerDatei(datei)) werte.insert(text);
  return werte;
}

// The English help names each control ("<b>") by the caption the English program shows it
// with: every name is an English text of the language file (or of the help window's own
// captions). Controls that stay German in every language carry lang="de"; the EnEV window is
// German as a whole, so its page names German captions. Other emphasis is <strong>.
TEST(HilfeSeiten, EnglishControlNamesAreTheEnglishCaptions) {
  std::set<QString> captions = WerteDerDatei(std::string(TAV_LANG_DIR) + "/english.dat");
  QFile fenster(":/help/en/fenster.ini");
  ASSERT_TRUE(fenster.open(QIODevice::ReadOnly));
  for (const QString& zeile : QString::fromUtf8(fenster.readAll()).split('\n'))
    if (zeile.contains('=')) captions.insert(Vergleichbar(zeile.section('=', 1)));
  const QRegularExpression fett(QStringLiteral("<b>(.*?)</b>"),
                                QRegularExpression::DotMatchesEverythingOption);
  int namen = 0;
  for (const QString& seite : QDir(":/help/en").entryList({"*.htm"})) {
    if (seite == "enev.htm") continue;
    QFile f(":/help/en/" + seite);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << seite.toStdString();
    const QString text = QString::fromUtf8(f.readAll());
    for (auto it = fett.globalMatch(text); it.hasNext();) {
      const QString name = QTextDocumentFragment::fromHtml(it.next().captured(1)).toPlainText();
      ++namen;
      EXPECT_TRUE(captions.count(Vergleichbar(name)))
          << seite.toStdString() << ": \"" << name.simplified().toStdString()
          << "\" is no English caption";
    }
  }
  EXPECT_GT(namen, 200);
}

// The English page of the main window names every captioned tool button and every menu by
// the caption the English program shows (the tool bar once said "System", the page "Plant").
TEST(HilfeSeiten, EnglishMainWindowPageNamesEveryToolButtonAndMenu) {
  std::map<QString, QString> englisch = TexteDerDatei(std::string(TAV_LANG_DIR) + "/english.dat");
  QFile f(":/help/en/hauptfenster.htm");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  std::set<QString> namen;
  const QRegularExpression fett(QStringLiteral("<b>(.*?)</b>"), QRegularExpression::DotMatchesEverythingOption);
  for (auto it = fett.globalMatch(QString::fromUtf8(f.readAll())); it.hasNext();)
    namen.insert(Vergleichbar(QTextDocumentFragment::fromHtml(it.next().captured(1)).toPlainText()));
  for (const char* schluessel :
       {"SButtonAssistent", "SButtonOrt", "SButtonAnlage", "SButtonKollektor", "SButtonMoment", "SButtonSimulation",
        "HmenuDatei", "HmenuSimulation", "HmenuOrt", "HmenuAnlage", "HmenuEnergie", "HmenuKollektor", "HmenuExtra",
        "HmenuMomentanleistung", "HmenuAnlagenSimulation", "HmenuStart", "HmenuErgebnis", "HmenuOptionen"}) {
    ASSERT_TRUE(englisch.count(schluessel)) << schluessel;
    EXPECT_TRUE(namen.count(englisch[schluessel]))
        << schluessel << ": \"" << englisch[schluessel].toStdString() << "\" is not named on the page";
  }
}

// Each test opens a help window of its own: the window keeps its history and its language
// for as long as it lives, and no test may start on what an earlier one left.
class HilfeFensterTest : public ::testing::Test {
 protected:
  void SetUp() override { Schliessen(); }
  void TearDown() override { Schliessen(); }
  static void Schliessen() {
    delete HilfeFensterOffen();
    G().folders.HilfeDatei.clear();
  }
};

TEST_F(HilfeFensterTest, ShowsPagesGoesBackAndForwardAndFindsIndexWords) {
  ASSERT_EQ(HilfeFensterOffen(), nullptr);
  ZeigeHilfeInhalt();
  THilfeFenster* f = HilfeFensterOffen();
  ASSERT_TRUE(f);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(f->AktuelleSeite(), "de/index.htm");
  EXPECT_FALSE(f->Browser->toPlainText().isEmpty());
  EXPECT_GT(f->ListeInhalt->count(), 10);
  EXPECT_FALSE(f->ButtonZurueck->isEnabled());

  ZeigeHilfeKontext(901);
  EXPECT_EQ(f->AktuelleSeite(), "de/programminfo.htm");
  ZeigeHilfeStichwort("anlage#pool");
  EXPECT_EQ(f->AktuelleSeite(), "de/anlage.htm#pool");
  ZeigeHilfeKontext(99999);
  EXPECT_EQ(f->AktuelleSeite(), "de/index.htm");
  EXPECT_EQ(HilfeFensterOffen(), f);  // one window, reused

  f->ButtonZurueck->click();
  EXPECT_EQ(f->AktuelleSeite(), "de/anlage.htm#pool");
  f->ButtonZurueck->click();
  EXPECT_EQ(f->AktuelleSeite(), "de/programminfo.htm");
  ASSERT_TRUE(f->ButtonVor->isEnabled());
  f->ButtonVor->click();
  EXPECT_EQ(f->AktuelleSeite(), "de/anlage.htm#pool");

  ZeigeHilfeIndex("Datenordner");
  EXPECT_EQ(f->EditIndex->text(), "Datenordner");
  int sichtbar = 0;
  for (int i = 0; i < f->ListeIndex->count(); ++i)
    if (!f->ListeIndex->item(i)->isHidden()) {
      // The first word found is the page shown.
      if (sichtbar++ == 0) {
        EXPECT_EQ(f->ListeIndex->item(i)->data(Qt::UserRole).toString().toStdString(), f->AktuelleSeite());
      }
      EXPECT_TRUE(f->ListeIndex->item(i)->text().contains("Datenordner", Qt::CaseInsensitive));
    }
  EXPECT_GE(sichtbar, 2);  // the data-folder page and the about box

  f->PageControl1->setCurrentIndex(0);
  ZeigeHilfeStichwort("anlage");
  test::GrabScreen(f, "FormHilfe");
  f->PageControl1->setCurrentIndex(1);
  f->EditIndex->setText("Speicher");
  test::GrabScreen(f, "FormHilfe-index");

  // English help file: the same window relabels itself and shows the English pages.
  G().folders.HilfeDatei = "Tavrel_en.chm";
  ZeigeHilfeKontext(870);
  EXPECT_EQ(f->AktuelleSeite(), "en/assistent.htm");
  EXPECT_EQ(f->ButtonZurueck->text(), "Back");
  f->PageControl1->setCurrentIndex(0);
  test::GrabScreen(f, "FormHilfe-en");
  G().folders.HilfeDatei.clear();
  // Escape closes it; the next call shows the same window again.
  test::Key(f->Browser, Qt::Key_Escape);
  EXPECT_FALSE(f->isVisible());
  ZeigeHilfeInhalt();
  EXPECT_EQ(HilfeFensterOffen(), f);
  EXPECT_TRUE(f->isVisible());
  f->close();
}

// The message dialog's help button opens the messages page and leaves the message open;
// F1 in any plain window opens the contents (or the page its name maps to).
TEST_F(HilfeFensterTest, MessageHelpButtonAndF1InAnyWindow) {
  InstalliereHilfeTaste();
  InstalliereHilfeTaste();  // twice does no harm
  TFormIntMessageDialog dlg("Text", mtInformation, Btn(mbOK) | Btn(mbHelp));
  bool nochOffen = false;
  test::WhenModal([&](QWidget* d) {
    test::Click(d, "Help");
    nochOffen = d->isVisible();
    test::Click(d, "OK");
  });
  EXPECT_EQ(dlg.Execute(), mrOk);
  EXPECT_TRUE(nochOffen);
  ASSERT_TRUE(HilfeFensterOffen());
  EXPECT_EQ(HilfeFensterOffen()->AktuelleSeite(), "de/meldungen.htm");

  QDialog fremd;
  fremd.setObjectName("FormOhneHilfe");
  auto* feld = new QLineEdit(&fremd);
  test::Key(feld, Qt::Key_F1);
  EXPECT_EQ(HilfeFensterOffen()->AktuelleSeite(), "de/index.htm");
  feld->setProperty(kHelpKeyword, "warmwasser");
  test::Key(feld, Qt::Key_F1);
  EXPECT_EQ(HilfeFensterOffen()->AktuelleSeite(), "de/warmwasser.htm");
  fremd.setProperty(kHelpContext, 901);
  feld->setProperty(kHelpKeyword, QVariant());
  test::Key(feld, Qt::Key_F1);
  EXPECT_EQ(HilfeFensterOffen()->AktuelleSeite(), "de/programminfo.htm");
  HilfeFensterOffen()->close();
}

}  // namespace
}  // namespace tav
