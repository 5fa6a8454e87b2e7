// Every input that ever crashed the reader's fuzz target (fuzz/), kept in
// fuzz-findings/ and checked as the target checks any input: the reader
// gives a drawing or a reason, the drawing writes, and what is written
// reads back to the same file, its multi-line texts showing the same lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ZcDbDatabase.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/text/ShownTexts.h"
#include "tests/support/TestPaths.h"

using namespace platform;

namespace {

struct Finding {
    const char* file;
    const char* found;  // what the input made the reader do
};

// In the order they were found.
const Finding kFindings[] = {
    {"polyline-vertices-moved.dxf",
     "an old polyline with enough vertices to move the records holding them: the values of the first "
     "vertices pointed into freed memory"},
    {"code-before-the-markers.dxf",
     "a code before an entity's subclass markers made the entity one kept as read, written back after the "
     "common part, where the next reading took it for the common part's: the copy changed when read again"},
    {"unused-structure-handle.dxf",
     "a viewport table kept as read, without an active viewport: a handle was given to one the writer never "
     "writes, so each reading raised $HANDSEED"},
    {"arc-extents-off-by-rounding.dxf",
     "an arc whose angle had more digits than the writer gives: read again, its ends moved in the last digit "
     "and so did the extents written in the header"},
    {"kind-without-markers.dxf",
     "an old file's entity of a kind without subclass markers was kept with its codes after the common part, "
     "which a newer file's reading takes for the common part's own: read again, it became another entity"},
    {"caret-before-an-escape.dxf",
     "a text with a caret of its own before a backslash: written as it was, it read back as a control "
     "character, and the text changed"},
    {"control-bytes-in-a-variable-name.dxf",
     "a header variable whose name held control bytes, kept as read: written in caret spelling, it read "
     "back as another name"},
    {"control-bytes-in-a-table-name.dxf", "the same in the name of a table kept as read"},
    {"layouts-beside-a-group.dxf",
     "a layout dictionary that was not one also held a group: dropped with the layouts, it took the group "
     "along, while an entity still named the group as its reactor, a link to nothing in the file"},
    {"group-left-open-before-extended-data.dxf",
     "an entity's application group left open, holding a handle and a subclass marker, took the extended data "
     "after it into the group: written back inside the group, before the entity's own codes, it could not be "
     "read again"},
    {"kind-padded-with-nul-bytes.dxf",
     "an old polyline whose kind was padded with NUL bytes was kept as an unknown kind without its vertices, "
     "and written cut at the first NUL: read again, it was a polyline that got an end mark, and the handles "
     "after it moved"},
    {"old-file-record-with-markers.dxf",
     "an old file's text with subclass markers and unknown codes before its handle: the codes were taken for "
     "the kind's own and the text kept as read; written back they stood in the common part, and read again "
     "the text was modelled and gained its style"},
    {"group-among-the-common-codes.dxf",
     "an application's group holding colour, linetype and lineweight codes, kept whole at the record's start "
     "and written among the common codes: read again, its codes became the entity's own"},
    {"multiline-text-attachment-out-of-range.dxf",
     "a multi-line text's attachment of 72 was turned into the attachment type before it was checked, a "
     "value the type cannot hold"},
    {"hatch-style-out-of-range.dxf", "the same with a hatch's style of 5"},
    {"layout-link-after-a-group.dxf",
     "a block record without a name, its application group at the start: the group was written before its "
     "layout link, and read again the link was put before the group"},
    {"table-group-left-open.dxf",
     "a table without a name whose reactor group was left open: kept open, the owner after it read as a "
     "reactor the first time and as the owner the next"},
    {"table-name-in-another-case.dxf",
     "a viewport table named \"VPORt\" was kept apart from the viewport table the writer adds; read again, "
     "the two were one table"},
    {"group-in-a-record-body.dxf",
     "a block record's open group at its start held a name: kept whole and written after the record's name, "
     "read again its name became the record's"},
    {"layout-link-after-unknown-markers.dxf",
     "a block record's layout link after markers it does not know: written before them, and read again "
     "after; it now stays where it was read"},
    {"backslash-before-a-line-break.dxf",
     "a multi-line text with a backslash of its own before a line break: the break was written as \\P "
     "after it, and read back the pair was an escaped backslash and a P, one line fewer"},
};

std::string findingText(const char* file)
{
    const std::filesystem::path path =
        std::filesystem::path(testSourceDir()) / "tests/platform/dxf/fuzz-findings" / file;
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(DxfReaderFuzzFindings, EachInputReadsWritesAndReadsBackOrSaysWhy)
{
    for (const Finding& f : kFindings) {
        SCOPED_TRACE(std::string(f.file) + ": " + f.found);
        const std::string input = findingText(f.file);
        ASSERT_FALSE(input.empty());
        ZcDbDatabase db(false);
        std::string error;
        if (!readDxf(input, db, error, f.file)) {
            EXPECT_NE(error, "");
            continue;
        }
        const std::string written = dxfToString(db, &error);
        ASSERT_FALSE(written.empty()) << error;
        ZcDbDatabase again(false);
        ASSERT_TRUE(readDxf(written, again, error)) << error;
        EXPECT_EQ(dxfToString(again), written);
        EXPECT_EQ(shownMultilineTexts(again), shownMultilineTexts(db));
    }
}

TEST(DxfReaderFuzzFindings, EveryFileOfTheFolderIsListed)
{
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(testSourceDir()) /
                                                                 "tests/platform/dxf/fuzz-findings")) {
        ++files;
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(std::any_of(std::begin(kFindings), std::end(kFindings),
                                [&](const Finding& f) { return name == f.file; }))
            << name;
    }
    EXPECT_EQ(files, std::size(kFindings));
}
