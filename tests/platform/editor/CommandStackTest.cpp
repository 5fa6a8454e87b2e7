// The command stack and the system registry.

#include <gtest/gtest.h>

#include "ZcEdCommandStack.h"
#include "ZcRxDynamicLinker.h"

namespace {

void one() {}
void two() {}

// A stack of its own, so tests do not meet the process-wide one.
struct Stack : testing::Test {
    ZcEdCommandStack stack;
};

}  // namespace

TEST(SystemRegistry, HoldsTheDynamicLinkerAndTheCommandStack)
{
    EXPECT_NE(ZcRxDynamicLinker::cast(zcrxSysRegistry()->at(ZCRX_DYNAMIC_LINKER)), nullptr);
    EXPECT_NE(ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_COMMAND_DOCK)), nullptr);
    EXPECT_EQ(ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_DYNAMIC_LINKER)), nullptr) << "checked cast";
    EXPECT_EQ(zcrxSysRegistry()->at("Nothing"), nullptr);
}

TEST_F(Stack, FindsByGlobalOrLocalNameInAnyCase)
{
    ZcEdCommand* added = nullptr;
    ASSERT_EQ(stack.addCommand("Tarvo", "D_Linie", "D_Linie_PL", 1, one, nullptr, -1, nullptr, &added), Zcad::eOk);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(stack.lookupTyped("d_linie"), added);
    EXPECT_EQ(stack.lookupTyped("D_LINIE_pl"), added);
    EXPECT_EQ(stack.lookupGlobalCmd("D_LINIE_PL"), nullptr);
    EXPECT_EQ(stack.lookupLocalCmd("D_LINIE"), nullptr);
    EXPECT_EQ(stack.lookupTyped("D_Lin"), nullptr);
}

TEST_F(Stack, ATakenNameIsRefused)
{
    ASSERT_EQ(stack.addCommand("Tarvo", "E4", "E4", 1, one), Zcad::eOk);
    EXPECT_EQ(stack.addCommand("Inna", "e4", "X", 1, two), Zcad::eDuplicateKey) << "in any group";
    EXPECT_EQ(stack.addCommand("Inna", "X", "E4", 1, two), Zcad::eDuplicateKey) << "as a local name";
    EXPECT_EQ(stack.addCommand("Tarvo", "E5", "E5", 1, two), Zcad::eOk);
    EXPECT_EQ(stack.numCommands(), 2);
    EXPECT_EQ(stack.lookupTyped("E4")->functionAddr(), &one);
}

TEST_F(Stack, NamesMustBeTypeableAndHandlersReal)
{
    EXPECT_EQ(stack.addCommand("Tarvo", "", "", 1, one), Zcad::eInvalidInput);
    EXPECT_EQ(stack.addCommand("Tarvo", "D Linie", "D Linie", 1, one), Zcad::eInvalidInput);
    EXPECT_EQ(stack.addCommand("Tarvo", nullptr, "X", 1, one), Zcad::eInvalidInput);
    EXPECT_EQ(stack.addCommand("Tarvo", "X", "X", 1, nullptr), Zcad::eInvalidInput);
    EXPECT_EQ(stack.addCommand(nullptr, "X", "X", 1, one), Zcad::eInvalidInput);
    EXPECT_EQ(stack.numCommands(), 0);
}

TEST_F(Stack, RemovesAWholeGroupOrOneCommand)
{
    stack.addCommand("Tarvo", "E4", "E4", 1, one);
    stack.addCommand("Tarvo", "E5", "E5", 1, two);
    stack.addCommand("Inna", "X", "X", 1, two);
    EXPECT_EQ(stack.removeGroup("TARVO"), Zcad::eOk);
    EXPECT_EQ(stack.numCommands(), 1);
    EXPECT_EQ(stack.removeGroup("Tarvo"), Zcad::eKeyNotFound);
    EXPECT_EQ(stack.removeCmd("Inna", "Y"), Zcad::eKeyNotFound);
    EXPECT_EQ(stack.removeCmd("Inna", "x"), Zcad::eOk);
    EXPECT_EQ(stack.numCommands(), 0);
    EXPECT_EQ(stack.addCommand("Tarvo", "E4", "E4", 1, one), Zcad::eOk) << "the name is free again";
}
