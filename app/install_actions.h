// The actions behind buttons 1 and 2: install (or reinstall) the screen saver, uninstall it.
// Both keep InstallState and ProbeFile in step with the file on disk.
#pragma once

// Writes the payload to TargetPath, makes it the screen saver in system.ini and reports
// the outcome; a present screen saver is replaced only by a complete new file.
void InstallAction();

// After a confirmation, deletes the installed file and reports the outcome.
void UninstallAction();
