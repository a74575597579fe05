// The message boxes the setup and its screen saver show, each as the user must see it, and the
// one check that a box seen is the one expected. Portable: Windows tests read boxes with
// message_box_reader, end-to-end tests through box_probe.exe.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// The MB_ flags a box is shown with, as numbers, for tests that do not include <windows.h>.
constexpr unsigned BoxOk = 0x0, BoxOkCancel = 0x1;
constexpr unsigned BoxIconQuestion = 0x20, BoxIconExclamation = 0x30, BoxIconInformation = 0x40;
constexpr unsigned BoxDefaultButton2 = 0x100;

// What a box must show: its caption and text exactly, blanks included, and the flags that
// would make it (buttons, icon, default button).
struct ExpectedBox {
    std::string Caption, Text;
    unsigned Flags;
};

// What a test saw of a box; Shown is false when none appeared.
struct SeenBox {
    bool Shown = false;
    std::string Caption, Text;
    unsigned Flags = 0;
};

// Every box the user can be told something in.
namespace told {
inline const ExpectedBox Installed = {" Installation completed ",
                                      " Program installed in desired manner", BoxOk};
inline const ExpectedBox CreateFailed = {" Error", " Failed to create the file",
                                         BoxIconExclamation};
inline const ExpectedBox ReplaceFailed = {" Error", " Failed to replace the installed file",
                                          BoxIconExclamation};
inline const ExpectedBox ProfileFailed = {" Error", " Failed to set the screen saver in system.ini",
                                          BoxIconExclamation};
inline const ExpectedBox NotFound = {" File not found",
                                     " Setup did not find the installed file(s) on your system",
                                     BoxIconExclamation};
// Cancel is the default button.
inline const ExpectedBox UninstallQuestion = {" Uninstallation",
                                              "This will uninstall Flarvex clock",
                                              BoxOkCancel | BoxIconQuestion | BoxDefaultButton2};
inline const ExpectedBox Removed = {" Completed", " Program removed from your system", BoxOk};
inline const ExpectedBox RemoveFailed = {" Error", " Failed to remove the file",
                                         BoxIconExclamation};
// The command line's.
inline const ExpectedBox SetupRunning = {" Error", " Another setup is running", BoxIconExclamation};
inline const ExpectedBox Switches = {"Flarvex clock 2.90b installation setup",
                                     "setup\t\topens the setup window\r\n"
                                     "setup /install\tinstalls the screen saver\r\n"
                                     "setup /uninstall\tremoves it without asking\r\n"
                                     "/quiet\t\twith either: no window, no box\r\n"
                                     "/?\t\tthis list\r\n\r\n"
                                     "- works as / too, in any case.",
                                     BoxIconInformation};
// Names the first argument of a command line that is not understood.
ExpectedBox NotUnderstood(const std::string& argument);
} // namespace told

// Success when seen was shown with expected's caption, text and flags; otherwise a failure
// that says what differs.
testing::AssertionResult ShowsBox(const SeenBox& seen, const ExpectedBox& expected);

// Success when the boxes seen, in order, are exactly the expected ones.
testing::AssertionResult ShowsBoxes(const std::vector<SeenBox>& seen,
                                    std::initializer_list<ExpectedBox> expected);
