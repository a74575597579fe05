// Comparing a box seen with the box expected, field by field.
#include "setup_boxes.h"

#include <stdio.h>

namespace {

std::string Hex(unsigned value) {
    char text[16];
    snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// Why seen is not expected; empty when it is.
std::string Differences(const SeenBox& seen, const ExpectedBox& expected) {
    if (!seen.Shown)
        return "no box captioned '" + expected.Caption + "' appeared";
    std::string differences;
    if (seen.Caption != expected.Caption)
        differences += "caption '" + seen.Caption + "', not '" + expected.Caption + "'; ";
    if (seen.Text != expected.Text)
        differences += "text '" + seen.Text + "', not '" + expected.Text + "'; ";
    if (seen.Flags != expected.Flags)
        differences += "flags " + Hex(seen.Flags) + ", not " + Hex(expected.Flags) + "; ";
    return differences;
}

} // namespace

ExpectedBox told::NotUnderstood(const std::string& argument) {
    return {" Setup",
            " Setup does not understand:\r\n\r\n" + argument +
                "\r\n\r\nsetup /? lists what it does.",
            BoxIconExclamation};
}

testing::AssertionResult ShowsBox(const SeenBox& seen, const ExpectedBox& expected) {
    std::string differences = Differences(seen, expected);
    if (differences.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << differences;
}

testing::AssertionResult ShowsBoxes(const std::vector<SeenBox>& seen,
                                    std::initializer_list<ExpectedBox> expected) {
    if (seen.size() != expected.size()) {
        testing::AssertionResult result = testing::AssertionFailure()
                                          << seen.size() << " boxes shown, not " << expected.size()
                                          << ":";
        for (const SeenBox& box : seen)
            result << " '" << box.Caption << "'";
        return result;
    }
    std::string differences;
    size_t i = 0;
    for (const ExpectedBox& box : expected) {
        std::string these = Differences(seen[i++], box);
        if (!these.empty())
            differences += "box " + std::to_string(i) + ": " + these;
    }
    if (differences.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << differences;
}
