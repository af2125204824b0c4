// Catalogues read only in part (a file over the size bound, more sections than the list takes,
// entries that could not be read) are never rewritten from that part without the user's word;
// two programs that write the same text are no conflict; a collector without a usable
// efficiency curve is left out with a message naming it, one with other figures it cannot use
// is kept with defaults and named.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "catalogues/Energie.h"
#include "catalogues/Kollektoren.h"
#include "catalogues/Profile.h"
#include "catalogues/Sortierer.h"
#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/KatalogDiensteDatei.h"
#include "test_orte_hilfen.h"

namespace tav::test {
namespace {

namespace fs = std::filesystem;

TEnergie Energie(const std::string& name) {
  TEnergie e;
  e.EnergieName = name;
  e.Einheit = "kWh";
  e.kWhinEinheit = 1.0f;
  e.CO2inEinheit = 0.5f;
  return e;
}

TProfil Profil(const std::string& name) {
  TProfil p;
  p.Name = name;
  for (int h = 1; h <= 12; ++h) p.Vormittag[h] = p.Nachmittag[h] = 4;
  p.Nachmittag[12] = 8;  // 100 % in all
  return p;
}

// One kind of catalogue: its file, how n sound entries and one the reader cannot take are
// written, how it is read, the list's text, and the writes the windows make.
struct Art {
  const char* name;
  const char* datei;
  int hoechstens;
  std::function<std::string(int)> eintraege;  // n sound sections (UTF-8)
  std::string unlesbar;                       // a section the list does not hold as written
  std::function<void(OrteFixture&)> lies;
  std::function<std::string(const TavState&)> listenText;
  std::vector<std::pair<const char*, std::function<bool(OrteFixture&)>>> schreiben;
};

std::vector<Art> Arten() {
  std::vector<Art> arten;
  arten.push_back(Art{
      "collectors", "Koll.dat", kMaxKollektoren,
      [](int n) {
        std::string t;
        for (int i = 1; i <= n; ++i) AppendKollektorSection(t, i, BeispielKollektor("K " + std::to_string(i)));
        return t;
      },
      "[Kollektor 9999]\r\nName=Unmöglich\r\nEta0=5\r\nk1=3,5\r\nk2=0,01\r\n\r\n",
      [](OrteFixture& f) {
        f.s().plant.Kollektor = "*init*";
        ReadKollektoren(f.s(), f.status);
      },
      [](const TavState& s) { return KollektorenText(s.cat); },
      {{"sort",
        [](OrteFixture& f) { return SortKollektoren(f.s(), 0, f.status); }},
       {"edit",
        [](OrteFixture& f) {
          f.s().cat.Kollektoren[1].Name = "Geändert";
          return WriteKollektoren(f.s(), f.status);
        }}}});
  arten.push_back(Art{
      "energy carriers", "Energie.dat", kMaxEnergietraeger,
      [](int n) {
        std::string t;
        for (int i = 1; i <= n; ++i) AppendEnergieSection(t, i, Energie("E " + std::to_string(i)));
        return t;
      },
      "[Energieform 99]\r\nEnergieName=Leer\r\nEinheit=kWh\r\nkWhinEinheit=0\r\n\r\n",
      [](OrteFixture& f) {
        f.s().plant.konvEnergie = "*init*";
        ReadEnergie(f.s(), "", f.status);
      },
      [](const TavState& s) { return EnergieKatalogText(s.cat); },
      {{"edit", [](OrteFixture& f) {
          f.s().cat.Energietraeger[1].EnergieName = "Geändert";
          return WriteEnergie(f.s(), f.status);
        }}}});
  arten.push_back(Art{
      "load profiles", "Profil.dat", kMaxProfile,
      [](int n) {
        std::string t;
        for (int i = 1; i <= n; ++i) AppendProfilSection(t, i, Profil("P " + std::to_string(100 + i)));
        return t;
      },
      "[Profil 99]\r\nName=Kurz\r\nVormittag=1 2 3\r\nNachmittag=1 2 3\r\n\r\n",
      [](OrteFixture& f) {
        f.s().plant.Zapfprofil = "*init*";
        ReadProfile(f.s(), f.status);
      },
      [](const TavState& s) { return ProfileText(s.cat); },
      // The profile editor sorts by name and rewrites at once.
      {{"edit", [](OrteFixture& f) {
          f.s().cat.Profile[1].Name = "Geändert";
          SortProfile(f.s().cat);
          return WriteProfile(f.s(), f.status);
        }}}});
  arten.push_back(Art{
      "locations", "Orte.dat", kMaxOrte, [](int n) { return KatalogText(n); },
      "[Ort 9999]\r\nName=Kaputt\r\nGeoBreite=abc\r\nEinstrahlung=1 1 1 1 1 1 1 1 1 1 1 1\r\n"
      "LuftTemp=1 1 1 1 1 1 1 1 1 1 1 1\r\n\r\n",
      [](OrteFixture& f) {
        f.s().plant.Standort = "Stadt 1";
        ReadOrte(f.s(), f.env);
      },
      [](const TavState& s) { return OrteText(s); },
      {{"sort",
        [](OrteFixture& f) { return SortOrte(f.s(), 3, "D", f.env); }},
       {"edit", [](OrteFixture& f) {
          f.s().cat.Orte[1].Name = "Geändert";
          return WriteOrte(f.s(), f.status);
        }}}});
  return arten;
}

// The three ways a file is read in part, each with what the question names.
struct Weise {
  const char* name;
  const char* frage;  // part of the question's text
};
constexpr Weise kWeisen[] = {
    {"over the size bound", "nicht gelesen werden konnte"},
    {"too many sections", "Einträge über der Höchstzahl"},
    {"an entry not read", ""},  // the kind's own words, checked below
};

// What tells a file's bytes: the bytes themselves, and for the sparse over-size file its
// first bytes, its size, its inode (a rewrite renames a new file over it) and its last change.
std::string Abdruck(const fs::path& datei) {
  struct stat st {};
  ::stat(datei.c_str(), &st);
  std::ifstream in(datei, std::ios::binary);
  std::string b(std::min<std::size_t>(static_cast<std::size_t>(st.st_size), 1u << 20), '\0');
  in.read(b.data(), static_cast<std::streamsize>(b.size()));
  if (static_cast<std::size_t>(st.st_size) <= b.size()) return b;
  return b + "|" + std::to_string(st.st_size) + "|" + std::to_string(st.st_ino) + "|" +
         std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
}

// Writes the kind's file read in part in the given way; returns its bytes.
std::string Schreibe(const Art& a, const Weise& w, OrteFixture& f) {
  const std::string weise = w.name;
  std::string inhalt = EncodeCodePage(a.eintraege(3), CodePage::Cp1252);
  if (weise == "too many sections")
    inhalt = EncodeCodePage(a.eintraege(a.hoechstens + 3), CodePage::Cp1252);
  else if (weise == "an entry not read")
    inhalt += EncodeCodePage(a.unlesbar, CodePage::Cp1252);
  f.dir.Write(a.datei, inhalt);
  // Made sparse one byte over the bound: the reader refuses it and uses the built-in rows.
  if (weise == "over the size bound") fs::resize_file(f.dir / a.datei, kMaxKatalogBytes + 1);
  return Abdruck(f.dir / a.datei);
}

TEST(KatalogTeilweiseGelesen, RewriteAsksAndNoLeavesTheFileAsItWas) {
  for (const Art& a : Arten()) {
    for (const Weise& w : kWeisen) {
      for (const auto& [wie, schreibe] : a.schreiben) {
        for (const int antwort : {mrNo, mrYes}) {
          SCOPED_TRACE(std::string(a.name) + ", " + w.name + ", " + wie +
                       (antwort == mrYes ? ", yes" : ", no"));
          OrteFixture f;
          const std::string vorher = Schreibe(a, w, f);
          a.lies(f);
          f.msgs->shown.clear();
          f.msgs->answers.assign({antwort});
          const bool geschrieben = schreibe(f);
          ASSERT_FALSE(f.msgs->shown.empty()) << "no question";
          const std::string& frage = f.msgs->shown.front().text;
          EXPECT_NE(frage.find((f.dir / a.datei).string()), std::string::npos) << frage;
          EXPECT_NE(frage.find(w.frage), std::string::npos) << frage;
          EXPECT_NE(frage.find("Datei trotzdem überschreiben?"), std::string::npos) << frage;
          if (std::string(w.name) == "an entry not read") {
            const bool ersetzt = std::string(a.name) == "locations";
            EXPECT_NE(frage.find(ersetzt ? "Ersatzwerte" : "wegen fehlerhafter Angaben nicht übernommen: 1 Eintrag"),
                      std::string::npos)
                << frage;
            EXPECT_NE(frage.find("99]"), std::string::npos) << "the section is named: " << frage;
          }
          EXPECT_EQ(geschrieben, antwort == mrYes) << f.msgs->All();
          const std::string nachher = Abdruck(f.dir / a.datei);
          if (antwort == mrNo) {
            EXPECT_TRUE(nachher == vorher) << "the file changed";
            continue;
          }
          // What the user agreed to: the list as it is now, and nothing asked a second time.
          const std::string liste = a.listenText(f.s());
          EXPECT_EQ(nachher, EncodeCodePage(liste, CodePage::Cp1252));
          if (std::string(wie) == "edit") {
            EXPECT_NE(liste.find("Geändert"), std::string::npos);
          }
          f.msgs->shown.clear();
          EXPECT_TRUE(schreibe(f)) << f.msgs->All();
          EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
        }
      }
    }
  }
}

// "Yes" agrees to replace the file as it was read, not what another program writes while the
// question is open: that is kept, said, and the list is read again, so that the next change
// is written onto it without a question.
TEST(KatalogTeilweiseGelesen, YesNeverReplacesAChangeMadeWhileTheQuestionWasOpen) {
  for (const Art& a : Arten()) {
    for (const Weise& w : kWeisen) {
      for (const auto& [wie, schreibe] : a.schreiben) {
        SCOPED_TRACE(std::string(a.name) + ", " + w.name + ", " + wie);
        OrteFixture f;
        Schreibe(a, w, f);
        a.lies(f);
        f.msgs->shown.clear();
        const std::string fremd = EncodeCodePage(a.eintraege(2), CodePage::Cp1252);
        f.msgs->whileAsking = [&] { f.dir.Write(a.datei, fremd); };
        f.msgs->answers.assign({mrYes});
        EXPECT_FALSE(schreibe(f)) << f.msgs->All();
        EXPECT_EQ(f.dir.Read(a.datei), fremd);
        EXPECT_TRUE(f.msgs->Contains("von einem anderen Programm geändert")) << f.msgs->All();
        a.lies(f);
        EXPECT_EQ(a.listenText(f.s()), a.eintraege(2));
        f.msgs->shown.clear();
        EXPECT_TRUE(schreibe(f)) << f.msgs->All();
        EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
      }
    }
  }
}

// An import that takes nothing (the list full, every entry there already, every entry
// unusable) writes nothing and asks nothing, also into a catalogue read in part, where a
// rewrite would ask whether to give up what the list did not take in; the message says how
// many entries were read and why none was taken.
TEST(ImportOhneNeues, WritesNothingAsksNothingAndSaysWhy) {
  struct Katalog {
    const char* name;
    std::function<std::string(int)> neu;  // a sound entry of a new name
    std::function<int(OrteFixture&, const std::string&)> importiere;
  };
  const Katalog kataloge[] = {
      {"collectors",
       [](int n) {
         std::string t;
         AppendKollektorSection(t, n, BeispielKollektor("Neu"));
         return t;
       },
       [](OrteFixture& f, const std::string& d) { return ImportKollektoren(f.s(), d, f.status); }},
      {"locations",
       [](int n) {
         std::string t;
         AppendOrtSection(t, n, BeispielOrt("Neu"));
         return t;
       },
       [](OrteFixture& f, const std::string& d) { return ImportOrte(f.s(), d, f.status); }},
  };
  struct Fall {
    const char* name;
    int uebrig;  // entries beyond the list's limit in the catalogue: 0 = one it cannot read
    int gelesen;
    std::string grund;
  };
  for (const Katalog& k : kataloge) {
    const auto arten = Arten();
    const Art& a = *std::find_if(arten.begin(), arten.end(),
                                 [&](const Art& x) { return std::string(x.name) == k.name; });
    const Fall faelle[] = {
        {"list full", 5, 1, "- 1 Eintrag nicht übernommen: Zuviele Einträge in "},
        {"all present", 0, 3, "- 3 Einträge schon in der Liste (gleicher Name)"},
        {"all invalid", 0, 2, "- 2 Einträge wegen fehlerhafter Angaben nicht übernommen"},
    };
    for (const Fall& c : faelle) {
      SCOPED_TRACE(std::string(k.name) + ", " + c.name);
      OrteFixture f;
      const std::string katalog =
          c.uebrig > 0 ? EncodeCodePage(a.eintraege(a.hoechstens + c.uebrig), CodePage::Cp1252)
                       : EncodeCodePage(a.eintraege(3) + a.unlesbar, CodePage::Cp1252);
      f.dir.Write(a.datei, katalog);
      a.lies(f);
      const std::string liste = a.listenText(f.s());
      std::string quelle = std::string(c.name) == "list full"     ? k.neu(1)
                           : std::string(c.name) == "all present" ? a.eintraege(3)
                                                                  : a.unlesbar + a.unlesbar;
      TempDir quellen;
      quellen.Write("quelle.dat", EncodeCodePage(quelle, CodePage::Cp1252));
      f.msgs->shown.clear();
      EXPECT_EQ(k.importiere(f, (quellen / "quelle.dat").string()), 0);
      EXPECT_EQ(f.dir.Read(a.datei), katalog);
      EXPECT_EQ(a.listenText(f.s()), liste);
      for (const ShownMessage& m : f.msgs->shown)
        EXPECT_FALSE(m.buttons.Has(mbYes)) << "asked: " << m.text;
      ASSERT_FALSE(f.msgs->shown.empty());
      const std::string& bilanz = f.msgs->shown.back().text;
      const std::string pfad = (f.dir / a.datei).string();
      EXPECT_NE(bilanz.find("Daten von " + std::to_string(c.gelesen) + " "), std::string::npos)
          << bilanz;
      EXPECT_NE(bilanz.find(" gelesen, 0 übernommen.\n" + c.grund), std::string::npos) << bilanz;
      EXPECT_NE(bilanz.find(pfad + " bleibt unverändert."), std::string::npos) << bilanz;
      if (std::string(c.name) == "list full") {
        // The catalogue that is full and its limit, not the file imported.
        EXPECT_NE(bilanz.find(pfad + " (höchstens " + std::to_string(a.hoechstens) + " Einträge)"),
                  std::string::npos)
            << bilanz;
      }
    }
  }
}

// A catalogue read whole is rewritten without a question.
TEST(KatalogTeilweiseGelesen, WholeFileIsRewrittenWithoutAQuestion) {
  for (const Art& a : Arten()) {
    SCOPED_TRACE(a.name);
    OrteFixture f;
    f.dir.Write(a.datei, EncodeCodePage(a.eintraege(a.hoechstens), CodePage::Cp1252));
    a.lies(f);
    f.msgs->shown.clear();
    for (const auto& [wie, schreibe] : a.schreiben) EXPECT_TRUE(schreibe(f)) << wie;
    EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
  }
}

// Two first starts on one empty folder write the same built-in catalogue: the second finds the
// first one's file, which holds exactly its own text, and says nothing.
TEST(KatalogZweiProgramme, IdenticalContentIsNoConflict) {
  OrteFixture f;
  auto zweiter = std::make_unique<TavState>();
  zweiter->folders.DatenDir = f.s().folders.DatenDir;
  // The second program found every catalogue missing before the first one wrote it.
  for (const char* datei : {"Koll.dat", "Energie.dat", "Profil.dat", "Orte.dat"})
    zweiter->cat.DateiStaende[(f.dir / datei).string()].Stand = katalog::DateiStand({});
  EXPECT_TRUE(InitKollektoren(f.s(), f.status));
  EXPECT_TRUE(DefaultEnergie(f.s(), f.status));
  EXPECT_TRUE(InitProfile(f.s(), f.status));
  EXPECT_TRUE(InitOrte(f.s(), f.status));
  EXPECT_TRUE(InitKollektoren(*zweiter, f.status));
  EXPECT_TRUE(DefaultEnergie(*zweiter, f.status));
  EXPECT_TRUE(InitProfile(*zweiter, f.status));
  EXPECT_TRUE(InitOrte(*zweiter, f.status));
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
  // Both know the file as it is: the next change of either is written.
  zweiter->cat.Kollektoren[1].Name = "Zweiter";
  EXPECT_TRUE(WriteKollektoren(*zweiter, f.status)) << f.msgs->All();
  // A different text is still another program's change, and the first program's list is
  // read again, so that its next change is written onto the second one's.
  f.s().cat.Kollektoren[2].Name = "Erster";
  EXPECT_FALSE(WriteKollektoren(f.s(), f.status));
  EXPECT_TRUE(f.msgs->Contains("von einem anderen Programm geändert")) << f.msgs->All();
  f.s().plant.Kollektor = "*init*";
  f.s().cat.KollektorenGeladen = true;
  ReadKollektoren(f.s(), f.status);
  EXPECT_EQ(f.s().cat.Kollektoren[1].Name, "Zweiter");
  f.s().cat.Kollektoren[2].Name = "Erster";
  EXPECT_TRUE(WriteKollektoren(f.s(), f.status)) << f.msgs->All();
  EXPECT_NE(f.dir.Read("Koll.dat").find("Name=Zweiter"), std::string::npos);
}

// What a collector section's figures make of it, in the catalogue and in an import. Without
// an efficiency curve the engine can run (no optical efficiency above 0 as the file holds it,
// a loss factor unreadable or outside its range) the entry is left out and named: the project
// using it gets another collector with the warning, and the file counts as read in part. Any
// other figure that cannot be used takes the value of a missing key; the entry is kept, named,
// and the file counts as read in part too. A module area of 0 is a collector like any other.
TEST(KollektorKennwerte, EntryIsKeptKeptWithDefaultsOrLeftOut) {
  enum Folge { Behalten, Ersetzt, Ausgelassen };
  const struct {
    const char* zeilen;
    Folge folge;
    const char* befund;
    float TKollektor::*feld;  // the figure in question as the list holds it
    float wert;
  } faelle[] = {
      {"Eta0=0,8\r\nk1=3,5\r\nModulFlaeche=0\r\n", Behalten, "", &TKollektor::ModulFlaeche, 0.0f},
      // Loss factors missing: 0, as older files have them.
      {"Eta0=0,8\r\n", Behalten, "", &TKollektor::K1, 0.0f},
      {"Eta0=0,8\r\nk1=3,5\r\nModulFlaeche=-2\r\n", Ersetzt,
       "ModulFlaeche = -2 liegt nicht zwischen 0 und 1000 (es gilt 1)", &TKollektor::ModulFlaeche, 1.0f},
      {"Eta0=0,8\r\nk1=3,5\r\nIAM50=hoch\r\n", Ersetzt, "IAM50 = hoch ist keine Zahl (es gilt 0,9)",
       &TKollektor::IAM50, 0.9f},
      {"Eta0=0,8\r\nk1=3,5\r\nqmVolumen=500\r\nWkapC=-3\r\n", Ersetzt,
       "WkapC = -3 liegt nicht zwischen 0 und 1000000 (es gilt 0), qmVolumen = 500 liegt nicht zwischen 0 "
       "und 100 (es gilt 1)",
       &TKollektor::qmVolumen, 1.0f},
      {"Eta0=0,8\r\nk1=3,5\r\nVRK=ja\r\n", Ersetzt, "VRK = ja ist keine Zahl (es gilt 0)", &TKollektor::Eta0, 0.8f},
      {"Eta0=5\r\nk1=3,5\r\n", Ausgelassen, "Eta0 = 5 liegt nicht zwischen 0 und 1,5", nullptr, 0.0f},
      {"Eta0=-1\r\nk1=3,5\r\n", Ausgelassen, "Eta0 = -1 liegt nicht zwischen 0 und 1,5", nullptr, 0.0f},
      {"Eta0=0\r\nk1=3,5\r\n", Ausgelassen, "Eta0 = 0 ist nicht größer als 0", nullptr, 0.0f},
      // The file would hold 0,000.
      {"Eta0=0,0004\r\nk1=3,5\r\n", Ausgelassen, "Eta0 = 0,0004 ist nicht größer als 0", nullptr, 0.0f},
      {"k1=3,5\r\n", Ausgelassen, "Eta0 fehlt", nullptr, 0.0f},
      {"Eta0=0,7x\r\nk1=3,5\r\n", Ausgelassen, "Eta0 = 0,7x ist keine Zahl", nullptr, 0.0f},
      {"Eta0=0,8\r\nk1=-10\r\n", Ausgelassen, "K1 = -10 liegt nicht zwischen 0 und 200", nullptr, 0.0f},
      {"Eta0=0,8\r\nk1=3,5\r\nk2=-0,5\r\n", Ausgelassen, "K2 = -0,5 liegt nicht zwischen -0,1 und 10", nullptr,
       0.0f},
      {"Eta0=0,8\r\nk1=3,5\r\nk2=viel\r\nModulFlaeche=x\r\n", Ausgelassen,
       "K2 = viel ist keine Zahl, ModulFlaeche = x ist keine Zahl", nullptr, 0.0f},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.zeilen);
    OrteFixture f;
    std::string t;
    AppendKollektorSection(t, 1, BeispielKollektor("Gut"));
    t += "[Kollektor 2]\r\nName=Schlecht\r\n" + std::string(c.zeilen) + "\r\n";
    AppendKollektorSection(t, 3, BeispielKollektor("Auch gut"));
    f.dir.Write("Koll.dat", EncodeCodePage(t, CodePage::Cp1252));
    f.s().plant.Kollektor = "Schlecht";
    ReadKollektoren(f.s(), f.status);
    const CatalogueState& cat = f.s().cat;
    const std::string schluss = c.folge == Ausgelassen ? "; der Eintrag wird nicht übernommen"
                                                       : "; der Eintrag wird mit diesen Ersatzwerten übernommen";
    if (c.folge == Behalten) {
      EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
    } else {
      EXPECT_TRUE(f.msgs->Contains("[Kollektor 2] \"Schlecht\": " + std::string(c.befund) + schluss)) << f.msgs->All();
      EXPECT_TRUE(f.msgs->Contains(f.dir.path().string())) << f.msgs->All();
    }
    if (c.folge == Ausgelassen) {
      ASSERT_EQ(cat.KollektorAnzahl, 2) << f.msgs->All();
      EXPECT_EQ(cat.Kollektoren[2].Name, "Auch gut");
      // The project's collector is no longer in the list: another one is chosen, with the
      // warning, and none runs with an efficiency of 0.
      EXPECT_GT(f.s().plant.KollEta0, 0.0f);
      EXPECT_NE(f.s().plant.Kollektor, "Schlecht");
    } else {
      ASSERT_EQ(cat.KollektorAnzahl, 3) << f.msgs->All();
      EXPECT_EQ(f.s().plant.KollektorNr, 2);
      EXPECT_EQ(f.s().plant.Kollektor, "Schlecht");
      EXPECT_FLOAT_EQ(cat.Kollektoren[2].*c.feld, c.wert);
    }
    // An entry left out or kept with defaults is not lost by the next rewrite unasked; a
    // sound file is rewritten without a question.
    f.msgs->shown.clear();
    f.msgs->answers.assign({mrNo});
    if (c.folge == Behalten) {
      EXPECT_TRUE(WriteKollektoren(f.s(), f.status)) << f.msgs->All();
      EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
      f.s().cat.KollektorenGeladen = false;
      ReadKollektoren(f.s(), f.status);
      EXPECT_EQ(f.s().cat.KollektorAnzahl, 3);
      EXPECT_FLOAT_EQ(f.s().cat.Kollektoren[2].*c.feld, c.wert);
    } else {
      EXPECT_FALSE(WriteKollektoren(f.s(), f.status));
      EXPECT_EQ(f.dir.Read("Koll.dat"), EncodeCodePage(t, CodePage::Cp1252));
    }

    // The same section in an import: taken or not by the same rule.
    OrteFixture imp;
    imp.s().plant.Kollektor = "*init*";
    ReadKollektoren(imp.s(), imp.status);
    imp.dir.Write("fremd.dat", "[Kollektor 1]\r\nName=Fremd\r\n" + std::string(c.zeilen));
    EXPECT_EQ(ImportKollektoren(imp.s(), (imp.dir / "fremd.dat").string(), imp.status), c.folge == Ausgelassen ? 0 : 1);
    EXPECT_EQ(imp.s().cat.KollektorAnzahl, c.folge == Ausgelassen ? 4 : 5);
    if (c.folge != Ausgelassen) {
      EXPECT_FLOAT_EQ(imp.s().cat.Kollektoren[5].*c.feld, c.wert);
    }
    if (c.folge != Behalten) {
      EXPECT_TRUE(imp.msgs->Contains("\"Fremd\": " + std::string(c.befund) + schluss)) << imp.msgs->All();
    }
  }
}

}  // namespace
}  // namespace tav::test
