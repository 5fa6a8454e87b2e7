#include "platform/dxf/DxfWriteContext.h"

#include <cstdlib>
#include <memory>

#include "platform/core/ResbufTypes.h"
#include "platform/db/ObjectAccess.h"

namespace platform {

const ZcDbObject* liveObject(ZcDbObjectId id)
{
    if (id.isNull())
        return nullptr;
    const ZcDbObject* obj = ZcDbObjectAccess::peek(id);
    return obj && !obj->isErased() ? obj : nullptr;
}

std::string describe(const char* kind, uint64_t handle)
{
    std::string text = kind;
    text += ' ';
    appendDxfHandle(text, handle);
    return text;
}

void writeObjectStart(DxfWriteContext& ctx, const char* kind, const ZcDbObject* obj, uint64_t owner, int handleCode)
{
    DxfStream& out = ctx.out;
    out.setCurrentObject(kind, handleOf(obj->objectId()));
    out.word(0, kind);
    out.handle(handleCode, handleOf(obj->objectId()));
    writeObjectLinks(ctx, obj);
    out.handle(330, owner);
}

void writeObjectLinks(DxfWriteContext& ctx, const ZcDbObject* obj)
{
    DxfStream& out = ctx.out;
    bool reactorsOpen = false;
    for (const ZcDbObjectId& reactor : obj->persistentReactors()) {
        if (!isWritten(ctx, reactor))
            continue;
        if (!reactorsOpen) {
            out.word(102, "{ACAD_REACTORS");
            reactorsOpen = true;
        }
        out.handle(330, handleOf(reactor));
    }
    if (reactorsOpen)
        out.word(102, "}");
    if (isWritten(ctx, obj->extensionDictionary())) {
        out.word(102, "{ACAD_XDICTIONARY");
        out.handle(360, handleOf(obj->extensionDictionary()));
        out.word(102, "}");
    }
}

void writeRawTags(DxfStream& out, const ZcDbRawTags& tags)
{
    for (const ZcDbRawTag& t : tags)
        out.text(t.code, t.value);
}

void writeKeptTags(DxfWriteContext& ctx, const ZcDbObject* obj, std::initializer_list<int> except)
{
    const ZcDbRawTags* kept = ctx.impl.kept.tagsOf(obj->objectId().stub());
    if (!kept)
        return;
    for (const ZcDbRawTag& t : *kept) {
        bool skip = false;
        for (const int code : except)
            skip = skip || t.code == code;
        if (!skip)
            ctx.out.text(t.code, t.value);
    }
}

const ZcDbRawTag* keptTag(const DxfWriteContext& ctx, const ZcDbObject* obj, int code)
{
    if (const ZcDbRawTags* kept = ctx.impl.kept.tagsOf(obj->objectId().stub()))
        for (const ZcDbRawTag& t : *kept)
            if (t.code == code)
                return &t;
    return nullptr;
}

int keptFlags(const DxfWriteContext& ctx, const ZcDbObject* obj, int code)
{
    const ZcDbRawTag* t = keptTag(ctx, obj, code);
    return t ? std::atoi(t->value.c_str()) : 0;
}

namespace {

struct ResbufListDeleter {
    void operator()(resbuf* rb) const { zcutRelRb(rb); }
};

void appendHex(std::string& out, const char* bytes, size_t size)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (size_t i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 0xF]);
    }
}

}  // namespace

void writeXData(DxfWriteContext& ctx, const ZcDbObject* obj)
{
    const std::unique_ptr<resbuf, ResbufListDeleter> list(obj->xData(nullptr));
    DxfStream& out = ctx.out;
    for (const resbuf* rb = list.get(); rb; rb = rb->rbnext) {
        const int code = rb->restype;
        switch (resbufValueKind(code)) {
        case ResbufValue::String:
            out.text(code, rb->resval.rstring ? rb->resval.rstring : "");
            break;
        case ResbufValue::Binary: {
            std::string hex;
            appendHex(hex, rb->resval.rbinary.buf, rb->resval.rbinary.buf ? size_t(rb->resval.rbinary.clen) : 0);
            out.word(code, hex);
            break;
        }
        case ResbufValue::Point:
            out.point(code, rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
            break;
        case ResbufValue::Real:
            out.real(code, rb->resval.rreal);
            break;
        case ResbufValue::Short:
            out.integer(code, rb->resval.rint);
            break;
        case ResbufValue::Long:
            out.integer(code, rb->resval.rlong);
            break;
        default:
            ctx.fail(describe("extended data of object", handleOf(obj->objectId())) + " holds group code " +
                     std::to_string(code) + ", which DXF cannot carry");
            break;
        }
    }
}

}  // namespace platform
