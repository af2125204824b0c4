#pragma once
// The keys of a form's controls. In its edit fields Enter moves the focus on to the next
// control and Escape to the form's fixed button (usually Cancel), so Escape then Enter
// cancels; Enter on a focused button presses that button. A control reached by these keys
// shows its focus frame, as one reached by Tab does. Neither key closes the form or
// checks a field before the user has left it. A dialog may also send Escape from every
// control to its fixed button, and Alt never types into a field in any window.

#include <Qt>

class QAbstractButton;
class QDialog;
class QKeyEvent;
class QWidget;

namespace tav {

// Gives Control the focus as a key moves it, with the focus frame that Tab would show.
void KeyFocus(QWidget* control, Qt::FocusReason reason);
// Installs the keys on every line edit, spin box, combo box and push button inside Form
// (those there now).
void EditFieldKeys(QWidget* form, QWidget* fixedButton);
// For a form where Enter must never reach a default button: Enter on a radio button, check
// box or tool button of Form moves on as from a field (those there now); Escape as there.
void ChoiceEnterKeys(QWidget* form, QWidget* fixedButton);
// Only the buttons' part: Enter on a focused push button of Form presses it (those there now),
// for a form whose fields keep keys of their own.
void ButtonEnterKeys(QWidget* form);
// Escape from any control of Dialog (a grid, a button, a check box, a field) moves the focus
// to its fixed button, and Escape on that button closes the dialog as Cancel; one slip of
// the key never drops what was typed. A control that uses Escape itself (an open list)
// keeps it.
void EscapeToButton(QDialog* dialog, QAbstractButton* fixedButton);
// Alt with a key that is no accelerator never types into a field (a line edit, a spin box,
// an editable combo box, a text editor), in every window: Qt's fields would take the key's
// character as typed (Alt+2 wrote "2"). Ctrl+Alt still types, as AltGr comes so on some
// systems. Installed on the application when it starts, by this unit; true when the key
// event is one the rule keeps from Field.
bool AltKeyKeptFromField(const QWidget* field, const QKeyEvent& key);

}  // namespace tav
