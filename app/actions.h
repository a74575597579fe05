// The actions behind the three buttons: install (or reinstall) the screen saver, uninstall
// it, exit. Install and uninstall keep InstallState and ProbeFile in step with the file on
// disk, and come to an outcome that one place reports.
#pragma once
#include "outcomes.h"

// Writes the payload to TargetPath and makes it the screen saver in system.ini; a present
// screen saver is replaced only by a complete new file. Returns the outcome without telling
// it; ProbeFile then holds nothing until the next probe.
const Outcome& Install();

// Deletes the installed file when the last probe found it, and makes sure it is gone; no
// question asked. A file the installed name only links to is left alone, and still held: a
// failure. Returns the outcome without telling it.
const Outcome& Uninstall();

// Tells the outcome in its box, unless the run is quiet.
void Report(const Outcome& outcome);

// Button 1: installs, tells the outcome, probes again and sets the button's caption.
void InstallAction();

// Button 2: asks first when there is a file to remove, then uninstalls and tells the outcome.
void UninstallAction();

// Lets go of the installed file, destroys the window and ends the process with exit code 0.
[[noreturn]] void ExitAction();

// Lets go of the installed file and ends the process with exit code 0: the end of a setup
// whose window is gone, however it went.
[[noreturn]] void LeaveSetup();
