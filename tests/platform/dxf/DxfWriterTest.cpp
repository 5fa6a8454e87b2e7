#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ZcDbBlockReference.h"
#include "ZcDbLine.h"
#include "ZcDbXrecord.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/Opened.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/win/TextEncodings.h"
#include "tests/platform/dxf/DxfPairs.h"
#include "tests/platform/dxf/SampleDrawing.h"

using namespace platform;

namespace {

std::string hex(ZcDbObjectId id)
{
    char text[32];
    id.handle().getIntoAsciiBuffer(text, sizeof text);
    return text;
}

uint64_t parseHandle(const std::string& s) { return std::stoull(s, nullptr, 16); }

// Handles each object of the file gives itself (its first 5, or 105 for
// DIMSTYLE), in file order.
std::vector<std::string> ownHandles(const std::vector<DxfPair>& pairs)
{
    std::vector<std::string> handles;
    bool wanted = false;
    for (const DxfPair& p : pairs) {
        if (p.code == 0)
            wanted = p.value != "SECTION";  // the header's $HANDSEED is no object's
        else if (wanted && (p.code == 5 || p.code == 105)) {
            handles.push_back(p.value);
            wanted = false;
        }
    }
    return handles;
}

std::string writeOrFail(const ZcDbDatabase& db)
{
    std::string error;
    std::string text = dxfToString(db, &error);
    EXPECT_EQ(error, "");
    EXPECT_FALSE(text.empty());
    return text;
}

}  // namespace

TEST(DxfWriterStructure, SectionsInTheOrderReadersExpect)
{
    TestDrawing d;
    const auto pairs = dxfPairs(writeOrFail(d.db()));
    std::vector<std::string> sections;
    for (size_t i = 0; i + 1 < pairs.size(); ++i)
        if (pairs[i].code == 0 && pairs[i].value == "SECTION")
            sections.push_back(pairs[i + 1].value);
    EXPECT_EQ(sections, (std::vector<std::string>{"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"}));
    ASSERT_FALSE(pairs.empty());
    EXPECT_EQ(pairs.back().code, 0);
    EXPECT_EQ(pairs.back().value, "EOF");
}

TEST(DxfWriterStructure, HeaderNamesVersionCodePageUnitsAndSeed)
{
    SampleDrawing s;
    const auto pairs = dxfPairs(writeOrFail(s.db()));
    const auto header = [&](const char* name) {
        for (size_t i = 0; i + 1 < pairs.size(); ++i)
            if (pairs[i].code == 9 && pairs[i].value == name)
                return pairs[i + 1].value;
        return std::string("<absent>");
    };
    EXPECT_EQ(header("$ACADVER"), "AC1015");
    EXPECT_EQ(header("$DWGCODEPAGE"), "ANSI_1250");
    EXPECT_EQ(header("$INSUNITS"), "6");
    EXPECT_EQ(header("$CLAYER"), "0");
    EXPECT_EQ(header("$CELTYPE"), "ByLayer");
    EXPECT_EQ(header("$TEXTSTYLE"), "Standard");
    EXPECT_EQ(parseHandle(header("$HANDSEED")), s.db().handseed().value());
}

TEST(DxfWriterStructure, HandlesAreUniqueBelowTheSeedAndLinksResolve)
{
    SampleDrawing s;
    const uint64_t seedBefore = s.db().handseed().value();
    const auto pairs = dxfPairs(writeOrFail(s.db()));
    EXPECT_EQ(s.db().handseed().value(), seedBefore) << "writing must not give out handles";

    const auto handles = ownHandles(pairs);
    std::set<std::string> unique(handles.begin(), handles.end());
    EXPECT_EQ(unique.size(), handles.size()) << "a handle is given twice";
    for (const std::string& h : handles)
        EXPECT_LT(parseHandle(h), seedBefore) << h;

    // Every pointer names an object of the file; only tables and the root
    // dictionary have no owner.
    int ownerless = 0;
    for (const DxfPair& p : pairs) {
        const bool pointer = p.code == 330 || p.code == 340 || p.code == 350 || p.code == 360 || p.code == 331;
        if (!pointer)
            continue;
        if (p.value == "0") {
            ++ownerless;
            continue;
        }
        EXPECT_TRUE(unique.count(p.value)) << "group code " << p.code << " points to missing " << p.value;
    }
    EXPECT_EQ(ownerless, 9 + 1);  // nine tables and the root dictionary
}

TEST(DxfWriterStructure, OnlyPrintableCodePageBytesWithinLineLimits)
{
    SampleDrawing s;
    const std::string text = writeOrFail(s.db());
    size_t lineStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            EXPECT_LE(i - lineStart, 2049u);
            lineStart = i + 1;
            continue;
        }
        // Printable ASCII, or a character of the code page (no control byte).
        const bool inCodePage = c >= 0x80 && utf8FromCp1250(std::string(1, char(c))) != "\uFFFD";
        ASSERT_TRUE((c >= 0x20 && c <= 0x7E) || inCodePage) << "byte " << int(c) << " at " << i;
    }
    EXPECT_NE(text.find("D\xB3ugo\x9C\xE6 odcinka"), std::string::npos);
}

TEST(DxfWriterDeterminism, SameDrawingSameBytes)
{
    SampleDrawing first;
    const std::string a = writeOrFail(first.db());
    EXPECT_EQ(writeOrFail(first.db()), a);
    // A drawing built the same way again, elsewhere in memory.
    SampleDrawing second;
    EXPECT_EQ(writeOrFail(second.db()), a);
}

TEST(DxfWriterContent, ErasedObjectsAreLeftOut)
{
    SampleDrawing s;
    const auto pairs = dxfPairs(writeOrFail(s.db()));
    const auto handles = ownHandles(pairs);
    EXPECT_EQ(std::count(handles.begin(), handles.end(), hex(s.erasedLine)), 0);
    EXPECT_EQ(std::count(handles.begin(), handles.end(), hex(s.line)), 1);
    for (const DxfPair& p : pairs) {
        const bool link = p.code == 330 || p.code == 331 || p.code == 340 || p.code == 350 || p.code == 360;
        EXPECT_FALSE(link && p.value == hex(s.erasedLine)) << "code " << p.code << " names the erased line";
    }
    const auto groups = dxfObjectsOfKind(pairs, "GROUP");
    ASSERT_EQ(groups.size(), 1u);
    std::vector<std::string> members;
    for (const DxfPair& p : groups[0])
        if (p.code == 340)
            members.push_back(p.value);
    EXPECT_EQ(members, (std::vector<std::string>{hex(s.line), hex(s.circle)}));
}

TEST(DxfWriterFailure, MissingBlockHandlesAreReportedNotInvented)
{
    SampleDrawing s;
    s.db().impl()->blockEnds.erase(s.block.stub());
    std::string error;
    EXPECT_EQ(dxfToString(s.db(), &error), "");
    EXPECT_NE(error.find("BLOCK_RECORD " + hex(s.block)), std::string::npos) << error;
}

TEST(DxfWriterFailure, MissingSeqendIsReported)
{
    SampleDrawing s;
    s.db().impl()->seqends.erase(s.reference.stub());
    std::string error;
    EXPECT_EQ(dxfToString(s.db(), &error), "");
    EXPECT_NE(error.find("INSERT " + hex(s.reference)), std::string::npos) << error;
    EXPECT_NE(error.find("SEQEND"), std::string::npos) << error;
}

TEST(DxfWriterFailure, RecordDataThatWouldBreakTheFileIsRefused)
{
    SampleDrawing s;
    {
        Opened<ZcDbXrecord> record(s.purpose, ZcDb::kForWrite);
        for (int code : {0, 5, 100, 102, 105, 1000}) {
            resbuf* data = zcutNewRb(code);
            data->resval.rstring = zcutNewString("EOF");
            EXPECT_EQ(record->setFromRbChain(data), Zcad::eInvalidInput) << code;
            zcutRelRb(data);
        }
    }
    std::string error;
    EXPECT_NE(dxfToString(s.db(), &error), "");
    EXPECT_EQ(error, "");
}

TEST(DxfWriterFailure, EmptyDatabaseIsRefusedWithAReason)
{
    ZcDbDatabase empty(false);
    std::string error;
    EXPECT_EQ(dxfToString(empty, &error), "");
    EXPECT_NE(error.find("cannot write DXF"), std::string::npos) << error;
}
