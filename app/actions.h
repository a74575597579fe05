// The actions behind the three buttons: install (or reinstall) the screen saver, uninstall
// it, exit. Install and uninstall keep InstallState and ProbeFile in step with the file on
// disk.
#pragma once

// Writes the payload to TargetPath, makes it the screen saver in system.ini and reports
// the outcome; a present screen saver is replaced only by a complete new file.
void InstallAction();

// After a confirmation, deletes the installed file and reports the outcome.
void UninstallAction();

// Lets go of the installed file, destroys the window and ends the process with exit code 0.
[[noreturn]] void ExitAction();
