#pragma once
// TFormEnerEdit: edits one energy carrier of the catalogue (name, unit, kWh and CO2 per unit, the
// plant efficiency in winter, spring/autumn and summer). OK stores the entry at its place, rewrites
// the catalogue and makes the carrier current; Cancel changes nothing. The plant dialog hears of
// every efficiency the user leaves through NutzgradGeaendert.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tav {

struct TavState;
struct CatalogueState;

class TFormEnerEdit : public QDialog {
  Q_OBJECT
 public:
  explicit TFormEnerEdit(TavState& s, QWidget* parent = nullptr);

  // Opens the editor for carrier index (1..EnergieAnzahl); returns the modal result (1 = OK).
  // An index outside the catalogue opens nothing and returns 2.
  int Bearbeite(int index);

  // Called with the three efficiencies whenever the user leaves one of their fields.
  std::function<void(int winter, int fruehlingHerbst, int sommer)> NutzgradGeaendert;

  // The distinct units of the catalogue in list order.
  static std::vector<std::string> Einheiten(const CatalogueState& c);

  QLineEdit* Edit40;
  QComboBox* ComboBox41;
  QLineEdit* Edit42;
  QLineEdit* Edit43;
  QLineEdit* Edit44;
  QLineEdit* Edit45;
  QLineEdit* Edit46;
  QPushButton* ButtonOK;
  QPushButton* ButtonCancel;
  QLabel* Label41;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  bool PruefeNutzgrad(QLineEdit* edit);
  bool Speichere();
  TavState& s_;
  int index_ = 0;
  bool fuellen_ = false;
};

}  // namespace tav
