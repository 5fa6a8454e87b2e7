// The command table: what each dialog command keeps of its dialog's choices
// for the next dialog command.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "frame/CommandSettings.h"
#include "frame/CommandTable.h"
#include "tests/support/TestDrawing.h"

namespace {

// Which choices each command hands on, written out rather than read from
// the table: a wrong or missing bit in a row loses (or leaks) a choice.
struct Kept {
    const char* command;
    std::set<std::string> fields;
};

const Kept kKept[] = {
    {"E4",
     {"destination", "scaleIndex", "addDescription", "directionRight", "insertAsBlock", "sizeClass", "generation"}},
    {"E5",
     {"destination", "scaleIndex", "addDescription", "directionRight", "insertAsBlock", "sizeClass", "generation"}},
    {"E17a",
     {"destination", "scaleIndex", "addDescription", "directionRight", "insertAsBlock", "sizeClass", "generation"}},
    {"E18a",
     {"destination", "scaleIndex", "addDescription", "directionRight", "insertAsBlock", "sizeClass", "generation"}},
    {"E21",
     {"destination", "scaleIndex", "addDescription", "directionRight", "insertAsBlock", "sizeClass", "generation"}},
    {"D_InfoTab", {}},
    {"D_Linie", {"destination", "scaleIndex", "lineIndex"}},
    {"D_Strzalki", {"destination", "scaleIndex"}},
    {"D_Koszowa", {}},
    {"D_Swiatla", {"destination", "scaleIndex"}},
    {"D_Wyspy", {}},
};

// Every field of the record, read as a number.
struct Field {
    const char* name;
    long (*get)(const CommandSettings&);
};

const Field kFields[] = {
    {"destination", [](const CommandSettings& s) -> long { return s.destination; }},
    {"scaleIndex", [](const CommandSettings& s) -> long { return s.scaleIndex; }},
    {"lineIndex", [](const CommandSettings& s) -> long { return s.lineIndex; }},
    {"addDescription", [](const CommandSettings& s) -> long { return s.addDescription; }},
    {"directionRight", [](const CommandSettings& s) -> long { return s.directionRight; }},
    {"insertAsBlock", [](const CommandSettings& s) -> long { return s.insertAsBlock; }},
    {"sizeClass", [](const CommandSettings& s) -> long { return s.sizeClass; }},
    {"generation", [](const CommandSettings& s) -> long { return s.generation; }},
};

const CommandRow* rowNamed(const std::string& name)
{
    for (const CommandRow& row : CommandTable())
        if (row.name == name)
            return &row;
    return nullptr;
}

class CommandKeeps : public testing::TestWithParam<Kept> {};

}  // namespace

TEST_P(CommandKeeps, ItsFieldsAndNoOthersGoBack)
{
    TestDrawing drawing;
    const Kept& expected = GetParam();
    const CommandRow* row = rowNamed(expected.command);
    ASSERT_NE(row, nullptr) << "not in the command table";
    EXPECT_EQ(&CommandRowOf(row->handler), row) << "the handler finds its own row, so it keeps what the row says";

    // Every field of the dialog's copy differs from the record's.
    CommandSettings dialog;
    dialog.destination = 3;
    dialog.scaleIndex = 1;
    dialog.lineIndex = 9;
    dialog.addDescription = TRUE;
    dialog.directionRight = TRUE;
    dialog.insertAsBlock = TRUE;
    dialog.sizeClass = -1;
    dialog.generation = 2;
    const CommandSettings before;
    for (const Field& f : kFields)
        ASSERT_NE(f.get(dialog), f.get(before)) << f.name;

    CommandSettings kept = before;
    CopyBackCommandSettings(row->kept, dialog, kept);
    for (const Field& f : kFields) {
        const bool keeps = expected.fields.count(f.name) > 0;
        EXPECT_EQ(f.get(kept), keeps ? f.get(dialog) : f.get(before))
            << f.name << (keeps ? " is kept" : " is not kept");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandKeeps, testing::ValuesIn(kKept),
                         [](const testing::TestParamInfo<Kept>& p) { return std::string(p.param.command); });

TEST(CommandTable, EveryCommandSaysWhatItKeeps)
{
    ASSERT_EQ(CommandTable().size(), std::size(kKept));
    for (const CommandRow& row : CommandTable()) {
        EXPECT_TRUE(std::any_of(std::begin(kKept), std::end(kKept), [&](const Kept& k) {
            return row.name == std::string(k.command);
        })) << row.name;
    }
    EXPECT_STREQ(CommandRowOf(nullptr).name, "") << "a handler outside the table keeps nothing";
    EXPECT_EQ(CommandRowOf(nullptr).kept, kKeepNothing);
}
