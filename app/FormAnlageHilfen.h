#pragma once
// Helpers the plant dialog's files share (FormAnlage.cpp builds, fills and stores the pages,
// FormAnlagePruefen.cpp checks the fields, FormAnlageBefehle.cpp holds what its buttons do):
// texts to Qt, numbers with the decimal comma, terms, the bounds of the project file, dates.

#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/StrSolver.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "simulation/WerteBereiche.h"

namespace tav::anlage {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }
inline QString Txt(TX k) { return Q(T(k)); }
inline QString Komma(double x, int dez) { return Q(FloatToCommaStr(1, static_cast<std::uint8_t>(dez), static_cast<float>(x))); }

// The bound of the project file's range for `key` that `wert` (in the file's unit) passes, or
// nothing when it lies within: the dialog takes no value the file would refuse on reading.
inline std::optional<double> UeberschritteneGrenze(std::string_view key, double wert) {
  const WertBereich* b = ProjektWertBereich(key);
  if (wert > b->Max) return b->Max;
  if (wert < b->Min) return b->Min;
  return std::nullopt;
}
inline QString Punkt(double x, int dez) { return Q(FloatToPointStr(1, dez, x)); }

inline bool Zahl(const QLineEdit* e, double& v) {
  const std::string t = S(e->text());
  if (e->text().trimmed().isEmpty()) return false;
  std::int32_t code = 0;
  v = StrToFloatComma(t, code);
  return code == 0;
}

// A term ("2 * (2,5 + 3,5)") or a number.
inline bool Term(const QLineEdit* e, double& v) {
  TStrSolver solver;
  solver.SetTermString(S(e->text()));
  if (!solver.OK()) return false;
  v = solver.Ergebnis();
  return true;
}

// "dd.mm" of a day of the year.
inline QString TagText(int tag) {
  std::int32_t m = 1, d = 1;
  DayOfYearToMonthDay(std::clamp(tag, 1, 365), m, d);
  return Q(DateToDotStr(d, m, -1));
}

// Day of the year of "dd.mm" (a 365-day year); 0 when it is no date.
inline int TagAus(const QString& text) {
  const QStringList teile = text.trimmed().split('.', Qt::SkipEmptyParts);
  if (teile.size() != 2) return 0;
  bool ok1 = false, ok2 = false;
  const int d = teile[0].trimmed().toInt(&ok1), m = teile[1].trimmed().toInt(&ok2);
  if (!ok1 || !ok2 || m < 1 || m > 12 || d < 1 || d > MonatsTage[static_cast<std::size_t>(m)]) return 0;
  return MonthDayToDayOfYear(m, d, 0);
}

}  // namespace tav::anlage
