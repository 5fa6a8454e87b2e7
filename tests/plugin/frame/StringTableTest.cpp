// The string table compiled from the resource script.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "frame/StringTable.h"
#include "resource.h"

TEST(StringTable, HoldsEveryStringOfTheSystemAndNoOther)
{
    const std::set<unsigned> unused = {8010, 8013, 8018, 8021, 8022, 8024, 8028, 8045, 8098};
    // 8109, 8110: the information board's messages for a width too narrow
    // for its corners and a text height too large.
    for (unsigned id = 8001; id <= 8110; ++id) {
        const bool used = !unused.count(id);
        EXPECT_EQ(HasTarvoString(id), used) << id;
        if (used) {
            EXPECT_STRNE(LoadTarvoString(id), "") << id;
        }
    }
    EXPECT_EQ(TarvoStringTable().size(), 110u - unused.size());
    EXPECT_FALSE(HasTarvoString(8000));
    EXPECT_FALSE(HasTarvoString(8111));
    EXPECT_STREQ(LoadTarvoString(8010), "") << "a missing id shows nothing";
    EXPECT_STREQ(LoadTarvoString(0), "");
}

TEST(StringTable, TextsAreUtf8WithTheirLineFeeds)
{
    EXPECT_STREQ(LoadTarvoString(IDS_CANCEL), "Anuluj");
    EXPECT_STREQ(LoadTarvoString(IDS_TEXT_HEIGHT_NOT_NUMBER), "Wysokość tekstu musi być wartością liczbową");
    EXPECT_STREQ(LoadTarvoString(IDS_PROMPT_EDGE_CROSSING), "\nWskaż punkt na przecięciu krawędzi dróg");
    EXPECT_STREQ(LoadTarvoString(IDS_PROMPT_MIDDLE_RADIUS), "\nPodaj środkowy promień krzywej koszowej");
    EXPECT_STREQ(LoadTarvoString(IDS_PROMPT_OBJECT), "\n Wskaż objekt");
    EXPECT_STREQ(LoadTarvoString(8067), "Strzałka kierunkowa na wprost lub i do zawracania");
    EXPECT_STREQ(LoadTarvoString(8099), "I Generacja");
}

TEST(StringTable, EveryPromptStartsANewLine)
{
    for (unsigned id : {IDS_PROMPT_DASHED_SIDE, IDS_PROMPT_FIRST_POINT, IDS_PROMPT_NEXT_POINT, IDS_PROMPT_SECOND_POINT,
                        IDS_PROMPT_INSERTION_POINT, IDS_PROMPT_DIRECTION, IDS_PROMPT_ROAD_FIRST_POINT,
                        IDS_PROMPT_ROAD_SECOND_POINT, IDS_PROMPT_DESCRIPTION_LINE, IDS_PROMPT_FIRST_EDGE,
                        IDS_PROMPT_SECOND_EDGE, IDS_PROMPT_EDGE_CROSSING, IDS_PROMPT_OBJECT, IDS_PROMPT_MIDDLE_RADIUS})
        EXPECT_EQ(LoadTarvoString(id)[0], '\n') << id;
    // Captions and list items do not.
    for (unsigned id : {IDS_CLOSE, IDS_ROAD_WIDTH, IDS_DEST_DESIGNED, IDS_ADD_DESCRIPTION})
        EXPECT_NE(LoadTarvoString(id)[0], '\n') << id;
    unsigned previous = 0;
    for (const StringTableEntry& e : TarvoStringTable()) {
        EXPECT_GT(e.id, previous) << "sorted, each id once";
        previous = e.id;
    }
}
