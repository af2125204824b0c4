#pragma once
// What the main window and the run window call to show and to drop the results.

class QWidget;

namespace tav {

class TFormSimErg;

// Opens the results window (modeless, one instance for the program; Parent is taken on
// the first call) or brings it to the front, rebuilt from the current results. Does
// nothing and returns null while no valid results exist.
TFormSimErg* ShowSimErg(QWidget* parent);
// The project changed: the results no longer hold (ErgebnisGueltig cleared) and the
// results window closes.
void InvalidateResults();

}  // namespace tav
