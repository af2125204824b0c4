// The plant dialog's field checks (each field's range, message and correction, all of them on
// OK) and its keys and focus: Enter to the next field, Escape to Cancel.
#include "app/FormAnlage.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <cmath>

#include "app/FormAnlageHilfen.h"
#include "foundation/Messages.h"
#include "planning/AnlageRechnen.h"

namespace tav {

using namespace anlage;

// --- Field checks ------------------------------------------------------------------------

QString TFormAnlage::LabelOhne(QLineEdit* e) const {
  const QLabel* l = labels_.value(e);
  return l ? Q(RemoveAmpersands(S(l->text()))) : QString();
}

bool TFormAnlage::Fehler(QLineEdit* e, const std::string& meldung, const QString& korrektur) {
  e->setText(korrektur);
  for (QWidget* w = e; w; w = w->parentWidget()) {
    const int i = PageControl1->indexOf(w);
    if (i >= 0) {
      PageControl1->setCurrentIndex(i);
      break;
    }
  }
  e->setFocus();
  pruefung_ = true;
  ShowMessageLines(meldung);
  pruefung_ = false;
  e->setFocus();
  return false;
}

bool TFormAnlage::Pruefe(QLineEdit* e) {
  const std::string nied = " " + T(TX::zuniedrig), hoch = " " + T(TX::zuhoch);
  const std::string minW = T(TX::FehlerMinWert), maxW = T(TX::FehlerMaxWert);
  auto L = [&](QLineEdit* f) { return S(LabelOhne(f)); };
  auto wert = [](QLineEdit* f) {
    double v = 0;
    Zahl(f, v);
    return v;
  };
  auto ganz = [](double x) { return QString::number(static_cast<long long>(std::lround(x))); };
  double v = 0;
  if (e == Edit7 || e == EditQheiz) {
    if (!Term(e, v)) {
      const PlantState& P = G().plant;
      const double kwh = P.Warmwasserverbrauch / 1000.0;
      const auto l = KWhZuLiter(kwh, P.Warmwassertemp, P.Kaltwassertemp);
      const QString zurueck = e == EditQheiz ? Komma(P.Heizwaermebedarf / 1000.0, 0)
                              : literModus_ && l ? Komma(*l, 0) : Komma(kwh, 2);
      return Fehler(e, T(TX::FehlerWertunzulaessig), zurueck);
    }
    if (v < 0.0) return Fehler(e, L(e) + nied, "0");
    if (e == EditQheiz) {
      if (const auto g = UeberschritteneGrenze("Heizwaermebedarf", v * 1000.0)) {
        return Fehler(e, maxW + ": " + S(Komma(*g / 1000.0, 0)), Komma(*g / 1000.0, 0));
      }
    } else {
      const auto kwh = literModus_ ? LiterZuKWh(v, wert(Edit2), wert(Edit1)) : std::optional<double>(v);
      const auto g = kwh ? UeberschritteneGrenze("Warmwasserverbrauch", *kwh * 1000.0) : std::nullopt;
      const auto feldGrenze = !g ? std::nullopt
                              : literModus_ ? KWhZuLiter(*g / 1000.0, wert(Edit2), wert(Edit1))
                                            : std::optional<double>(*g / 1000.0);
      if (feldGrenze) {
        const QString text = Komma(std::floor(*feldGrenze), 0);
        return Fehler(e, maxW + ": " + S(text), text);
      }
    }
    if (Geaendert(e)) e->setText(Komma(v, e == Edit7 && !literModus_ ? 2 : 0));
    if (e == Edit7) {
      const auto k = literModus_ ? LiterZuKWh(v, wert(Edit2), wert(Edit1)) : std::optional<double>(v);
      if (k) LabelEQTWW->setText(Komma(*k * 365.0, 0));
    }
    return true;
  }
  if (e == MaskEditPoolStart || e == MaskEditPoolEnde) {
    if (TagAus(e->text()) == 0) return Fehler(e, T(TX::FehlerWertunzulaessig), gezeigt_.value(e));
    return true;
  }
  if (e == EditPoolHzGr) {
    if (e->text().trimmed().isEmpty() || Zahl(e, v)) return true;
    return Fehler(e, T(TX::FehlerWertunzulaessig), QString());
  }
  if (!Zahl(e, v)) return Fehler(e, T(TX::FehlerWertunzulaessig), gezeigt_.value(e));
  const int typ = G().plant.AnlagenTypNr;
  if (e == Edit1) {
    if (v < 1) return Fehler(e, L(e) + nied, "1");
    if (v > 70) return Fehler(e, L(e) + hoch, "70");
    if (wert(Edit2) - 1 < v) Edit2->setText(ganz(v + 1));
  } else if (e == Edit2) {
    if (wert(Edit1) >= v) return Fehler(e, L(e) + nied, ganz(wert(Edit1) + 10));
    if (typ != 8 && !Edit3->isHidden() && wert(Edit3) > v) return Fehler(Edit3, L(Edit3) + hoch, Edit2->text());
  } else if (e == Edit3) {
    if (v > wert(Edit2)) return Fehler(e, L(e) + hoch, Edit2->text());
  } else if (e == Edit4 || e == Edit4b) {
    if (v < wert(Edit2)) return Fehler(e, minW + ": " + L(Edit2), Edit2->text());
    if (v > 150) return Fehler(e, maxW + (e == Edit4 ? ": 150°C!" : ": 150°C"), "150");
  } else if (e == Edit5) {
    if (typ == 2 && wert(Edit2) >= v) return Fehler(e, L(e) + nied, ganz(wert(Edit2) + 1));
    if (typ == 3 && wert(Edit1) >= v) return Fehler(e, L(e) + nied, ganz(wert(Edit1) + 1));
    if (v > 150) return Fehler(e, maxW + ": 150°C!", "150");
  } else if (e == EditHzGr) {
    if (v < 5) return Fehler(e, minW + ": 5", "5");
    if (v > 25) return Fehler(e, maxW + ": 25", "25");
  } else if (e == EditFWEQ) {
    if (v < 10) return Fehler(e, minW + ": 10", "10");
    if (v > 100) return Fehler(e, maxW + ": 100", "100");
  } else if (e == EditFWEdTmin) {
    if (v < 5) return Fehler(e, minW + ": 5", "5");
    if (v > 20) return Fehler(e, maxW + ": 20", "20");
  } else if (e == Edit8 || e == Edit9) {
    if (v < 5) return Fehler(e, minW + ": 5 " + T(TX::Liter), "5");
  } else if (e == Edit25) {
    if (v < 28) return Fehler(e, L(e) + nied, "28");
    if (v > 90) return Fehler(e, L(e) + hoch, "90");
    if (wert(Edit26) >= v) Edit26->setText(ganz(v - 3));
  } else if (e == Edit26) {
    if (v < 25) return Fehler(e, L(e) + nied, "25");
    if (v >= wert(Edit25)) return Fehler(e, L(e) + hoch, ganz(wert(Edit25) - 5));
  } else if (e == EditZL || e == EditZV) {
    if (v < 1) return Fehler(e, T(TX::FehlerWertunzulaessig), "1,0");
  } else if (e == EditPoolT) {
    if (v < 10) return Fehler(e, minW + ": 10", "10");
    if (v > 40) return Fehler(e, maxW + ": 40", "40");
  } else if (e == EditPoolV) {
    if (v < 1) return Fehler(e, minW + ": 1", "1,0");
  } else if (e == EditPoolSpminT) {
    if (v < 10) return Fehler(e, minW + ": 10", "10");
    if (v > 95) return Fehler(e, maxW + ": 95", "95");
  } else if (e == Edit20 || e == Edit21 || e == Edit22 || e == EditQnorm) {
    if (v < 0) return Fehler(e, L(e) + nied, "0");
  }
  // Fields without a bound of their own get the project file's; factor: field to file unit.
  const struct { QLineEdit* feld; std::string_view key; double faktor; } dateiBereiche[] = {
      {Edit2, "Warmwassertemp", 1.0},       {Edit8, "Speicher1vol", static_cast<double>(EditSpAnz->value())},
      {Edit9, "Speicher2vol", static_cast<double>(EditSpAnz->value())},
      {Edit20, "Heiztauscherleistung", 1000.0}, {Edit21, "HeiztauscherDeltaT", 1.0},
      {Edit22, "Heiztemp", 1.0},            {EditQnorm, "HeizQnorm", 1000.0},
      {Edit24, "HeizTnorm", 1.0},           {EditZL, "ZiLaenge", 1.0},
      {EditZV, "ZiVol", 1.0},               {EditPoolV, "PoolVol", 1.0}};
  for (const auto& b : dateiBereiche) {
    if (b.feld != e) continue;
    if (const auto g = UeberschritteneGrenze(b.key, v * b.faktor)) {
      const QString text = Komma(*g / b.faktor, 0);
      return Fehler(e, (*g > v * b.faktor ? minW : maxW) + ": " + S(text), text);
    }
  }
  return true;
}

bool TFormAnlage::PruefeAlle() {
  auto sichtbar = [&](QWidget* w) {
    for (QWidget* x = w; x && x != this; x = x->parentWidget()) {
      const int i = PageControl1->indexOf(x);
      if (i >= 0) return PageControl1->isTabVisible(i);
      if (x->isHidden()) return false;
    }
    return true;
  };
  for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit4b, Edit5, EditHzGr, EditFWEQ, EditFWEdTmin, Edit7, Edit8,
                       Edit9, EditZL, EditZV, EditQheiz, EditQnorm, Edit24, Edit25, Edit26, Edit20, Edit21, Edit22,
                       EditPoolT, EditPoolV, MaskEditPoolStart, MaskEditPoolEnde, EditPoolSpminT}) {
    if (!e->isEnabled() || !sichtbar(e)) continue;
    if (!Pruefe(e)) return false;
  }
  return true;
}

// --- Keyboard and focus ------------------------------------------------------------------

bool TFormAnlage::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (o == Edit22 || o == Edit26) ButtonOK->setFocus();
      else focusNextChild();
      return true;
    }
    // Escape in a field goes to Cancel; a second Escape there closes as Cancel.
    if (key == Qt::Key_Escape && o != ButtonCancel) {
      ButtonCancel->setFocus();
      return true;
    }
  }
  if (e->type() == QEvent::MouseMove && o->objectName() == "GroupBox4") LabelZeit->clear();
  if (e->type() == QEvent::FocusOut && !aufbau_ && !pruefung_ && !schliesst_ && isVisible()) {
    auto* edit = qobject_cast<QLineEdit*>(o);
    if (edit && labels_.contains(edit)) {
      const bool zumAbbrechen = QApplication::focusWidget() == ButtonCancel;
      const bool ueberspringbar = edit == Edit1 || edit == Edit2 || edit == Edit3 || edit == Edit4 ||
                                  edit == Edit5 || edit == Edit25 || edit == Edit26 || edit == EditQheiz;
      if (!(zumAbbrechen && ueberspringbar)) {
        const bool gut = Pruefe(edit);
        if (gut && (edit == EditQheiz || edit == EditQnorm || edit == Edit24 || edit == EditHzGr)) {
          double q = 0;
          if (edit == EditQheiz && Zahl(edit, q) && q == 0.0) EditQnorm->setText("0,0");
          HeizbedarfPruefen();
        }
      }
    }
  }
  return QDialog::eventFilter(o, e);
}

}  // namespace tav
