// Reading the setup's command line.
#include "setup_command.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CommandCase {
    const char* commandLine;
    SetupAction action;
    bool quiet;
    const char* offending; // the argument named, for Invalid
};

class SetupCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(SetupCommandTest, ReadsTheActionTheQuietAndTheArgumentNotUnderstood) {
    const CommandCase& c = GetParam();
    SetupCommand command = ParseSetupCommandLine(c.commandLine);
    EXPECT_EQ(static_cast<int>(command.Action), static_cast<int>(c.action)) << c.commandLine;
    EXPECT_EQ(command.Quiet, c.quiet) << c.commandLine;
    EXPECT_EQ(
        std::string(command.Offending.Text ? command.Offending.Text : "", command.Offending.Length),
        c.offending)
        << c.commandLine;
}

using A = SetupAction;
INSTANTIATE_TEST_SUITE_P(
    Lines, SetupCommandTest,
    ::testing::Values(CommandCase{"setup.exe", A::Window, false, ""},
                      CommandCase{"\"C:\\Program Files\\setup.exe\"   ", A::Window, false, ""},
                      CommandCase{"setup /install", A::Install, false, ""},
                      CommandCase{"setup -INSTALL", A::Install, false, ""},
                      CommandCase{"\"C:\\my setup\\setup.exe\"/Uninstall", A::Uninstall, false, ""},
                      CommandCase{"setup /uninstall\t/QUIET", A::Uninstall, true, ""},
                      CommandCase{"setup -quiet \"/install\"", A::Install, true, ""},
                      CommandCase{"setup /?", A::Help, false, ""},
                      CommandCase{"setup /install /?", A::Help, false, ""},
                      CommandCase{"setup -? /quiet", A::Help, true, ""},
                      // What it does not understand is named, and /? does not hide it.
                      CommandCase{"setup /instal", A::Invalid, false, "/instal"},
                      CommandCase{"setup /installs", A::Invalid, false, "/installs"},
                      CommandCase{"setup install", A::Invalid, false, "install"},
                      CommandCase{"setup /", A::Invalid, false, "/"},
                      CommandCase{"setup /install /bogus /other", A::Invalid, false, "/bogus"},
                      CommandCase{"setup /? \"a b\"", A::Invalid, false, "\"a b\""},
                      CommandCase{"setup /install /uninstall", A::Invalid, false, "/uninstall"},
                      CommandCase{"setup /install /install", A::Invalid, false, "/install"},
                      CommandCase{"setup /quiet", A::Invalid, true, "/quiet"},
                      CommandCase{"setup \"/unterminated", A::Invalid, false, "\"/unterminated"}));

} // namespace
