// The setup application's start-up as named steps, each one a test can run too: hand over to a
// setup that runs already, prepare the state, create the window, end with it, run the main
// loop.
#pragma once

// Takes the session's one place for a setup, held until the process ends; false when another
// setup holds it.
bool TakeSetupPlace();

// When another setup runs in this session, ends the process: with exit code 0 after bringing
// that setup's window to the front, or, when it has none, with SetupRunning's box and code.
// Otherwise takes the session's one place for a setup.
void HandOverToRunningSetup();

// Builds the installed file's path in the Windows directory and probes it. Halts with exit
// code 3 when the Windows directory cannot be had.
void FindInstalledFile();

// Prepares the state: the selection, the installed file (FindInstalledFile), the captions,
// the brushes, the cursor and the button table.
void PrepareSetupState();

// Fills the button table: the buttons' rectangles and cursor, and every procedure slot.
void FillButtonTable();

// Registers the window class, creates the window centred on the screen, and keeps its device
// context, ready to draw on.
void CreateSetupWindow();

// From now on the process ends with exit code 0, as in ExitAction, whenever the window is
// destroyed, whoever destroys it.
void EndWhenTheWindowGoes();

// The main loop: full repaint, event pump until a key goes down, the key's action; forever.
// The process ends in ExitAction.
[[noreturn]] void RunMainLoop();
