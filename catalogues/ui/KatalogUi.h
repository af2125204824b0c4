#pragma once
// What the location and collector dialogs share: text and number conversion for their
// fields, the status sink that shows progress and the busy cursor inside a dialog, the
// efficiency-curve picture and the choice of a collector's picture.

#include <QLabel>
#include <QString>
#include <QWidget>
#include <string>

#include "foundation/StatusSink.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

class QDialog;
class QHBoxLayout;
class QKeyEvent;
class QLineEdit;
class QPainter;
class QPushButton;

namespace tav {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline QString QT(TX key) { return QString::fromStdString(T(key)); }
// Number with the decimal comma.
QString Komma(double x, int dezimalen, int breite = 1);
// The number of a field (comma or point); ok tells whether it was one.
double ZahlAus(const QString& text, bool* ok = nullptr);

// A number field with its unit to the right, as one form row's field (the field 90 px wide).
QWidget* MitEinheit(QLineEdit* feld, const QString& einheit, QWidget* parent);

// The help key of a catalogue grid: keypad "/" opens help page 501. True when the key was it.
// (Its dialog's page keys are the window's own, PageKeys.)
bool GitterHilfeTaste(const QKeyEvent& k);

// A dialog button that is never the default by accident.
QPushButton* Knopf(const QString& text, const char* name, QWidget* parent);
// The dialog's OK and Cancel (modal results 1 and 2) in a row at the right, after `links`.
QHBoxLayout* KnopfZeile(QDialog* d, QPushButton*& ok, QPushButton*& cancel,
                        QWidget* links = nullptr);

// Progress of long work in a dialog: the text goes to a label, the busy cursor is shown, and
// the dialog keeps painting while the work reports (input waits until it is done).
class DialogStatus : public StatusSink {
 public:
  explicit DialogStatus(QLabel* label = nullptr) : label_(label) {}
  void Status(const std::string& text) override;
  void Progress(const std::string& text) override;
  void Busy(bool on) override;
  void Pause(int ms) override;

 private:
  void Zeige(const std::string& text);
  QLabel* label_;
  int busy_ = 0;
};

// Efficiency curve of a collector over x = dT/G 0..0.1 (at 800 W/m²), in a 150 x 150 frame.
void DrawKollKennlinie(QPainter& p, const TKollektor& k);

class KennlinieBild : public QWidget {
  Q_OBJECT
 public:
  explicit KennlinieBild(QWidget* parent = nullptr);
  void Setze(const TKollektor& k);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  TKollektor k_;
};

// The picture of a collector: "Koll1".."Koll6" by the model codes found in its name, else by
// its kind (evacuated tubes or flat plate).
QString KollBildName(const TKollektor& k);

}  // namespace tav
