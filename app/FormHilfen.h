#pragma once
// Small helpers the windows of this folder share: texts to Qt, naming a component, bold
// captions and numbers with the decimal comma.

#include <QLabel>
#include <QLayout>
#include <QString>
#include <initializer_list>
#include <string>

#include "foundation/TavUtil.h"

namespace tav::form {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

// Gives W the component's name, so tests and style sheets find it.
template <typename W>
W* Named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

inline void Fett(std::initializer_list<QLabel*> labels) {
  for (QLabel* l : labels) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
  }
}

// Right-aligned bold result labels wide enough for Muster.
inline void ErgebnisLabels(std::initializer_list<QLabel*> labels, const char* muster) {
  for (QLabel* l : labels) {
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(muster));
  }
  Fett(labels);
}

// Fixed point from the double (halves away from zero) with the decimal comma.
inline QString Komma(int breite, int stellen, double x) {
  return Q(ReplaceAll(FloatToPointStr(breite, stellen, x), ".", ","));
}

// Lays the window out at once for the texts just set, so it appears (and is grabbed) in its
// final arrangement instead of after the next pass of the event loop.
inline void LayoutJetzt(QWidget* fenster) {
  const auto kinder = fenster->findChildren<QWidget*>();
  for (auto it = kinder.rbegin(); it != kinder.rend(); ++it)
    if ((*it)->layout()) (*it)->layout()->activate();
  if (fenster->layout()) fenster->layout()->activate();
}

}  // namespace tav::form
