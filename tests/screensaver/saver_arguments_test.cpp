// The command lines Windows and users start the saver with.
#include "saver_arguments.h"

#include <gtest/gtest.h>

namespace {

struct ArgumentCase {
    const char* CommandLine;
    SaverMode Mode;
    uint32_t Window;
};

class SaverArgumentsTest : public testing::TestWithParam<ArgumentCase> {};

TEST_P(SaverArgumentsTest, ReadsModeAndWindow) {
    const ArgumentCase& c = GetParam();
    SaverRequest request = ParseSaverCommandLine(c.CommandLine);
    EXPECT_EQ(static_cast<int>(request.Mode), static_cast<int>(c.Mode)) << c.CommandLine;
    EXPECT_EQ(request.Window, c.Window) << c.CommandLine;
}

constexpr SaverMode Full = SaverMode::FullScreen;
constexpr SaverMode Preview = SaverMode::Preview;
constexpr SaverMode Settings = SaverMode::Settings;

INSTANTIATE_TEST_SUITE_P(
    FullScreen, SaverArgumentsTest,
    testing::Values(ArgumentCase{"Flarvex.scr /s", Full, 0},
                    ArgumentCase{"Flarvex.scr /S", Full, 0},
                    ArgumentCase{"Flarvex.scr -s", Full, 0},
                    ArgumentCase{"Flarvex.scr\t \t-S   ", Full, 0},
                    ArgumentCase{"C:\\WINDOWS\\FLARVEX.SCR /s", Full, 0},
                    // Quoted names may hold blanks, and options may follow the quote at once.
                    ArgumentCase{"\"C:\\Program Files\\Flarvex.scr\" /s", Full, 0},
                    ArgumentCase{"\"C:\\Program Files\\Flarvex.scr\"/s", Full, 0},
                    ArgumentCase{"\"C:\\a /p 5\\Flarvex.scr\" -s", Full, 0},
                    ArgumentCase{"Flarvex.scr /s /p 12", Full, 0}));

INSTANTIATE_TEST_SUITE_P(
    Preview, SaverArgumentsTest,
    testing::Values(ArgumentCase{"Flarvex.scr /p 1234", Preview, 1234},
                    ArgumentCase{"Flarvex.scr /P:1234", Preview, 1234},
                    ArgumentCase{"Flarvex.scr -p\t66222", Preview, 66222},
                    ArgumentCase{"Flarvex.scr /p: 77", Preview, 77},
                    ArgumentCase{"Flarvex.scr /p 4294967295", Preview, 4294967295u},
                    // No window, or none that can be one: the preview has nowhere to draw.
                    ArgumentCase{"Flarvex.scr /p", Preview, 0},
                    ArgumentCase{"Flarvex.scr /p:", Preview, 0},
                    ArgumentCase{"Flarvex.scr /p 4294967296", Preview, 0},
                    ArgumentCase{"Flarvex.scr /p 99999999999999999999999", Preview, 0},
                    ArgumentCase{"Flarvex.scr /p 12ab", Preview, 0},
                    ArgumentCase{"Flarvex.scr /p -12", Preview, 0}));

INSTANTIATE_TEST_SUITE_P(
    Settings, SaverArgumentsTest,
    testing::Values(
        ArgumentCase{"Flarvex.scr", Settings, 0}, ArgumentCase{"Flarvex.scr   ", Settings, 0},
        ArgumentCase{"\"C:\\Program Files\\Flarvex.scr\"", Settings, 0},
        ArgumentCase{"", Settings, 0}, ArgumentCase{"\"unterminated /s", Settings, 0},
        ArgumentCase{"Flarvex.scr /c", Settings, 0}, ArgumentCase{"Flarvex.scr -C", Settings, 0},
        ArgumentCase{"Flarvex.scr /c:1234", Settings, 1234},
        ArgumentCase{"Flarvex.scr /C 987", Settings, 987},
        // Anything unknown asks for the settings.
        ArgumentCase{"Flarvex.scr /a 1234", Settings, 0},
        ArgumentCase{"Flarvex.scr /x", Settings, 0}, ArgumentCase{"Flarvex.scr /", Settings, 0},
        ArgumentCase{"Flarvex.scr -", Settings, 0}, ArgumentCase{"Flarvex.scr s", Settings, 0},
        ArgumentCase{"Flarvex.scr /settings", Settings, 0},
        ArgumentCase{"Flarvex.scr /sp 12", Settings, 0}));

} // namespace
