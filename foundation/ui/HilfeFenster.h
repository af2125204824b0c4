#pragma once
// The help window: the HTML pages compiled into the program (":/help/<language>/*.htm") in a
// text browser with a contents list, a keyword index and back/forward. One window serves the
// whole program and is reused. F1 anywhere opens the page of the window in front: the first
// widget from the focus up to its window (the page in front standing for its page control
// and for the window's own buttons) that carries a help context ("HelpContext", a number the
// context files map) or a keyword ("HelpKeyword"), or that the context files name as
// "<window>.<widget>", else the topic the context files give for the window's object name,
// else the contents.

#include <QWidget>
#include <string>
#include <vector>

class QKeyEvent;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;

namespace tav {

// Widget properties the F1 key reads.
inline constexpr char kHelpContext[] = "HelpContext";
inline constexpr char kHelpKeyword[] = "HelpKeyword";
// On a window that opens its help itself (its own F1 handler and hooks): F1 is left to it.
inline constexpr char kHelpByHook[] = "HelpByHook";

class THilfeFenster : public QWidget {
  Q_OBJECT
 public:
  explicit THilfeFenster(QWidget* parent = nullptr);

  // Shows a page "<language>/<page>[#anchor]" as the help service resolves it.
  void Zeige(const std::string& seite);
  // Shows the index with `wort` in its search field and the first matching entry.
  void ZeigeIndex(const std::string& wort);
  // The page shown, as "<language>/<page>[#anchor]".
  std::string AktuelleSeite() const;

  QToolButton *ButtonInhalt, *ButtonZurueck, *ButtonVor;
  QTabWidget* PageControl1;
  QListWidget *ListeInhalt, *ListeIndex;
  QLineEdit* EditIndex;
  QTextBrowser* Browser;

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Sprache(const std::string& sprache);
  void IndexFiltern();
  void Knoepfe();

  std::string sprache_;
};

// Loads the compiled-in pages and context files into Hilfe() (once; later calls do nothing)
// and sets the help file of the language in use. Returns the messages of unusable context
// lines.
const std::vector<std::string>& LadeHilfe();
// Only which languages have pages, enough for the help file of the language in use; the
// pages are read when the help is first used.
void LadeHilfeSprachen();

// Opens the help window (brought to the front, usable beside a modal dialog) on the page of
// a context number, of a keyword, on the contents, or on the index at a keyword.
void ZeigeHilfeKontext(int kontext);
void ZeigeHilfeStichwort(const std::string& stichwort);
void ZeigeHilfeInhalt();
void ZeigeHilfeIndex(const std::string& stichwort);
// The page F1 opens for a widget (see above), as "<language>/<page>[#anchor]".
std::string HilfeSeiteFuer(const QWidget* fokus);
// Opens the page F1 would open for a widget.
void ZeigeHilfeFuer(const QWidget* fokus);
// F1 in every window of the program; installing twice does no harm.
void InstalliereHilfeTaste();
// The help window, once it has been opened; else nullptr.
THilfeFenster* HilfeFensterOffen();
// The help language in use: that of the current help file ("de" when there is none).
std::string HilfeSprache();

}  // namespace tav
