// The exception table and the stack of pending faults.
#include "fault_table.h"

#include <gtest/gtest.h>

namespace {

TEST(FaultTable, LeavesCodesOutsideTheTableToTheSystem) {
    for (uint32_t code : {0x80000003u, 0xC0000008u, 0xE06D7363u, 0u})
        EXPECT_EQ(FindFaultMapping(code), nullptr) << std::hex << code;
    const FaultMapping* overflow = FindFaultMapping(0xC00000FD);
    ASSERT_NE(overflow, nullptr);
    EXPECT_EQ(overflow->Number, 202);
    EXPECT_FALSE(overflow->ResetFloatingPoint);
}

TEST(FaultTable, PendingFaultsHoldSixteenAndPopNewestFirst) {
    PendingFaultCount = 0;
    for (int i = 0; i < PendingFaultCapacity; ++i)
        ASSERT_TRUE(PushPendingFault({uintptr_t(0x1000 + i), uint16_t(200 + i), i % 2 == 0}));
    EXPECT_FALSE(PushPendingFault({0x9999, 1, false})) << "a seventeenth";
    EXPECT_EQ(PendingFaultCount, PendingFaultCapacity);
    for (int i = PendingFaultCapacity - 1; i >= 0; --i) {
        PendingFault fault = PopPendingFault();
        EXPECT_EQ(fault.Address, uintptr_t(0x1000 + i));
        EXPECT_EQ(fault.Number, 200 + i);
        EXPECT_EQ(fault.ResetFloatingPoint, i % 2 == 0);
    }
    EXPECT_EQ(PendingFaultCount, 0);
    EXPECT_EQ(PopPendingFault().Address, 0x1000u) << "an empty stack gives its bottom entry";
    EXPECT_EQ(PendingFaultCount, 0);
}

} // namespace
