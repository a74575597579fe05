// Module initialisation in order, exit procedures, finalisation in reverse order.
#include "module_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Log;
void Init1() {
    Log += "i1 ";
}
void Init2() {
    Log += "i2 ";
}
void Init4() {
    Log += "i4(" + std::to_string(InitialisedCount) + ") ";
}
void Fin1() {
    Log += "f1 ";
}
void Fin3() {
    Log += "f3 ";
}
void Fin4() {
    Log += "f4 ";
}

const ModuleEntry Table[] = {
    {Init1, Fin1}, {Init2, nullptr}, {nullptr, Fin3}, {Init4, Fin4}, {nullptr, nullptr},
};

TEST(ModuleTable, InitialisesInOrderCountingEachEntry) {
    Log.clear();
    InitialisedCount = 0;
    InitialiseModules(Table, 5);
    EXPECT_EQ(Log, "i1 i2 i4(3) ") << "entry 4 runs after entries 1 to 3 were counted";
    EXPECT_EQ(InitialisedCount, 5);
}

TEST(ModuleTable, FinalisesOnlyInitialisedEntriesInReverse) {
    Log.clear();
    InitialisedCount = 5;
    FinaliseModules(Table);
    EXPECT_EQ(Log, "f4 f3 f1 ");
    EXPECT_EQ(InitialisedCount, 0);

    Log.clear();
    InitialisedCount = 3; // a halt during the fourth entry's initialisation
    FinaliseModules(Table);
    EXPECT_EQ(Log, "f3 f1 ");
}

int ExitRuns;
void SecondExit() {
    ++ExitRuns;
    EXPECT_EQ(IoResultCode, 0);
}
void FirstExit() {
    ++ExitRuns;
    EXPECT_EQ(IoResultCode, 0) << "cleared before each exit procedure";
    EXPECT_EQ(ExitProcedure, nullptr) << "the slot is emptied before the call";
    IoResultCode = 103;
    ExitProcedure = SecondExit;
}

TEST(ModuleTable, ExitProceduresChainAndSeeAClearResult) {
    ExitRuns = 0;
    IoResultCode = 2;
    ExitProcedure = FirstExit;
    RunExitProcedures();
    EXPECT_EQ(ExitRuns, 2);
    EXPECT_EQ(ExitProcedure, nullptr);
    IoResultCode = 0;
}

} // namespace
