// Every text the setup shows, spelled exactly as the user sees it, blanks included.
#pragma once

inline constexpr char TitleText[] = "Flarvex clock 2.90b installation setup"; // also the class name
inline constexpr char WindowCaption[] = " Setup";
inline constexpr char InstallFileNameText[] = "Flarvex.scr";

inline constexpr char InstallCaption[] = "Install";
inline constexpr char ReinstallCaption[] = "Reinstall";
inline constexpr char UninstallCaption[] = "Uninstall";
inline constexpr char ExitCaption[] = "Exit";

// Start-up failures.
inline constexpr char StartupErrorCaption[] = "Error ";
inline constexpr char RegisterClassFailedText[] = "Can not Register Class";
inline constexpr char GetDcFailedText[] = "Can not get DC";
inline constexpr char WindowsDirectoryFailedText[] = "Can not get Windows directory";

// Install and uninstall.
inline constexpr char InstalledText[] = " Program installed in desired manner";
inline constexpr char InstalledCaption[] = " Installation completed ";
inline constexpr char NotFoundText[] = " Setup did not find the installed file(s) on your system";
inline constexpr char NotFoundCaption[] = " File not found";
inline constexpr char UninstallQuestionText[] = "This will uninstall Flarvex clock";
inline constexpr char UninstallQuestionCaption[] = " Uninstallation";
inline constexpr char RemovedText[] = " Program removed from your system";
inline constexpr char RemovedCaption[] = " Completed";
inline constexpr char ErrorCaption[] = " Error";
inline constexpr char RemoveFailedText[] = " Failed to remove the file";
inline constexpr char CreateFailedText[] = " Failed to create the file";
inline constexpr char WriteFailedText[] = " Failed to write the file";
inline constexpr char ReplaceFailedText[] = " Failed to replace the installed file";
inline constexpr char ProfileFailedText[] = " Failed to set the screen saver in system.ini";

// The command line.
inline constexpr char SetupRunningText[] = " Another setup is running";
// The argument not understood stands between these two.
inline constexpr char UnknownArgumentText[] = " Setup does not understand:\r\n\r\n";
inline constexpr char SwitchesHintText[] = "\r\n\r\nsetup /? lists what it does.";
// Shown under the title as the box's caption.
inline constexpr char SwitchesText[] = "setup\t\topens the setup window\r\n"
                                       "setup /install\tinstalls the screen saver\r\n"
                                       "setup /uninstall\tremoves it without asking\r\n"
                                       "/quiet\t\twith either: no window, no box\r\n"
                                       "/?\t\tthis list\r\n\r\n"
                                       "- works as / too, in any case.";

// The initialisation file entry that makes the installed file the system's screen saver.
inline constexpr char ProfileFile[] = "system.ini";
inline constexpr char ProfileSection[] = "boot";
inline constexpr char ProfileKey[] = "SCRNSAVE.EXE";
