#include "platform/dxf/DxfReader.h"

#include <unistd.h>

#include "ZcDbDatabase.h"
#include "platform/core/InputFile.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/dxf/DxfGroupCodes.h"
#include "platform/dxf/DxfReadContext.h"
#include "platform/dxf/DxfReadSections.h"

namespace platform {

namespace {

bool readSections(DxfReadContext& ctx)
{
    DxfTagStream& in = ctx.in;
    // A file's handles come first; what the reader adds gets handles from
    // far above them until the file is read.
    ctx.impl.nextHandle = kProvisionalHandleBase;
    bool sawSection = false;
    while (in.next()) {
        if (in.code() == 999)
            continue;  // a comment
        if (in.code() == 9) {
            // dxflib ends the header after $HANDSEED and goes on with its
            // variables: they are the header's still.
            in.pushBack();
            if (!readHeaderSection(ctx))
                return false;
            continue;
        }
        if (in.code() != 0)
            return ctx.fail(in.line(), "group code " + std::to_string(in.code()) + " where a section was expected");
        const std::string_view word = dxfTrimmed(in.value());
        if (word == "EOF")
            break;
        if (word != "SECTION")
            return ctx.fail(in.line(), "\"" + std::string(word) + "\" where a section was expected");
        if (!in.next())
            return in.failed() ? false : ctx.fail(in.line(), "the file ends after SECTION");
        if (in.code() != 2)
            return ctx.fail(in.line(), "a section without a name (group code 2)");
        const std::string name(dxfTrimmed(in.value()));
        sawSection = true;
        bool ok = false;
        if (name == "HEADER")
            ok = readHeaderSection(ctx);
        else if (name == "CLASSES")
            ok = readClassesSection(ctx);
        else if (name == "TABLES")
            ok = readTablesSection(ctx);
        else if (name == "BLOCKS")
            ok = readBlocksSection(ctx);
        else if (name == "ENTITIES")
            ok = readEntitiesSection(ctx);
        else if (name == "OBJECTS")
            ok = readObjectsSection(ctx);
        else
            ok = skipSection(ctx);
        if (!ok)
            return false;
    }
    if (in.failed())
        return false;
    // Some writers stop after the last section without "0 EOF"; a file
    // without any section is no drawing.
    if (!sawSection)
        return ctx.fail(in.line(), "no DXF sections in the file (it is empty or not DXF)");
    return finishDrawing(ctx);
}

bool readInto(DxfTagStream& in, ZcDbDatabase& into, std::string& error, const std::string& name)
{
    error.clear();
    if (!into.impl()->stubs.empty()) {
        error = name + ": the drawing to read into is not empty";
        return false;
    }
    DxfReadContext ctx(into, in);
    if (readSections(ctx))
        return true;
    error = name + ": " + (in.error().empty() ? std::string("the file cannot be read") : in.error());
    return false;
}

}  // namespace

bool readDxf(std::string_view text, ZcDbDatabase& into, std::string& error, const std::string& name)
{
    DxfTagStream in(text);
    return readInto(in, into, error, name);
}

bool readDxfFile(const std::string& path, ZcDbDatabase& into, std::string& error)
{
    const int fd = openInputFile(path, error);
    if (fd < 0)
        return false;
    DxfTagStream in(fd);
    const bool ok = readInto(in, into, error, path);
    ::close(fd);
    return ok;
}

}  // namespace platform
