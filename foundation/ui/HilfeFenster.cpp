#include "foundation/ui/HilfeFenster.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <map>

#include "foundation/Hilfe.h"
#include "foundation/Language.h"
#include "foundation/TavVar.h"
#include "foundation/ui/SysUtilsQt.h"
#include "foundation/ui/SeitenTasten.h"

namespace tav {

namespace {

const QString kWurzel = QStringLiteral(":/help");

QString Q(const std::string& s) { return QString::fromStdString(s); }

QUrl UrlVon(const std::string& seite) {
  const std::size_t raute = seite.find('#');
  QUrl url(QStringLiteral("qrc:/help/") + Q(seite.substr(0, raute)));
  if (raute != std::string::npos) url.setFragment(Q(seite.substr(raute + 1)));
  return url;
}

std::string SeiteVon(const QUrl& url) {
  QString pfad = url.path();
  if (pfad.startsWith(QStringLiteral("/help/"))) pfad = pfad.mid(6);
  std::string s = pfad.toStdString();
  if (url.hasFragment()) s += "#" + url.fragment().toStdString();
  return s;
}

// The window's own captions, kept with the pages of each language ("fenster.ini":
// key=value lines); a key a language lacks takes the German text.
QString Beschriftung(const std::string& sprache, const QString& schluessel) {
  for (const std::string& sp : {sprache, std::string(kHilfeStandardSprache)}) {
    QFile f(kWurzel + "/" + Q(sp) + "/fenster.ini");
    if (!f.open(QIODevice::ReadOnly)) continue;
    for (const QString& zeile : QString::fromUtf8(f.readAll()).split('\n')) {
      const int gleich = zeile.indexOf('=');
      if (gleich > 0 && zeile.left(gleich).trimmed() == schluessel) return zeile.mid(gleich + 1).trimmed();
    }
  }
  return schluessel;
}

QPointer<THilfeFenster>& Fenster() {
  static QPointer<THilfeFenster> fenster;
  return fenster;
}

THilfeFenster* Oeffne() {
  LadeHilfe();
  QPointer<THilfeFenster>& f = Fenster();
  if (!f) {
    f = new THilfeFenster;
    // The first time over the main window, later where the user left it.
    CentreOverMainWindow(f);
  }
  // Beside a modal dialog the help must stay usable: it becomes that dialog's companion
  // window, which the dialog's modality does not block.
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != f) {
    f->winId();
    if (QWindow* w = f->windowHandle()) w->setTransientParent(modal->window()->windowHandle());
  }
  return f;
}

void Vorn(THilfeFenster* f) {
  f->show();
  f->raise();
  f->activateWindow();
}

class HilfeTaste : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(e)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent*>(e)->modifiers() != Qt::NoModifier)
      return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->window()->property(kHelpByHook).toBool()) return false;
    ZeigeHilfeFuer(w);
    return true;
  }
};

}  // namespace

THilfeFenster::THilfeFenster(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("FormHilfe");
  setAttribute(Qt::WA_DeleteOnClose, false);
  auto knopf = [this](const char* name, QStyle::StandardPixmap bild) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(style()->standardIcon(bild));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    return b;
  };
  ButtonInhalt = knopf("ButtonInhalt", QStyle::SP_DirHomeIcon);
  ButtonZurueck = knopf("ButtonZurueck", QStyle::SP_ArrowBack);
  ButtonVor = knopf("ButtonVor", QStyle::SP_ArrowForward);
  ButtonZurueck->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
  ButtonVor->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageKeys(this, PageControl1);
  ListeInhalt = new QListWidget;
  ListeInhalt->setObjectName("ListeInhalt");
  ListeInhalt->setWordWrap(true);
  ListeInhalt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* indexSeite = new QWidget;
  indexSeite->setObjectName("TabIndex");
  EditIndex = new QLineEdit(indexSeite);
  EditIndex->setObjectName("EditIndex");
  EditIndex->setClearButtonEnabled(true);
  ListeIndex = new QListWidget(indexSeite);
  ListeIndex->setObjectName("ListeIndex");
  auto* indexLayout = new QVBoxLayout(indexSeite);
  indexLayout->setContentsMargins(4, 4, 4, 4);
  indexLayout->addWidget(EditIndex);
  indexLayout->addWidget(ListeIndex);
  PageControl1->addTab(ListeInhalt, QString());
  PageControl1->addTab(indexSeite, QString());

  Browser = new QTextBrowser(this);
  Browser->setObjectName("Browser");
  Browser->setOpenExternalLinks(true);
  // One style for every page, so the pages stay plain HTML.
  if (QFile css(kWurzel + "/hilfe.css"); css.open(QIODevice::ReadOnly))
    Browser->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));

  auto* leiste = new QHBoxLayout;
  leiste->addWidget(ButtonInhalt);
  leiste->addWidget(ButtonZurueck);
  leiste->addWidget(ButtonVor);
  leiste->addStretch();
  auto* teiler = new QSplitter(this);
  teiler->setObjectName("Splitter");
  teiler->addWidget(PageControl1);
  teiler->addWidget(Browser);
  teiler->setStretchFactor(1, 1);
  teiler->setSizes({260, 620});
  auto* haupt = new QVBoxLayout(this);
  haupt->setContentsMargins(6, 6, 6, 6);
  haupt->addLayout(leiste);
  haupt->addWidget(teiler, 1);
  resize(880, 640);

  connect(ButtonInhalt, &QToolButton::clicked, this, [this] { Zeige(Hilfe().Inhalt(sprache_)); });
  connect(ButtonZurueck, &QToolButton::clicked, Browser, &QTextBrowser::backward);
  connect(ButtonVor, &QToolButton::clicked, Browser, &QTextBrowser::forward);
  connect(Browser, &QTextBrowser::sourceChanged, this, [this] { Knoepfe(); });
  connect(Browser, &QTextBrowser::historyChanged, this, [this] { Knoepfe(); });
  connect(ListeInhalt, &QListWidget::itemActivated, this, [this](QListWidgetItem* i) {
    Zeige(i->data(Qt::UserRole).toString().toStdString());
  });
  connect(ListeInhalt, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) {
    Zeige(i->data(Qt::UserRole).toString().toStdString());
  });
  connect(EditIndex, &QLineEdit::textChanged, this, [this] { IndexFiltern(); });
  connect(EditIndex, &QLineEdit::returnPressed, this, [this] {
    for (int i = 0; i < ListeIndex->count(); ++i)
      if (!ListeIndex->item(i)->isHidden()) return Zeige(ListeIndex->item(i)->data(Qt::UserRole).toString().toStdString());
  });
  for (auto signal : {&QListWidget::itemActivated, &QListWidget::itemClicked})
    connect(ListeIndex, signal, this, [this](QListWidgetItem* i) {
      Zeige(i->data(Qt::UserRole).toString().toStdString());
    });
  Sprache(HilfeSprache());
}

void THilfeFenster::Sprache(const std::string& sprache) {
  if (sprache == sprache_) return;
  sprache_ = sprache;
  setWindowTitle(Beschriftung(sprache, "Titel"));
  ButtonInhalt->setText(Beschriftung(sprache, "Inhalt"));
  ButtonZurueck->setText(Beschriftung(sprache, "Zurueck"));
  ButtonVor->setText(Beschriftung(sprache, "Vor"));
  PageControl1->setTabText(0, Beschriftung(sprache, "Inhalt"));
  PageControl1->setTabText(1, Beschriftung(sprache, "Index"));
  EditIndex->setPlaceholderText(Beschriftung(sprache, "Stichwort"));
  ListeInhalt->clear();
  for (const auto& [seite, titel] : Hilfe().Inhaltsverzeichnis(sprache)) {
    auto* i = new QListWidgetItem(Q(titel), ListeInhalt);
    i->setData(Qt::UserRole, Q(seite));
  }
  ListeIndex->clear();
  const auto index = Hilfe().Index(sprache);
  std::map<std::string, int> anzahl;
  for (const auto& [wort, seite] : index) ++anzahl[wort];
  for (const auto& [wort, seite] : index) {
    // A word on several pages names the page of each entry.
    QString text = Q(wort);
    if (anzahl[wort] > 1)
      if (const HilfeSeite* s = Hilfe().Seite(seite.substr(0, seite.find('/')), seite.substr(seite.find('/') + 1)))
        text += " – " + Q(s->titel);
    auto* i = new QListWidgetItem(text, ListeIndex);
    i->setData(Qt::UserRole, Q(seite));
  }
  IndexFiltern();
  Browser->clearHistory();
  layout()->activate();
}

void THilfeFenster::Zeige(const std::string& seite) {
  Sprache(seite.substr(0, seite.find('/')));
  Browser->setSource(UrlVon(seite));
  Knoepfe();
}

void THilfeFenster::ZeigeIndex(const std::string& wort) {
  PageControl1->setCurrentIndex(1);
  EditIndex->setText(Q(wort));
  EditIndex->setFocus();
  for (int i = 0; i < ListeIndex->count(); ++i) {
    if (ListeIndex->item(i)->isHidden()) continue;
    ListeIndex->setCurrentRow(i);
    Zeige(ListeIndex->item(i)->data(Qt::UserRole).toString().toStdString());
    return;
  }
}

std::string THilfeFenster::AktuelleSeite() const { return SeiteVon(Browser->source()); }

void THilfeFenster::IndexFiltern() {
  const QString wort = EditIndex->text().trimmed();
  for (int i = 0; i < ListeIndex->count(); ++i) {
    QListWidgetItem* item = ListeIndex->item(i);
    item->setHidden(!wort.isEmpty() && !item->text().startsWith(wort, Qt::CaseInsensitive) &&
                    !item->text().contains(wort, Qt::CaseInsensitive));
  }
}

void THilfeFenster::Knoepfe() {
  ButtonZurueck->setEnabled(Browser->isBackwardAvailable());
  ButtonVor->setEnabled(Browser->isForwardAvailable());
  // The contents list marks the page shown.
  const std::string seite = AktuelleSeite().substr(0, AktuelleSeite().find('#'));
  for (int i = 0; i < ListeInhalt->count(); ++i) {
    if (ListeInhalt->item(i)->data(Qt::UserRole).toString().toStdString() == seite) {
      QSignalBlocker block(ListeInhalt);
      ListeInhalt->setCurrentRow(i);
    }
  }
}

const std::vector<std::string>& LadeHilfe() {
  static std::vector<std::string> fehler;
  static bool geladen = false;
  if (geladen) return fehler;
  geladen = true;
  HilfeDienst& h = Hilfe();
  h.Leeren();
  // Context files in name order, so that the first mapping of a number is always the same.
  QStringList kontexte;
  QDirIterator it(kWurzel, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString pfad = it.next();
    const QFileInfo info = it.fileInfo();
    if (!info.isFile()) continue;
    if (info.suffix() == QLatin1String("kontexte")) {
      kontexte << pfad;
      continue;
    }
    if (info.suffix() != QLatin1String("htm") && info.suffix() != QLatin1String("html")) continue;
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) continue;
    const QByteArray html = f.readAll();
    h.AddSeite(info.dir().dirName().toStdString(), info.fileName().toStdString(),
               std::string_view(html.constData(), static_cast<std::size_t>(html.size())));
  }
  kontexte.sort();
  for (const QString& pfad : kontexte) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) continue;
    const QByteArray text = f.readAll();
    for (std::string& m : h.LiesKontexte(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                         QFileInfo(pfad).fileName().toStdString())) {
      qWarning("Hilfe: %s", m.c_str());
      fehler.push_back(std::move(m));
    }
  }
  // The help file of the language in use, now that the languages with help are known.
  G().folders.HilfeDatei = HilfeDateiDerSprache(G());
  return fehler;
}

void LadeHilfeSprachen() {
  static bool gesucht = false;
  if (gesucht) return;
  gesucht = true;
  QDirIterator it(kWurzel, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    it.next();
    const QFileInfo info = it.fileInfo();
    if (info.isFile() && (info.suffix() == QLatin1String("htm") || info.suffix() == QLatin1String("html")))
      Hilfe().MerkeSprache(info.dir().dirName().toStdString());
  }
  G().folders.HilfeDatei = HilfeDateiDerSprache(G());
}

std::string HilfeSprache() {
  LadeHilfe();
  return Hilfe().SpracheDerDatei(G().folders.HilfeDatei);
}

std::string HilfeSeiteFuer(const QWidget* fokus) {
  LadeHilfe();
  const std::string sprache = HilfeSprache();
  const auto eigene = [&](const QWidget* w) -> std::string {
    bool ok = false;
    const int kontext = w->property(kHelpContext).toInt(&ok);
    // A number no context file maps leaves the choice to the widgets around it.
    if (ok && Hilfe().Kontexte().count(kontext)) return Hilfe().Kontext(kontext, sprache);
    const QString wort = w->property(kHelpKeyword).toString();
    if (!wort.isEmpty()) return Hilfe().Stichwort(wort.toStdString(), sprache);
    // A part of a window the context files name as "<window>.<part>" (a page).
    if (!w->isWindow() && !w->objectName().isEmpty()) {
      const std::string teil = (w->window()->objectName() + "." + w->objectName()).toStdString();
      if (Hilfe().FensterThemen().count(teil)) return Hilfe().Fenster(teil, sprache);
    }
    return {};
  };
  for (const QWidget* w = fokus; w; w = w->parentWidget()) {
    if (w->isWindow()) {
      // Focus outside the pages (on the window's buttons): the page in front decides before
      // the window.
      for (const QTabWidget* tabs : w->findChildren<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (tabs->currentWidget())
          if (std::string s = eigene(tabs->currentWidget()); !s.empty()) return s;
      if (std::string s = eigene(w); !s.empty()) return s;
      return Hilfe().Fenster(w->objectName().toStdString(), sprache);
    }
    // A page turned away (the focus left behind on it) does not speak; the page in front does.
    const auto* stapel = qobject_cast<const QStackedWidget*>(w->parentWidget());
    if (stapel && stapel->currentWidget() != w) continue;
    if (std::string s = eigene(w); !s.empty()) return s;
    // The focus on a page control's tabs: the page in front speaks for it.
    if (const auto* tabs = qobject_cast<const QTabWidget*>(w); tabs && tabs->currentWidget())
      if (std::string s = eigene(tabs->currentWidget()); !s.empty()) return s;
  }
  return Hilfe().Inhalt(sprache);
}

void ZeigeHilfeFuer(const QWidget* fokus) {
  const std::string seite = HilfeSeiteFuer(fokus);
  THilfeFenster* f = Oeffne();
  f->Zeige(seite);
  Vorn(f);
}

void ZeigeHilfeKontext(int kontext) {
  THilfeFenster* f = Oeffne();
  f->Zeige(Hilfe().Kontext(kontext, HilfeSprache()));
  Vorn(f);
}

void ZeigeHilfeStichwort(const std::string& stichwort) {
  THilfeFenster* f = Oeffne();
  f->Zeige(Hilfe().Stichwort(stichwort, HilfeSprache()));
  Vorn(f);
}

void ZeigeHilfeInhalt() {
  THilfeFenster* f = Oeffne();
  f->Zeige(Hilfe().Inhalt(HilfeSprache()));
  Vorn(f);
}

void ZeigeHilfeIndex(const std::string& stichwort) {
  THilfeFenster* f = Oeffne();
  f->Zeige(Hilfe().Inhalt(HilfeSprache()));
  f->ZeigeIndex(stichwort);
  Vorn(f);
}

void InstalliereHilfeTaste() {
  static QPointer<HilfeTaste> taste;
  if (!taste && qApp) {
    taste = new HilfeTaste(qApp);
    qApp->installEventFilter(taste);
  }
}

THilfeFenster* HilfeFensterOffen() { return Fenster(); }

// Escape closes the help, as it closes every dialog of the program.
void THilfeFenster::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

}  // namespace tav
