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
