// The HEADER and CLASSES sections: the variables the drawing keeps as its
// own, those kept for writing back, and the classes of the file.

#include <charconv>
#include <cmath>
#include <optional>

#include "platform/db/SymbolName.h"
#include "platform/db/entities/Finite.h"
#include "platform/dxf/DxfGroupCodes.h"
#include "platform/dxf/DxfReadContext.h"
#include "platform/dxf/DxfReadSections.h"

namespace platform {

namespace {

// Worked out anew whenever a drawing is written, or only true of the
// program that wrote the file.
bool isWrittenAnew(const std::string& name)
{
    static const char* const kNames[] = {"$ACADVER", "$ACADMAINTVER", "$DWGCODEPAGE", "$LTSCALE",
                                         "$TEXTSTYLE", "$CLAYER", "$CELTYPE", "$HANDSEED"};
    for (const char* n : kNames)
        if (sameSymbolName(name, n))
            return true;
    return false;
}

const ZcDbRawTag* tagOf(const ZcDbRawTags& tags, int code)
{
    for (const ZcDbRawTag& t : tags)
        if (t.code == code)
            return &t;
    return nullptr;
}

bool takeVariable(DxfReadContext& ctx, const std::string& name, ZcDbRawTags&& tags, uint64_t line)
{
    if (name.empty())
        return true;
    if (sameSymbolName(name, "$ACADVER")) {
        if (const ZcDbRawTag* t = tagOf(tags, 1)) {
            ctx.text.setVersion(t->value);
            // AC1012 is R13, the first with subclass markers.
            ctx.r12 = !(t->value.size() == 6 && t->value.compare(0, 2, "AC") == 0 && t->value.substr(2) >= "1012");
        }
    } else if (sameSymbolName(name, "$DWGCODEPAGE")) {
        if (const ZcDbRawTag* t = tagOf(tags, 3))
            ctx.text.setCodePage(t->value);
    } else if (sameSymbolName(name, "$HANDSEED")) {
        if (const ZcDbRawTag* t = tagOf(tags, 5)) {
            uint64_t seed = 0;
            if (!parseDxfHandle(t->value, seed) || seed >= kProvisionalHandleBase)
                return ctx.fail(line, "$HANDSEED holds \"" + t->value + "\", not a handle");
            ctx.handseed = seed;
        }
    } else if (sameSymbolName(name, "$CLAYER")) {
        if (const ZcDbRawTag* t = tagOf(tags, 8))
            ctx.clayerName = t->value;
    } else if (sameSymbolName(name, "$CELTYPE")) {
        if (const ZcDbRawTag* t = tagOf(tags, 6))
            ctx.celtypeName = t->value;
    } else if (sameSymbolName(name, "$TEXTSTYLE")) {
        if (const ZcDbRawTag* t = tagOf(tags, 7))
            ctx.textstyleName = t->value;
    } else if (sameSymbolName(name, "$LTSCALE")) {
        double scale = 0.0;
        if (const ZcDbRawTag* t = tagOf(tags, 40); t && parseDxfReal(t->value, scale) && scale > 0.0)
            ctx.ltscale = scale;
    }
    if (!isWrittenAnew(name))
        ctx.impl.kept.headerVariables.emplace_back(name, std::move(tags));
    return true;
}

// A finite number beyond what a drawing computes with, as the file spells
// it; nothing for any other value.
std::optional<std::string> vastNumber(const DxfTag& tag)
{
    if (dxfValueKind(tag.code) != DxfValueKind::Real)
        return std::nullopt;
    const std::string_view v = dxfTrimmed(tag.value);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    if (v.empty() || end != v.data() + v.size() || ec != std::errc() || !std::isfinite(value) || isDrawingNumber(value))
        return std::nullopt;
    return std::string(v);
}

}  // namespace

bool readHeaderSection(DxfReadContext& ctx)
{
    DxfTagStream& in = ctx.in;
    // Handles in the header ($HANDSEED above all) are no objects' handles.
    struct KeepMaximum {
        DxfReadContext& ctx;
        uint64_t saved;
        ~KeepMaximum() { ctx.maxHandle = saved; }
    } keepMaximum{ctx, ctx.maxHandle};
    std::string name;
    ZcDbRawTags tags;
    uint64_t nameLine = 0;
    while (in.next()) {
        const DxfTag tag{in.code(), in.line(), in.value()};
        if (tag.code == 0) {
            if (!takeVariable(ctx, name, std::move(tags), nameLine))
                return false;
            if (dxfTrimmed(tag.value) == "ENDSEC")
                return true;
            return ctx.fail(tag.line, "\"" + std::string(dxfTrimmed(tag.value)) + "\" inside the HEADER section");
        }
        if (tag.code == 9) {
            if (!takeVariable(ctx, name, std::move(tags), nameLine))
                return false;
            name = ctx.text.decode(dxfTrimmed(tag.value));
            tags = {};
            nameLine = tag.line;
            continue;
        }
        if (name.empty())
            continue;  // a value before any variable: nothing to keep it with
        // Some programs leave such numbers in variables they never set (a
        // paper-space viewport's scale): kept as given, never computed with,
        // rather than the whole drawing refused for them.
        if (std::optional<std::string> vast = vastNumber(tag)) {
            tags.push_back({tag.code, std::move(*vast)});
            continue;
        }
        ZcDbRawTag raw;
        if (!ctx.rawTag(tag, raw))
            return false;
        tags.push_back(std::move(raw));
    }
    return in.failed() ? false : ctx.fail(in.linesRead(), "the file ends inside the HEADER section");
}

bool readClassesSection(DxfReadContext& ctx)
{
    DxfTagStream& in = ctx.in;
    DxfRecord record;
    while (in.next()) {
        if (in.code() != 0)
            return ctx.fail(in.line(), "group code " + std::to_string(in.code()) + " where a CLASS was expected");
        if (dxfTrimmed(in.value()) == "ENDSEC")
            return true;
        if (!record.read(in))
            return false;
        if (dxfTrimmed(record.kind()) != "CLASS")
            continue;
        ZcDbRawTags tags;
        if (!ctx.rawTags(record, 0, record.size(), tags))
            return false;
        ctx.impl.kept.classes.push_back(std::move(tags));
    }
    return in.failed() ? false : ctx.fail(in.linesRead(), "the file ends inside the CLASSES section");
}

bool skipSection(DxfReadContext& ctx)
{
    DxfTagStream& in = ctx.in;
    while (in.next())
        if (in.code() == 0 && dxfTrimmed(in.value()) == "ENDSEC")
            return true;
    return in.failed() ? false : ctx.fail(in.linesRead(), "the file ends inside a section");
}

}  // namespace platform
