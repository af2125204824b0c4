#include "foundation/ui/FeldTasten.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QPushButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>

namespace tav {

// The style draws the focus frame only in a window whose focus was last moved by the
// keyboard, and Qt notes that for Tab alone.
void KeyFocus(QWidget* control, Qt::FocusReason reason) {
  control->setFocus(reason);
  control->window()->setAttribute(Qt::WA_KeyboardFocusChange);
}

namespace {

// An unchecked choice whose group has a checked one: Tab passes it by (it reaches the group at
// its checked choice), so Enter does too, and Space there cannot flip the choice unseen.
bool ZweiteWahl(const QWidget* w) {
  const auto* b = qobject_cast<const QAbstractButton*>(w);
  if (!b || !b->isCheckable() || b->isChecked()) return false;
  if (const QButtonGroup* g = b->group()) return g->exclusive() && g->checkedButton();
  if (!b->autoExclusive() || !b->parentWidget()) return false;
  for (const QAbstractButton* s : b->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
    if (s->autoExclusive() && s->isCheckable() && s->isChecked() && !s->group()) return true;
  return false;
}

class FeldTastenFilter : public QObject {
 public:
  FeldTastenFilter(QWidget* form, QWidget* fixedButton)
      : QObject(form), form_(form), fest_(fixedButton) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<QKeyEvent*>(event);
    if (k->modifiers() & ~Qt::KeypadModifier) return false;
    const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
    if (auto* knopf = qobject_cast<QPushButton*>(watched)) {
      // Enter on a focused button presses that button, not the form's default one.
      if (!enter) return false;
      knopf->click();
      return true;
    }
    if (enter) {
      Weiter(static_cast<QWidget*>(watched));
      return true;
    }
    if (k->key() == Qt::Key_Escape && fest_) {
      KeyFocus(fest_, Qt::OtherFocusReason);
      return true;
    }
    return false;
  }

 private:
  // The next control in tab order that takes the focus; a field's own focus proxy chain
  // (a spin box's inner edit) is skipped.
  void Weiter(QWidget* feld) {
    QWidget* start = feld;
    if (qobject_cast<QAbstractSpinBox*>(feld->parentWidget()) ||
        qobject_cast<QComboBox*>(feld->parentWidget()))
      start = feld->parentWidget();
    for (QWidget* w = start->nextInFocusChain(); w && w != start; w = w->nextInFocusChain()) {
      if (w->isAncestorOf(feld) || w->focusProxy() || ZweiteWahl(w)) continue;
      if (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisibleTo(form_) ||
          !form_->isAncestorOf(w))
        continue;
      KeyFocus(w, Qt::TabFocusReason);
      return;
    }
  }

  QWidget* form_;
  QPointer<QWidget> fest_;
};

// Sees the Escape that no control of the dialog took (it travels up to the dialog).
class EscapeFilter : public QObject {
 public:
  EscapeFilter(QDialog* dialog, QAbstractButton* fixedButton)
      : QObject(dialog), dialog_(dialog), fest_(fixedButton) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != dialog_ || event->type() != QEvent::KeyPress || !fest_) return false;
    const auto* k = static_cast<QKeyEvent*>(event);
    if (k->key() != Qt::Key_Escape || (k->modifiers() & ~Qt::KeypadModifier)) return false;
    if (fest_->hasFocus() || !fest_->isVisible() || !fest_->isEnabled())
      dialog_->reject();
    else
      KeyFocus(fest_, Qt::OtherFocusReason);
    return true;
  }

 private:
  QDialog* dialog_;
  QPointer<QAbstractButton> fest_;
};

// Keeps Alt and a key that is no accelerator out of every field of the application (the
// accelerators are taken before the key reaches a field).
class AltTastenFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    return AltKeyKeptFromField(static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event));
  }
};

void InstalliereAltTasten() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
    app->installEventFilter(new AltTastenFilter(app));
}

}  // namespace

// Every application that has this unit, the program and its tests alike, from its start.
Q_COREAPP_STARTUP_FUNCTION(InstalliereAltTasten)

bool AltKeyKeptFromField(const QWidget* field, const QKeyEvent& key) {
  const Qt::KeyboardModifiers mod = key.modifiers();
  if (!(mod & Qt::AltModifier) || (mod & Qt::ControlModifier)) return false;
  const QString text = key.text();
  if (text.isEmpty() || !text.front().isPrint()) return false;
  if (qobject_cast<const QLineEdit*>(field) || qobject_cast<const QAbstractSpinBox*>(field)) return true;
  if (const auto* combo = qobject_cast<const QComboBox*>(field)) return combo->isEditable();
  if (const auto* editor = qobject_cast<const QTextEdit*>(field)) return !editor->isReadOnly();
  if (const auto* editor = qobject_cast<const QPlainTextEdit*>(field)) return !editor->isReadOnly();
  return false;
}

void EscapeToButton(QDialog* dialog, QAbstractButton* fixedButton) {
  dialog->installEventFilter(new EscapeFilter(dialog, fixedButton));
}

namespace {

// Only the form's own controls: a dialog it holds as a child (an editor) keeps its keys.
template <class Control>
void Installiere(QWidget* form, QObject* filter) {
  for (Control* w : form->findChildren<Control*>())
    if (w->window() == form->window()) w->installEventFilter(filter);
}

}  // namespace

void EditFieldKeys(QWidget* form, QWidget* fixedButton) {
  auto* filter = new FeldTastenFilter(form, fixedButton);
  Installiere<QLineEdit>(form, filter);
  Installiere<QAbstractSpinBox>(form, filter);
  Installiere<QComboBox>(form, filter);
  Installiere<QPushButton>(form, filter);
}

void ChoiceEnterKeys(QWidget* form, QWidget* fixedButton) {
  auto* filter = new FeldTastenFilter(form, fixedButton);
  Installiere<QRadioButton>(form, filter);
  Installiere<QCheckBox>(form, filter);
  Installiere<QToolButton>(form, filter);
}

void ButtonEnterKeys(QWidget* form) { Installiere<QPushButton>(form, new FeldTastenFilter(form, nullptr)); }

}  // namespace tav
