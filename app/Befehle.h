#pragma once
// Connects the main window's commands to the windows of the other layers: the run window and
// its options, and the hooks through which those windows reach back to the main window.

namespace tav {

class Hauptmenu;

// Wires every command whose window is built; called once after the main window is made.
void VerbindeFenster(Hauptmenu& w);

}  // namespace tav
