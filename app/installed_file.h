// The probe of the installed screen saver: ProbeFile holds the file open while it is found.
#pragma once

// Opens the installed file with read and write access and no sharing, keeping it open when
// found; InstallState := the result (0 when found).
void ProbeInstalledFile();
