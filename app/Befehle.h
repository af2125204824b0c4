#pragma once
// Connects the main window's commands to the windows of the other layers (the run window and
// its options, the results window) and the hooks through which those windows reach back.

namespace tav {

class Hauptmenu;

// Wires every command whose window is built; called once after the main window is made.
void VerbindeFenster(Hauptmenu& w);
// The "Assistent" tool button: the wizard modally; after its OK the save command and the
// annual simulation.
void AssistentBefehl(Hauptmenu& w);

}  // namespace tav
