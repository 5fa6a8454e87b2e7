// The load and unload routines, the command table and the text style.

#include <gtest/gtest.h>

#include "ZcDbTextStyleTable.h"
#include "ZcEdCommandStack.h"
#include "frame/Application.h"
#include "frame/CommandTable.h"
#include "services/TextStyle.h"
#include "tests/support/TestDrawing.h"

namespace {

void first() {}
void second() {}
void third() {}

ZcEdCommandStack& commands() { return *ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_COMMAND_DOCK)); }

int commandsInGroup(const char* group)
{
    int n = 0;
    for (int i = 0; i < commands().numCommands(); ++i)
        n += std::string(commands().commandAt(i)->groupName()) == group;
    return n;
}

// Removes what a test registered, whatever it asserted.
struct CommandGroupCleanup {
    ~CommandGroupCleanup() { RemoveCommands(); }
};

ZcDbTextStyleTableRecord* openStyle(ZcDbObjectId id)
{
    ZcDbTextStyleTableRecord* record = nullptr;
    zcdbOpenObject(record, id, ZcDb::kForRead);
    return record;
}

}  // namespace

TEST(CommandTable, RowsAreRegisteredInOrderUnderTheGroupAndRemovedTogether)
{
    CommandGroupCleanup cleanup;
    const std::vector<CommandRow> rows = {{"D_Pierwsze", first}, {"D_Drugie", second}};
    RegisterCommands(rows);
    ASSERT_EQ(commandsInGroup(kCommandGroup), 2);
    const ZcEdCommand* command = commands().lookupTyped("d_drugie");
    ASSERT_NE(command, nullptr);
    EXPECT_STREQ(command->globalName(), "D_Drugie");
    EXPECT_STREQ(command->localName(), "D_Drugie");
    EXPECT_EQ(command->commandFlags(), 1);
    EXPECT_EQ(command->functionAddr(), &second);

    RemoveCommands();
    EXPECT_EQ(commandsInGroup(kCommandGroup), 0);
    RegisterCommands(rows);
    EXPECT_EQ(commandsInGroup(kCommandGroup), 2) << "registered again after removal";
}

TEST(CommandTable, ATakenNameDoesNotStopTheRowsAfterIt)
{
    CommandGroupCleanup cleanup;
    RegisterCommands({{"D_Pierwsze", first}, {"d_pierwsze", second}, {"D_Trzecie", third}});
    EXPECT_EQ(commandsInGroup(kCommandGroup), 2);
    EXPECT_EQ(commands().lookupTyped("D_Pierwsze")->functionAddr(), &first);
    EXPECT_NE(commands().lookupTyped("D_Trzecie"), nullptr);
}

TEST(LoadApplication, EnsuresTheTextStyleAndLeavesNothingOpen)
{
    CommandGroupCleanup cleanup;
    TestDrawing drawing;
    LoadApplication();
    EXPECT_EQ(drawing.openCount(), 0u);
    const ZcDbObjectId id = EnsureTextStyle(kTarvoTextStyle);
    ZcDbTextStyleTableRecord* style = openStyle(id);
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->fileName(), "Tarvowa.ttf");
    EXPECT_DOUBLE_EQ(style->textSize(), 1.0);
    style->close();
    EXPECT_EQ(commandsInGroup(kCommandGroup), int(CommandTable().size()));
    UnloadApplication();
    EXPECT_EQ(commandsInGroup(kCommandGroup), 0);
}

TEST(EnsureTextStyle, TwiceGivesTheSameStyleOnce)
{
    TestDrawing drawing;
    const ZcDbObjectId id = EnsureTextStyle("Tarvowy");
    ASSERT_FALSE(id.isNull());
    EXPECT_EQ(EnsureTextStyle("Tarvowy"), id);
    ZcDbTextStyleTable* table = nullptr;
    ASSERT_EQ(drawing.db().getTextStyleTable(table, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(table->recordIds().size(), 2u) << "Standard and Tarvowy";
    table->close();
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(EnsureTextStyle, AnExistingStyleKeepsItsFont)
{
    TestDrawing drawing;
    ZcDbTextStyleTable* table = nullptr;
    ASSERT_EQ(drawing.db().getTextStyleTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* record = new ZcDbTextStyleTableRecord;
    record->setName("Tarvowy");
    record->setFileName("arial.ttf");
    ZcDbObjectId id;
    ASSERT_EQ(table->add(id, record), Zcad::eOk);
    record->close();
    table->close();

    LoadApplication();
    RemoveCommands();
    EXPECT_EQ(EnsureTextStyle("Tarvowy"), id);
    ZcDbTextStyleTableRecord* style = openStyle(id);
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->fileName(), "arial.ttf");
    EXPECT_DOUBLE_EQ(style->textSize(), 0.0);
    style->close();
}

TEST(EnsureTextStyle, NullWithoutAWorkingDrawingOrWithABadName)
{
    TestDrawing drawing;
    EXPECT_TRUE(EnsureTextStyle("Zła|nazwa").isNull());
    EXPECT_EQ(drawing.openCount(), 0u);
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_TRUE(EnsureTextStyle("Tarvowy").isNull());
}
