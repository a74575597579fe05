// The I/O result register and the mapping of system errors into it.
#include "io_result.h"
#include "runtime_state.h"

#include <gtest/gtest.h>

namespace {

TEST(IoResult, MapsSystemErrors) {
    const struct {
        uint32_t system;
        uint16_t code;
    } cases[] = {
        {2, 2},          {3, 3},
        {5, 5},          {18, 18},
        {19, 150},       {25, 156},
        {31, 162},                          // device errors
        {32, 5},                            // sharing violation: access denied
        {33, 33},        {0x12345, 0x2345}, // others keep their low 16 bits
        {0xFFFF0005, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IoResultFromSystemError(c.system), c.code) << "system error " << c.system;
}

TEST(IoResult, TakeReturnsTheCodeOnceAndMappingClearsTheSystemError) {
    LastSystemError = 32;
    MapLastSystemError();
    EXPECT_EQ(LastSystemError, 0u);
    EXPECT_EQ(TakeIoResult(), 5);
    EXPECT_EQ(TakeIoResult(), 0);
}

} // namespace
