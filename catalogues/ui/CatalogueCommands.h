#pragma once
// What the main window and the run window call to open the location and collector dialogs.
// Each dialog exists once, made on first use, on the program-wide state and the program's
// weather bridge. Results are the dialogs' modal results: 1 OK, 2 Cancel.
//
// After a result of 1 the caller refreshes what shows the project (scheme, captions, the
// results marked out of date); RunState::WeiterModus then asks for the next set-up dialog.

class QWidget;

namespace tav {

// The location dialog. nurWetterdaten: only the weather page, nothing applied (the run
// window's "Klimgen" button). The measured-data button shows when the program was started
// with the single parameter "-M".
int ShowOrtDialog(QWidget* parent, bool nurWetterdaten = false);
// The collector dialog (collector type, fields, solar loop, mounting).
int ShowKollektorDialog(QWidget* parent);
// The collector editor on the project's collector.
int ShowKollektorEditor(QWidget* parent);
// The collector dialog's height: the kept window's, or its designed height before it exists.
int KollektorDialogHoehe();
// The location editor after an outside weather file was imported: the new entry OrtNr is
// edited, always stored and made the project's location.
int ShowOrtEditImport(QWidget* parent);

}  // namespace tav
