// The help mapping: keywords as topics, context numbers and window names through the context
// files, the contents page for anything unknown or missing, and the help language from the
// help file name with German as the fallback.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "foundation/Hilfe.h"
#include "foundation/Language.h"

namespace tav {
namespace {

TEST(Hilfe, KeywordBecomesATopicWithHtmUnlessItHasOne) {
  const struct {
    const char* stichwort;
    const char* thema;
  } faelle[] = {
      {"Einstellungen", "Einstellungen.htm"}, {"seite.html", "seite.html"},
      {"Seite.HTM", "Seite.HTM"},             {"anlage#pool", "anlage.htm#pool"},
      {"anlage.htm#pool", "anlage.htm#pool"}, {"  ort ", "ort.htm"},
      {"bericht.txt", "bericht.txt.htm"},
  };
  for (const auto& f : faelle) EXPECT_EQ(ThemaAusStichwort(f.stichwort), f.thema) << f.stichwort;
}

TEST(Hilfe, PageTellsTitleKeywordsLinksAndAnchors) {
  const HilfeSeite s = LiesHilfeSeite(
      "<html><head><TITLE> Anlage &amp; Speicher </TITLE>"
      "<meta name=\"Keywords\" content=\"Speicher, Anlagentyp ,, Zirkulation\"></head>"
      "<body><h2 id=\"typ1\">Typ</h2><a name='pool'></a><A HREF=\"ort.htm#karte\">Ort</a>"
      "<a href=index.htm>Inhalt</a></body></html>");
  EXPECT_EQ(s.titel, "Anlage & Speicher");
  EXPECT_EQ(s.stichworte, (std::vector<std::string>{"Speicher", "Anlagentyp", "Zirkulation"}));
  EXPECT_EQ(s.links, (std::vector<std::string>{"ort.htm#karte", "index.htm"}));
  EXPECT_EQ(s.anker, (std::vector<std::string>{"typ1", "pool"}));
}

class HilfeDienstTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sp : {"de", "en"}) {
      h.AddSeite(sp, "index.htm",
                 "<title>Inhalt</title><a href=\"anlage.htm\">A</a><a href=\"ort.htm#k\">O</a>"
                 "<a href=\"anlage.htm#typ1\">A1</a>");
      h.AddSeite(sp, "anlage.htm", "<title>Anlage</title><meta name=keywords content=\"Zirkulation, Anlagentyp\">");
      h.AddSeite(sp, "ort.htm", "<title>Ort</title><meta name=keywords content=\"Breitengrad\">");
    }
    h.AddSeite("de", "Einstellungen.htm", "<title>Einstellungen</title>");
    fehler = h.LiesKontexte(
        "# Kommentar\r\n"
        "400 anlage\r\n"
        "460 anlage#solheiz   # Solares Heizen\r\n"
        "\r\n"
        "FormOrt ort.htm\r\n"
        "777\r\n"
        "12x ort\r\n"
        "500 gibtsnicht\r\n"
        "400 ort\r\n"
        "400 anlage\r\n",
        "test.kontexte");
  }
  HilfeDienst h;
  std::vector<std::string> fehler;
};

TEST_F(HilfeDienstTest, ContextFileLinesAndTheirFaults) {
  EXPECT_EQ(fehler, (std::vector<std::string>{
                        "test.kontexte, Zeile 6: erwartet \"<Nummer oder Fenster> <Thema>\"",
                        "test.kontexte, Zeile 7: keine gültige Kontextnummer",
                        "test.kontexte, Zeile 9: Kontextnummer doppelt"}));
  EXPECT_EQ(h.Kontexte().size(), 3u);
  EXPECT_EQ(h.Kontexte().at(460), "anlage.htm#solheiz");
  EXPECT_EQ(h.FensterThemen().at("FormOrt"), "ort.htm");
}

TEST_F(HilfeDienstTest, NumbersKeywordsAndWindowsOpenTheirPagesElseTheContents) {
  const struct {
    std::string got, want;
  } faelle[] = {
      {h.Kontext(400, "de"), "de/anlage.htm"},
      {h.Kontext(460, "en"), "en/anlage.htm#solheiz"},
      {h.Kontext(401, "de"), "de/index.htm"},           // unknown number
      {h.Kontext(500, "de"), "de/index.htm"},           // mapped to a missing page
      {h.Stichwort("einstellungen", "de"), "de/Einstellungen.htm"},  // any case
      {h.Stichwort("Einstellungen", "en"), "en/index.htm"},          // not in English
      {h.Stichwort("ort.html", "de"), "de/index.htm"},
      {h.Stichwort("anlage#pool", "de"), "de/anlage.htm#pool"},
      {h.Fenster("FormOrt", "en"), "en/ort.htm"},
      {h.Fenster("FormUnbekannt", "de"), "de/index.htm"},
      {h.Kontext(400, "fr"), "de/anlage.htm"},  // a language without help: German
      {h.Inhalt("fr"), "de/index.htm"},
  };
  for (const auto& f : faelle) EXPECT_EQ(f.got, f.want);
}

TEST_F(HilfeDienstTest, ContentsFollowTheContentsPageAndTheIndexIsSorted) {
  EXPECT_EQ(h.Inhaltsverzeichnis("en"),
            (std::vector<std::pair<std::string, std::string>>{{"en/index.htm", "Inhalt"},
                                                              {"en/anlage.htm", "Anlage"},
                                                              {"en/ort.htm", "Ort"}}));
  EXPECT_EQ(h.Index("de"), (std::vector<std::pair<std::string, std::string>>{
                               {"Anlagentyp", "de/anlage.htm"},
                               {"Breitengrad", "de/ort.htm"},
                               {"Zirkulation", "de/anlage.htm"}}));
}

// The help file names of the language switch stand for the HTML help of their language; a
// language without pages falls back to German.
TEST_F(HilfeDienstTest, HelpFileNamesTheHelpLanguage) {
  const struct {
    const char* datei;
    const char* sprache;
  } faelle[] = {
      {"/p/Tavrel.chm", "de"},    {"Tavrel_en.chm", "en"},   {"/p/Tavrel_en.hlp", "en"},
      {"/p/Tavrel_fr.chm", "de"}, {"", "de"},                {"/p/Anders_en.chm", "de"},
      {"C:\\p\\tavrel_EN.CHM", "en"},
  };
  for (const auto& f : faelle) EXPECT_EQ(h.SpracheDerDatei(f.datei), f.sprache) << f.datei;

  const auto vorhanden = [this](const std::string& f) { return h.DateiVorhanden(f); };
  EXPECT_EQ(HelpFileFor("/p/", "english", "en", vorhanden), "/p/Tavrel_en.chm");
  EXPECT_EQ(HelpFileFor("/p/", "francais", "fr", vorhanden), "/p/Tavrel.chm");
  EXPECT_EQ(HelpFileFor("/p/", "deutsch", "de", vorhanden), "/p/Tavrel.chm");
  HilfeDienst leer;
  EXPECT_EQ(HelpFileFor("/p/", "english", "en", [&](const std::string& f) { return leer.DateiVorhanden(f); }), "");
  EXPECT_EQ(leer.SpracheDerDatei(""), "de");
}

// The start knows only which languages have pages; the help file it chooses from them is
// the one the read pages give.
TEST_F(HilfeDienstTest, LanguagesKnownBeforeThePagesGiveTheSameHelpFile) {
  HilfeDienst nurSprachen;
  for (const std::string& sp : h.Sprachen()) nurSprachen.MerkeSprache(sp);
  for (const char* datei : {"/p/Tavrel.chm", "Tavrel_en.chm", "/p/Tavrel_fr.chm", "", "C:\\p\\tavrel_EN.CHM"}) {
    EXPECT_EQ(nurSprachen.SpracheDerDatei(datei), h.SpracheDerDatei(datei)) << datei;
    EXPECT_EQ(nurSprachen.DateiVorhanden(datei), h.DateiVorhanden(datei)) << datei;
  }
  EXPECT_TRUE(nurSprachen.Seiten("en").empty());  // no page read yet
  nurSprachen.Leeren();
  EXPECT_FALSE(nurSprachen.DateiVorhanden("/p/Tavrel.chm"));
}

}  // namespace
}  // namespace tav
