#pragma once
// What the main window and the run window call to show and to drop the results.

#include <functional>

class QWidget;

namespace tav {

class TFormSimErg;

// Opens the results window (modeless, one instance for the program, kept above Parent's
// window) or brings it to the front, rebuilt from the current results. Does nothing and
// returns null while no valid results exist.
TFormSimErg* ShowSimErg(QWidget* parent);
// The same window shown modally: returns when the user has closed it. vorher sees the
// window before it shows.
void ShowSimErgModal(QWidget* parent, const std::function<void(TFormSimErg*)>& vorher = {});
// The project changed: the results no longer hold (ErgebnisGueltig cleared) and the
// results window closes.
void InvalidateResults();

}  // namespace tav
