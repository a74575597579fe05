// Every text the setup shows, spelled exactly as the user sees it, blanks included.
#pragma once

constexpr char TitleText[] = "Flarvex clock 2.90b installation setup"; // also the class name
constexpr char WindowCaption[] = " Setup";
constexpr char InstallFileNameText[] = "Flarvex.scr";

constexpr char InstallCaption[] = "Install";
constexpr char ReinstallCaption[] = "Reinstall";
constexpr char UninstallCaption[] = "Uninstall";
constexpr char ExitCaption[] = "Exit";

// Start-up failures.
constexpr char StartupErrorCaption[] = "Error ";
constexpr char RegisterClassFailedText[] = "Can not Register Class";
constexpr char GetDcFailedText[] = "Can not get DC";
constexpr char WindowsDirectoryFailedText[] = "Can not get Windows directory";

// Install and uninstall.
constexpr char InstalledText[] = " Program installed in desired manner";
constexpr char InstalledCaption[] = " Installation completed ";
constexpr char NotFoundText[] = " Setup did not find the installed file(s) on your system";
constexpr char NotFoundCaption[] = " File not found";
constexpr char UninstallQuestionText[] = "This will uninstall Flarvex clock";
constexpr char UninstallQuestionCaption[] = " Uninstallation";
constexpr char RemovedText[] = " Program removed from your system";
constexpr char RemovedCaption[] = " Completed";
constexpr char ErrorCaption[] = " Error";
constexpr char RemoveFailedText[] = " Failed to remove the file";
constexpr char CreateFailedText[] = " Failed to create the file";
constexpr char WriteFailedText[] = " Failed to write the file";
constexpr char ReplaceFailedText[] = " Failed to replace the installed file";
constexpr char ProfileFailedText[] = " Failed to set the screen saver in system.ini";

// The command line.
constexpr char SetupRunningText[] = " Another setup is running: finish it first";
constexpr char UnknownArgumentText[] = " Setup does not understand this on its command line:";
constexpr char SwitchesHintText[] = "setup /? lists what it does understand.";
constexpr char SwitchesText[] = "Flarvex clock 2.90b installation setup\r\n\r\n"
                                "setup\t\topens the setup window\r\n"
                                "setup /install\tinstalls the screen saver\r\n"
                                "setup /uninstall\tremoves it without asking\r\n"
                                "/quiet\t\twith either: no window, no message\r\n"
                                "/?\t\tthis list\r\n\r\n"
                                "Switches may also start with -, in any case.";

// The initialisation file entry that makes the installed file the system's screen saver.
constexpr char ProfileFile[] = "system.ini";
constexpr char ProfileSection[] = "boot";
constexpr char ProfileKey[] = "SCRNSAVE.EXE";
