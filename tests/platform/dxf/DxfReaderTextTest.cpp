// Texts of a file become UTF-8: from the code page the header names (up to
// R2004), from UTF-8 (R2007 on), with "\U+XXXX", "\M+nXXXX" and caret
// escapes decoded, and never anything that is not well-formed UTF-8.

#include <gtest/gtest.h>

#include "ZcDbBlockTable.h"
#include "ZcDbMText.h"
#include "ZcDbText.h"
#include "platform/db/ObjectAccess.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfTextDecoder.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/platform/dxf/DxfSnippet.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

// The string of a TEXT in a file of that version and code page, the file's
// bytes given as they are.
std::string textOf(const std::string& acadver, const std::string& codePage, const std::string& bytes)
{
    const std::string file = dxfSnippet({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, acadver},
                                         {9, "$DWGCODEPAGE"}, {3, codePage}, {0, "ENDSEC"},
                                         {0, "SECTION"}, {2, "ENTITIES"},
                                         {0, "TEXT"}, {5, "20"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"},
                                         {10, "0"}, {20, "0"}, {30, "0"}, {40, "1"}, {1, bytes},
                                         {0, "ENDSEC"}, {0, "EOF"}});
    ZcDbDatabase db(false);
    std::string error;
    EXPECT_TRUE(readDxf(file, db, error)) << error;
    const auto* space = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId());
    if (!space || space->entityIds().empty())
        return "<nothing>";
    const auto* text = ZcDbObjectAccess::peekAs<ZcDbText>(space->entityIds().front());
    return text ? text->textString() : "<not a text>";
}

}  // namespace

TEST(DxfReaderText, CodePagesOfOlderFilesBecomeUtf8)
{
    EXPECT_EQ(textOf("AC1015", "ANSI_1250", "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1"), "Zażółć gęślą jaźń");
    EXPECT_EQ(textOf("AC1018", "ANSI_1251", "\xC4\xEE\xF0\xEE\xE3\xE0"), "Дорога");
    EXPECT_EQ(textOf("AC1009", "DOS852", "\xA5\xA9\xBE"), "ąęż");
    EXPECT_EQ(textOf("AC1015", "ansi_1252", "caf\xE9"), "café");
    // A name no code page answers to reads as Windows Latin 1, as CAD programs do.
    EXPECT_EQ(textOf("AC1015", "ANSI_9999", "caf\xE9"), "café");
    // A byte the code page leaves undefined becomes '?'.
    EXPECT_EQ(textOf("AC1015", "ANSI_1252", "a\x81z"), "a?z");
}

TEST(DxfReaderText, EscapesAreDecoded)
{
    EXPECT_EQ(textOf("AC1015", "ANSI_1250", "\\U+0141\\U+00f3d\\U+017A"), "Łódź");
    // A character beyond the first plane comes as a pair of escapes.
    EXPECT_EQ(textOf("AC1015", "ANSI_1250", "\\U+D83D\\U+DE97"), "\xF0\x9F\x9A\x97");
    EXPECT_EQ(textOf("AC1015", "ANSI_1250", "x\\U+D83Dy"), "x?y");
    EXPECT_EQ(textOf("AC1015", "ANSI_1250", "\\U+00"), "\\U+00") << "no escape without four digits";
    EXPECT_EQ(textOf("AC1015", "ANSI_932", "\\M+1815F"), "\xEF\xBC\xBC");
    // A caret and a space is a caret; one before anything else stays as it is.
    EXPECT_EQ(textOf("AC1015", "ANSI_1250", "a^Jb^Ic ^ d^2^"), "a\nb\tc ^d^2^");
}

TEST(DxfReaderText, EveryTextComesBackAsItWasWritten)
{
    // Carets and backslashes that look like escapes are the text's own.
    for (const char* original : {"A^B", "^", "x ^ y", "\\U+0041", "C:\\M+1815F\\", "\\P\\U+00", "^^J",
                                 "Zażółć ^Ł\\U+0142"}) {
        TestDrawing drawing;
        auto* text = new ZcDbText;
        text->setDatabaseDefaults(&drawing.db());
        ASSERT_EQ(text->setTextString(original), Zcad::eOk);
        const ZcDbObjectId id = drawing.append(text);
        auto* mtext = new ZcDbMText;
        mtext->setDatabaseDefaults(&drawing.db());
        // Long enough to go in chunks, so that a chunk may end anywhere.
        std::string contents;
        for (int i = 0; i < 60; ++i)
            contents += original;
        ASSERT_EQ(mtext->setContents(contents.c_str()), Zcad::eOk);
        const ZcDbObjectId mid = drawing.append(mtext);

        ZcDbDatabase db(false);
        std::string error;
        ASSERT_TRUE(readDxf(dxfToString(drawing.db()), db, error)) << error;
        ZcDbObjectId again;
        ASSERT_EQ(db.getZcDbObjectId(again, false, id.handle()), Zcad::eOk);
        EXPECT_EQ(ZcDbObjectAccess::peekAs<ZcDbText>(again)->textString(), original);
        ASSERT_EQ(db.getZcDbObjectId(again, false, mid.handle()), Zcad::eOk);
        EXPECT_EQ(ZcDbObjectAccess::peekAs<ZcDbMText>(again)->contents(), contents) << original;
    }
}

TEST(DxfReaderText, NewerFilesAreUtf8WhateverTheCodePage)
{
    EXPECT_EQ(textOf("AC1032", "ANSI_1250", "Zażółć gęślą jaźń"), "Zażółć gęślą jaźń");
    EXPECT_EQ(textOf("AC1021", "ANSI_1252", "Łódź \\U+00E9"), "Łódź é");
    // Bytes that are no UTF-8 become '?', one for each.
    EXPECT_EQ(textOf("AC1032", "ANSI_1252", "a\xC3z\xFF"), "a?z?");
}

TEST(DxfReaderText, EveryResultIsWellFormedUtf8)
{
    DxfTextDecoder decoder;
    for (int codePage : {1250, 1251, 1252, 932, 936}) {
        decoder.setCodePage("ANSI_" + std::to_string(codePage));
        for (int first = 0x80; first < 0x100; ++first) {
            const std::string bytes = {char(first), char(0x41), char(first), '\0'};
            const std::string text = decoder.decode(std::string_view(bytes.data(), 3));
            ZcDbText probe;
            EXPECT_EQ(probe.setTextString(text.c_str()), Zcad::eOk) << codePage << " " << first;
        }
    }
}

TEST(DxfReaderText, NamesAreFoundWhateverTheirSpelling)
{
    // The layer's record escapes the name; the entity spells it in the code
    // page, and in capitals.
    const std::string file = dxfSnippet({{0, "SECTION"},
                                         {2, "HEADER"},
                                         {9, "$ACADVER"},
                                         {1, "AC1015"},
                                         {9, "$DWGCODEPAGE"},
                                         {3, "ANSI_1250"},
                                         {0, "ENDSEC"},
                                         {0, "SECTION"},
                                         {2, "TABLES"},
                                         {0, "TABLE"},
                                         {2, "LAYER"},
                                         {5, "2"},
                                         {100, "AcDbSymbolTable"},
                                         {70, "1"},
                                         {0, "LAYER"},
                                         {5, "10"},
                                         {100, "AcDbSymbolTableRecord"},
                                         {100, "AcDbLayerTableRecord"},
                                         {2, "Kraw\\U+0119dzie"},
                                         {70, "0"},
                                         {62, "1"},
                                         {6, "Continuous"},
                                         {0, "ENDTAB"},
                                         {0, "ENDSEC"},
                                         {0, "SECTION"},
                                         {2, "ENTITIES"},
                                         {0, "LINE"},
                                         {5, "20"},
                                         {100, "AcDbEntity"},
                                         {8, "KRAW\xCA"
                                             "DZIE"},
                                         {100, "AcDbLine"},
                                         {10, "0"},
                                         {20, "0"},
                                         {30, "0"},
                                         {11, "1"},
                                         {21, "0"},
                                         {31, "0"},
                                         {0, "ENDSEC"},
                                         {0, "EOF"}});
    ZcDbDatabase db(false);
    std::string error;
    ASSERT_TRUE(readDxf(file, db, error)) << error;
    const auto* space = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId());
    const auto* line = ZcDbObjectAccess::peekAs<ZcDbEntity>(space->entityIds().front());
    EXPECT_EQ(line->layerId().handle().value(), 0x10u);
    EXPECT_EQ(line->layer(), "Krawędzie");
    // Written, the name is spelt as the writer spells every text.
    EXPECT_NE(dxfToString(db).find("\n  8\nKraw\xEA"
                                   "dzie\n"),
              std::string::npos);
}
