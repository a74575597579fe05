// The box check: it passes a box that shows exactly what is expected and fails, saying why,
// on any difference, blanks included.
#include "setup_boxes.h"

#include <gtest/gtest.h>

namespace {

SeenBox Seen(const ExpectedBox& box) {
    return {true, box.Caption, box.Text, box.Flags};
}

TEST(SetupBoxes, AcceptsTheBoxExpected) {
    EXPECT_TRUE(ShowsBox(Seen(told::UninstallQuestion), told::UninstallQuestion));
    EXPECT_TRUE(ShowsBoxes({Seen(told::UninstallQuestion), Seen(told::Removed)},
                           {told::UninstallQuestion, told::Removed}));
    EXPECT_TRUE(ShowsBoxes({}, {}));
}

TEST(SetupBoxes, RejectsEveryDifferenceAndNamesIt) {
    struct Case {
        SeenBox Seen;
        const char* Said;
    } const cases[] = {
        {{false, "", "", 0}, "no box captioned ' Completed' appeared"},
        {{true, "Completed", " Program removed from your system", 0}, "caption 'Completed'"},
        {{true, " Completed", " Program removed from your system ", 0}, "text"},
        {{true, " Completed", " Program removed from your system", 0x30}, "flags 0x30, not 0x0"},
    };
    for (const Case& c : cases) {
        testing::AssertionResult result = ShowsBox(c.Seen, told::Removed);
        EXPECT_FALSE(result) << c.Said;
        EXPECT_NE(std::string(result.message()).find(c.Said), std::string::npos)
            << result.message();
    }
}

TEST(SetupBoxes, RejectsASequenceOfOtherBoxesOrOfAnotherLength) {
    const SeenBox question = Seen(told::UninstallQuestion), removed = Seen(told::Removed);
    EXPECT_FALSE(ShowsBoxes({question}, {told::UninstallQuestion, told::Removed}));
    EXPECT_FALSE(
        ShowsBoxes({question, removed, removed}, {told::UninstallQuestion, told::Removed}));
    EXPECT_FALSE(ShowsBoxes({removed, question}, {told::UninstallQuestion, told::Removed}));
    EXPECT_FALSE(
        ShowsBoxes({question, Seen(told::RemoveFailed)}, {told::UninstallQuestion, told::Removed}));
}

} // namespace
