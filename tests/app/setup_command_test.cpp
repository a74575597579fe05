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
                      CommandCase{"setup -? /quiet", A::Help, true, ""},
                      // No switch at all: a dropped file, or the rest of an unquoted path.
                      CommandCase{"setup \"C:\\my files\\a picture.png\"", A::Window, false, ""},
                      CommandCase{"C:\\Program Files\\Flarvex\\setup.exe", A::Window, false, ""},
                      CommandCase{"setup /instal /installs install /", A::Window, false, ""},
                      CommandCase{"setup \"/unterminated", A::Window, false, ""},
                      // With a switch, what it does not understand is named.
                      CommandCase{"setup /instal /quiet", A::Invalid, true, "/instal"},
                      CommandCase{"setup /install /bogus /other", A::Invalid, false, "/bogus"},
                      CommandCase{"setup /? \"a b\"", A::Invalid, false, "\"a b\""},
                      CommandCase{"setup /install /uninstall", A::Invalid, false, "/uninstall"},
                      CommandCase{"setup /install /install", A::Invalid, false, "/install"},
                      CommandCase{"setup /install /?", A::Invalid, false, "/?"},
                      CommandCase{"setup /? /uninstall /quiet", A::Invalid, true, "/uninstall"},
                      CommandCase{"setup /quiet", A::Invalid, true, "/quiet"}));

} // namespace
