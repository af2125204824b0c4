#include "foundation/Hilfe.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "foundation/CodePage.h"
#include "foundation/TavVar.h"

namespace tav {

namespace {

std::string Klein(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

bool EndetAuf(std::string_view s, std::string_view ende) {
  return s.size() >= ende.size() && EqualsNoCase(s.substr(s.size() - ende.size()), ende);
}

std::string_view Getrimmt(std::string_view s) {
  const auto leer = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && leer(s.front())) s.remove_prefix(1);
  while (!s.empty() && leer(s.back())) s.remove_suffix(1);
  return s;
}

// The few entities the pages use; anything else stays as written.
std::string OhneEntities(std::string_view s) {
  static const std::pair<std::string_view, std::string_view> kEntities[] = {
      {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"},
      {"&nbsp;", " "}};
  std::string r;
  for (std::size_t i = 0; i < s.size();) {
    bool ersetzt = false;
    if (s[i] == '&') {
      for (const auto& [e, z] : kEntities) {
        if (s.substr(i, e.size()) == e) {
          r += z;
          i += e.size();
          ersetzt = true;
          break;
        }
      }
    }
    if (!ersetzt) r += s[i++];
  }
  return r;
}

// The value of attribute `name` inside one tag's text (between '<' and '>'), or nothing.
bool Attribut(std::string_view tag, std::string_view name, std::string& wert) {
  const std::string klein = Klein(tag);
  std::size_t pos = 0;
  while ((pos = klein.find(name, pos)) != std::string::npos) {
    const bool anfang = pos > 0 && std::isspace(static_cast<unsigned char>(klein[pos - 1]));
    std::size_t i = pos + name.size();
    pos = i;
    if (!anfang) continue;
    while (i < klein.size() && klein[i] == ' ') ++i;
    if (i >= klein.size() || klein[i] != '=') continue;
    ++i;
    while (i < klein.size() && klein[i] == ' ') ++i;
    if (i >= klein.size()) return false;
    const char quote = tag[i];
    if (quote == '"' || quote == '\'') {
      const std::size_t ende = tag.find(quote, i + 1);
      if (ende == std::string_view::npos) return false;
      wert = OhneEntities(tag.substr(i + 1, ende - i - 1));
    } else {
      std::size_t ende = i;
      while (ende < tag.size() && !std::isspace(static_cast<unsigned char>(tag[ende])) && tag[ende] != '>') ++ende;
      wert = OhneEntities(tag.substr(i, ende - i));
    }
    return true;
  }
  return false;
}

// Page and anchor of a topic.
std::pair<std::string, std::string> Teile(std::string_view thema) {
  const std::size_t raute = thema.find('#');
  if (raute == std::string_view::npos) return {std::string(thema), {}};
  return {std::string(thema.substr(0, raute)), std::string(thema.substr(raute + 1))};
}

}  // namespace

std::string ThemaAusStichwort(std::string_view stichwort) {
  auto [seite, anker] = Teile(Getrimmt(stichwort));
  if (!EndetAuf(seite, ".htm") && !EndetAuf(seite, ".html")) seite += ".htm";
  return anker.empty() ? seite : seite + "#" + anker;
}

HilfeSeite LiesHilfeSeite(std::string_view html) {
  HilfeSeite s;
  std::size_t pos = 0;
  while ((pos = html.find('<', pos)) != std::string_view::npos) {
    const std::size_t ende = html.find('>', pos);
    if (ende == std::string_view::npos) break;
    const std::string_view tag = html.substr(pos + 1, ende - pos - 1);
    std::size_t n = 0;
    while (n < tag.size() && std::isalnum(static_cast<unsigned char>(tag[n]))) ++n;
    const std::string name = Klein(tag.substr(0, n));
    std::string wert;
    if (name == "title") {
      const std::size_t schluss = Klein(html.substr(ende)).find("</title");
      if (schluss != std::string::npos)
        s.titel = OhneEntities(Getrimmt(html.substr(ende + 1, schluss - 1)));
    } else if (name == "meta" && Attribut(tag, "name", wert) && EqualsNoCase(wert, "keywords") &&
               Attribut(tag, "content", wert)) {
      std::size_t a = 0;
      while (a <= wert.size()) {
        std::size_t b = wert.find(',', a);
        if (b == std::string::npos) b = wert.size();
        const std::string_view wort = Getrimmt(std::string_view(wert).substr(a, b - a));
        if (!wort.empty()) s.stichworte.emplace_back(wort);
        a = b + 1;
      }
    } else if (name == "a" && Attribut(tag, "href", wert)) {
      s.links.push_back(wert);
    }
    if (!name.empty() && (Attribut(tag, "id", wert) || (name == "a" && Attribut(tag, "name", wert))))
      s.anker.push_back(wert);
    pos = ende + 1;
  }
  return s;
}

void HilfeDienst::AddSeite(const std::string& sprache, const std::string& name,
                           std::string_view html) {
  seiten_[sprache][Klein(name)] = LiesHilfeSeite(html);
  sprachen_.insert(sprache);
  namen_[sprache][Klein(name)] = name;
}

std::vector<std::string> HilfeDienst::LiesKontexte(std::string_view text, const std::string& datei) {
  std::vector<std::string> fehler;
  int zeile = 0;
  std::size_t a = 0;
  while (a < text.size()) {
    std::size_t b = text.find('\n', a);
    if (b == std::string_view::npos) b = text.size();
    std::string_view z = text.substr(a, b - a);
    a = b + 1;
    ++zeile;
    // '#' starts a comment at the line's start or after a blank; inside a topic it is the anchor.
    for (std::size_t k = z.find('#'); k != std::string_view::npos; k = z.find('#', k + 1)) {
      if (k == 0 || z[k - 1] == ' ' || z[k - 1] == '\t') {
        z = z.substr(0, k);
        break;
      }
    }
    z = Getrimmt(z);
    if (z.empty()) continue;
    std::size_t luecke = z.find_first_of(" \t");
    const std::string_view schluessel = z.substr(0, luecke);
    const std::string_view thema = luecke == std::string_view::npos ? std::string_view() : Getrimmt(z.substr(luecke));
    const auto melde = [&](const char* was) {
      fehler.push_back(datei + ", Zeile " + std::to_string(zeile) + ": " + was);
    };
    if (thema.empty() || thema.find_first_of(" \t") != std::string_view::npos) {
      melde("erwartet \"<Nummer oder Fenster> <Thema>\"");
      continue;
    }
    const std::string t = ThemaAusStichwort(thema);
    if (std::isdigit(static_cast<unsigned char>(schluessel.front()))) {
      int nr = 0;
      const auto [ptr, ec] = std::from_chars(schluessel.data(), schluessel.data() + schluessel.size(), nr);
      if (ec != std::errc() || ptr != schluessel.data() + schluessel.size() || nr <= 0) {
        melde("keine gültige Kontextnummer");
        continue;
      }
      if (!kontexte_.emplace(nr, t).second && kontexte_[nr] != t) melde("Kontextnummer doppelt");
    } else {
      const std::string name(schluessel);
      if (!fenster_.emplace(name, t).second && fenster_[name] != t) melde("Fenster doppelt");
    }
  }
  return fehler;
}

void HilfeDienst::Leeren() {
  seiten_.clear();
  sprachen_.clear();
  namen_.clear();
  kontexte_.clear();
  fenster_.clear();
}

std::string HilfeDienst::HatSprache(const std::string& sprache) const {
  return sprachen_.count(sprache) ? sprache : std::string(kHilfeStandardSprache);
}

std::string HilfeDienst::SpracheDerDatei(const std::string& hilfeDatei) const {
  std::string name = hilfeDatei.substr(hilfeDatei.find_last_of("/\\") + 1);
  for (std::string_view ext : {".chm", ".hlp"}) {
    if (EndetAuf(name, ext)) {
      name.resize(name.size() - ext.size());
      const std::string basis(HilfeBasis);
      if (name.size() > basis.size() + 1 && EqualsNoCase(name.substr(0, basis.size()), basis) &&
          name[basis.size()] == '_')
        return HatSprache(Klein(name.substr(basis.size() + 1)));
    }
  }
  return std::string(kHilfeStandardSprache);
}

bool HilfeDienst::DateiVorhanden(const std::string& hilfeDatei) const {
  const std::string name = hilfeDatei.substr(hilfeDatei.find_last_of("/\\") + 1);
  const std::string basis(HilfeBasis);
  if (EqualsNoCase(name, basis + ".chm")) return sprachen_.count(std::string(kHilfeStandardSprache)) > 0;
  const std::string sprache = SpracheDerDatei(hilfeDatei);
  // A file of another language only exists when that language has pages of its own.
  return sprache != kHilfeStandardSprache && sprachen_.count(sprache) > 0 &&
         EqualsNoCase(name.substr(0, basis.size() + 1), basis + "_");
}

bool HilfeDienst::SeiteVorhanden(const std::string& sprache, std::string_view seite) const {
  return Seite(sprache, seite) != nullptr;
}

const HilfeSeite* HilfeDienst::Seite(const std::string& sprache, std::string_view seite) const {
  const auto s = seiten_.find(sprache);
  if (s == seiten_.end()) return nullptr;
  const auto p = s->second.find(Klein(Teile(seite).first));
  return p == s->second.end() ? nullptr : &p->second;
}

std::string HilfeDienst::Aufloesen(const std::string& thema, const std::string& sprache) const {
  const std::string sp = HatSprache(sprache);
  const auto [seite, anker] = Teile(thema);
  const auto s = namen_.find(sp);
  if (s != namen_.end()) {
    const auto p = s->second.find(Klein(seite));
    if (p != s->second.end()) return sp + "/" + p->second + (anker.empty() ? "" : "#" + anker);
  }
  return Inhalt(sp);
}

std::string HilfeDienst::Kontext(int nummer, const std::string& sprache) const {
  const auto k = kontexte_.find(nummer);
  return k == kontexte_.end() ? Inhalt(sprache) : Aufloesen(k->second, sprache);
}

std::string HilfeDienst::Stichwort(std::string_view stichwort, const std::string& sprache) const {
  return Aufloesen(ThemaAusStichwort(stichwort), sprache);
}

std::string HilfeDienst::Fenster(const std::string& name, const std::string& sprache) const {
  const auto f = fenster_.find(name);
  return f == fenster_.end() ? Inhalt(sprache) : Aufloesen(f->second, sprache);
}

std::string HilfeDienst::Inhalt(const std::string& sprache) const {
  return HatSprache(sprache) + "/" + std::string(kHilfeInhalt);
}

std::vector<std::pair<std::string, std::string>> HilfeDienst::Index(const std::string& sprache) const {
  std::vector<std::pair<std::string, std::string>> index;
  const std::string sp = HatSprache(sprache);
  const auto s = seiten_.find(sp);
  if (s == seiten_.end()) return index;
  for (const auto& [name, seite] : s->second)
    for (const std::string& wort : seite.stichworte) index.emplace_back(wort, sp + "/" + namen_.at(sp).at(name));
  std::stable_sort(index.begin(), index.end(), [](const auto& a, const auto& b) {
    return Klein(a.first) < Klein(b.first);
  });
  return index;
}

std::vector<std::pair<std::string, std::string>> HilfeDienst::Inhaltsverzeichnis(
    const std::string& sprache) const {
  std::vector<std::pair<std::string, std::string>> inhalt;
  const std::string sp = HatSprache(sprache);
  const HilfeSeite* start = Seite(sp, kHilfeInhalt);
  if (!start) return inhalt;
  inhalt.emplace_back(sp + "/" + namen_.at(sp).at(std::string(kHilfeInhalt)), start->titel);
  for (const std::string& link : start->links) {
    const std::string seite = Teile(link).first;
    const HilfeSeite* p = Seite(sp, seite);
    if (!p || seite.find(':') != std::string::npos) continue;
    const bool schonDa = std::any_of(inhalt.begin(), inhalt.end(), [&](const auto& e) {
      return EqualsNoCase(e.first, sp + "/" + seite);
    });
    if (!schonDa) inhalt.emplace_back(sp + "/" + namen_.at(sp).at(Klein(seite)), p->titel);
  }
  return inhalt;
}

std::vector<std::string> HilfeDienst::Sprachen() const {
  std::vector<std::string> r;
  for (const auto& [sprache, seiten] : seiten_) r.push_back(sprache);
  return r;
}

std::vector<std::string> HilfeDienst::Seiten(const std::string& sprache) const {
  std::vector<std::string> r;
  if (const auto s = namen_.find(sprache); s != namen_.end())
    for (const auto& [klein, name] : s->second) r.push_back(name);
  return r;
}

HilfeDienst& Hilfe() {
  static HilfeDienst dienst;
  return dienst;
}

}  // namespace tav
