#pragma once
// The program's help: HTML pages per language ("de/anlage.htm"), context numbers and window
// names mapped to topics by the context files, keywords taken as topics, the help language
// from the help file name, and what each page says of itself (title, index words, links).
// The pages themselves are loaded by the help window (foundation/ui/HilfeFenster.h).

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tav {

// The contents page of every language.
inline constexpr std::string_view kHilfeInhalt = "index.htm";
// The language whose help every other language falls back to.
inline constexpr std::string_view kHilfeStandardSprache = "de";

// A keyword as a topic: ".htm" is appended unless the page part (before a '#' anchor) already
// ends in ".htm" or ".html" (any case). "Einstellungen" → "Einstellungen.htm",
// "anlage#pool" → "anlage.htm#pool".
std::string ThemaAusStichwort(std::string_view stichwort);

// What one page says of itself: its <title>, the words of <meta name="keywords"> (comma
// separated), the targets of its <a href> links in order and its anchors (id and name).
struct HilfeSeite {
  std::string titel;
  std::vector<std::string> stichworte;
  std::vector<std::string> links;
  std::vector<std::string> anker;
};
HilfeSeite LiesHilfeSeite(std::string_view html);

class HilfeDienst {
 public:
  // A page of a language, by its file name ("anlage.htm") and its HTML text.
  void AddSeite(const std::string& sprache, const std::string& name, std::string_view html);
  // A language that has pages, known before its pages are read (the help-file choice needs
  // no more).
  void MerkeSprache(const std::string& sprache) { sprachen_.insert(sprache); }
  // One context file: lines "<number> <topic>" or "<window name> <topic>", '#' starts a
  // comment. Returns a message for every line it cannot use (file name and line number);
  // such lines change nothing. A number or name mapped twice keeps its first topic.
  std::vector<std::string> LiesKontexte(std::string_view text, const std::string& datei);
  void Leeren();

  // The help language of a help file name ("…/Tavrel.chm" German, "Tavrel_en.chm" English,
  // ".hlp" alike); a name of another form, or a language without pages, gives German.
  std::string SpracheDerDatei(const std::string& hilfeDatei) const;
  // Whether a help file name has pages (the existence test of the help-file choice).
  bool DateiVorhanden(const std::string& hilfeDatei) const;

  // A topic resolved to "<language>/<page>[#anchor]": the page of a context number, of a
  // keyword, of a window name; an unknown number or name, or a missing page, gives the
  // contents page of the language.
  std::string Kontext(int nummer, const std::string& sprache) const;
  std::string Stichwort(std::string_view stichwort, const std::string& sprache) const;
  std::string Fenster(const std::string& name, const std::string& sprache) const;
  std::string Inhalt(const std::string& sprache) const;

  // The keyword index of a language: (word, page) sorted by word without regard to case.
  std::vector<std::pair<std::string, std::string>> Index(const std::string& sprache) const;
  // The contents of a language: the contents page, then the pages it links in its order,
  // with their titles (page, title).
  std::vector<std::pair<std::string, std::string>> Inhaltsverzeichnis(
      const std::string& sprache) const;

  bool SeiteVorhanden(const std::string& sprache, std::string_view seite) const;
  const HilfeSeite* Seite(const std::string& sprache, std::string_view seite) const;
  std::vector<std::string> Sprachen() const;
  std::vector<std::string> Seiten(const std::string& sprache) const;
  // Every mapped topic: context numbers and window names.
  const std::map<int, std::string>& Kontexte() const { return kontexte_; }
  const std::map<std::string, std::string>& FensterThemen() const { return fenster_; }

 private:
  // Topic ("page#anchor") to "<language>/<page as stored>#anchor", or the contents page.
  std::string Aufloesen(const std::string& thema, const std::string& sprache) const;
  std::string HatSprache(const std::string& sprache) const;

  std::map<std::string, std::map<std::string, HilfeSeite>> seiten_;  // language → lower-case page
  std::set<std::string> sprachen_;                                   // languages with pages
  std::map<std::string, std::map<std::string, std::string>> namen_;  // language → lower → stored
  std::map<int, std::string> kontexte_;
  std::map<std::string, std::string> fenster_;
};

// The program's help, filled once by the help window's loader.
HilfeDienst& Hilfe();

}  // namespace tav
