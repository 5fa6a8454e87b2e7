// The OBJECTS section: dictionaries, groups, records with data and draw
// orders become objects of the model; every other object is kept as read.

#include <algorithm>
#include <cstdlib>

#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbSortentsTable.h"
#include "ZcDbXrecord.h"
#include "platform/core/ResbufTypes.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/dxf/DxfGroupCodes.h"
#include "platform/dxf/DxfReadContext.h"
#include "platform/dxf/DxfReadSections.h"

namespace platform {

namespace {

struct ResbufList {
    resbuf* head = nullptr;
    resbuf** tail = &head;
    ~ResbufList() { zcutRelRb(head); }
    resbuf* append(int code)
    {
        *tail = zcutNewRb(code);
        resbuf* rb = *tail;
        tail = &rb->rbnext;
        return rb;
    }
};

class ObjectReader {
public:
    explicit ObjectReader(DxfReadContext& ctx) : m_ctx(ctx) {}
    bool read();

private:
    bool object(const DxfRecord& r);
    // Each gives the object, or null for one kept as read.
    ZcDbObject* dictionary(const DxfRecord& r, const DxfObjectStart& s, ZcDbRawTags& kept,
                           std::vector<std::pair<std::string, uint64_t>>& entries);
    ZcDbObject* group(const DxfRecord& r, const DxfObjectStart& s, ZcDbRawTags& kept, std::vector<uint64_t>& members);
    ZcDbObject* xrecord(const DxfRecord& r, const DxfObjectStart& s);
    ZcDbObject* sortents(const DxfRecord& r, const DxfObjectStart& s, ZcDbRawTags& kept, uint64_t& block,
                         std::vector<std::pair<uint64_t, uint64_t>>& entries);

    DxfReadContext& m_ctx;
    bool m_rootSeen = false;
};

bool ObjectReader::read()
{
    DxfTagStream& in = m_ctx.in;
    DxfRecord record;
    while (in.next()) {
        if (in.code() != 0)
            return m_ctx.fail(in.line(), "group code " + std::to_string(in.code()) + " where an object was expected");
        const std::string_view word = dxfTrimmed(in.value());
        if (word == "ENDSEC")
            return true;
        if (word == "EOF" || word == "SECTION")
            break;
        if (!record.read(in) || !object(record))
            return false;
    }
    return in.failed() ? false : m_ctx.fail(in.linesRead(), "the file ends inside the OBJECTS section");
}

ZcDbObject* ObjectReader::dictionary(const DxfRecord& r, const DxfObjectStart& s, ZcDbRawTags& kept,
                                     std::vector<std::pair<std::string, uint64_t>>& entries)
{
    const size_t end = DxfReadContext::xdataBegin(r);
    std::string key;
    bool hasKey = false;
    for (size_t i = s.end; i < end; ++i) {
        const DxfTag& t = r[i];
        if (t.code == 100 && t.value == "AcDbDictionary")
            continue;
        if (t.code == 3) {
            key = m_ctx.textOf(t);
            hasKey = true;
            continue;
        }
        if ((t.code == 350 || t.code == 360) && hasKey) {
            uint64_t h = 0;
            if (!m_ctx.handle(t, h))
                return nullptr;
            entries.emplace_back(std::move(key), h);
            hasKey = false;
            continue;
        }
        // Cloning flags and anything else come back as they were.
        if (t.code == 281 && dxfTrimmed(t.value) == "1")
            continue;
        ZcDbRawTag raw;
        if (!m_ctx.rawTag(t, raw))
            return nullptr;
        kept.push_back(std::move(raw));
    }
    return new ZcDbDictionary;
}

ZcDbObject* ObjectReader::group(const DxfRecord& r, const DxfObjectStart& s, ZcDbRawTags& kept,
                                std::vector<uint64_t>& members)
{
    auto* g = new ZcDbGroup;
    const size_t end = DxfReadContext::xdataBegin(r);
    for (size_t i = s.end; i < end; ++i) {
        const DxfTag& t = r[i];
        int flag = 0;
        switch (t.code) {
        case 100:
            if (t.value == "AcDbGroup")
                continue;
            break;
        case 300:
            g->setDescription(m_ctx.textOf(t).c_str());
            continue;
        case 70:
            // Unnamed follows from the group's name ("*A1").
            if (!m_ctx.integer(t, flag, -32768, 32767)) {
                delete g;
                return nullptr;
            }
            continue;
        case 71:
            if (!m_ctx.integer(t, flag, -32768, 32767)) {
                delete g;
                return nullptr;
            }
            g->setSelectable(flag != 0);
            continue;
        case 340: {
            uint64_t h = 0;
            if (!m_ctx.handle(t, h)) {
                delete g;
                return nullptr;
            }
            members.push_back(h);
            continue;
        }
        default:
            break;
        }
        ZcDbRawTag raw;
        if (!m_ctx.rawTag(t, raw)) {
            delete g;
            return nullptr;
        }
        kept.push_back(std::move(raw));
    }
    return g;
}

// A record's data the model carries: codes a record may hold, of the kinds
// a result buffer holds; points as one item.
ZcDbObject* ObjectReader::xrecord(const DxfRecord& r, const DxfObjectStart& s)
{
    const size_t end = DxfReadContext::xdataBegin(r);
    ResbufList list;
    size_t i = s.end;
    if (i < end && r[i].code == 100 && r[i].value == "AcDbXrecord")
        ++i;
    if (i < end && r[i].code == 280) {
        if (dxfTrimmed(r[i].value) != "1")
            return nullptr;
        ++i;
    }
    for (; i < end; ++i) {
        const DxfTag& t = r[i];
        if (t.code < 1 || t.code > 369 || t.code == 5 || t.code == 105 || (t.code >= 100 && t.code <= 102))
            return nullptr;
        switch (resbufValueKind(t.code)) {
        case ResbufValue::String:
            list.append(t.code)->resval.rstring = zcutNewString(m_ctx.textOf(t).c_str());
            break;
        case ResbufValue::Real:
            if (!m_ctx.real(t, list.append(t.code)->resval.rreal))
                return nullptr;
            break;
        case ResbufValue::Point: {
            resbuf* rb = list.append(t.code);
            if (!m_ctx.real(t, rb->resval.rpoint[0]))
                return nullptr;
            for (int axis = 1; axis <= 2 && i + 1 < end && r[i + 1].code == t.code + 10 * axis; ++axis)
                if (!m_ctx.real(r[++i], rb->resval.rpoint[axis]))
                    return nullptr;
            break;
        }
        case ResbufValue::Short: {
            int v = 0;
            if (!m_ctx.integer(t, v, -32768, 32767))
                return nullptr;
            list.append(t.code)->resval.rint = short(v);
            break;
        }
        case ResbufValue::Long: {
            int v = 0;
            if (!m_ctx.integer(t, v, INT32_MIN, INT32_MAX))
                return nullptr;
            list.append(t.code)->resval.rlong = v;
            break;
        }
        case ResbufValue::Binary: {
            const std::string_view v = dxfTrimmed(t.value);
            if (v.size() % 2 != 0 || v.size() / 2 > 32767)
                return nullptr;
            std::string bytes;
            for (size_t k = 0; k < v.size(); k += 2) {
                unsigned b = 0;
                const auto [p, ec] = std::from_chars(v.data() + k, v.data() + k + 2, b, 16);
                if (ec != std::errc() || p != v.data() + k + 2)
                    return nullptr;
                bytes.push_back(char(b));
            }
            resbuf* rb = list.append(t.code);
            rb->resval.rbinary.clen = short(bytes.size());
            rb->resval.rbinary.buf = static_cast<char*>(std::malloc(bytes.size() + 1));
            std::copy(bytes.begin(), bytes.end(), rb->resval.rbinary.buf);
            break;
        }
        default:
            return nullptr;  // handles and the like: kept as read
        }
    }
    auto* x = new ZcDbXrecord;
    if (x->setFromRbChain(list.head) != Zcad::eOk) {
        delete x;
        return nullptr;
    }
    return x;
}

ZcDbObject* ObjectReader::sortents(const DxfRecord& r, const DxfObjectStart& s, ZcDbRawTags& kept, uint64_t& block,
                                   std::vector<std::pair<uint64_t, uint64_t>>& entries)
{
    const size_t end = DxfReadContext::xdataBegin(r);
    uint64_t entity = 0;
    bool hasEntity = false;
    for (size_t i = s.end; i < end; ++i) {
        const DxfTag& t = r[i];
        if (t.code == 100 && t.value == "AcDbSortentsTable")
            continue;
        if (t.code == 330 && block == 0) {
            if (!m_ctx.handle(t, block))
                return nullptr;
            continue;
        }
        if (t.code == 331) {
            if (!m_ctx.handle(t, entity))
                return nullptr;
            hasEntity = true;
            continue;
        }
        if (t.code == 5 && hasEntity) {
            uint64_t key = 0;
            if (!m_ctx.handle(t, key))
                return nullptr;
            entries.emplace_back(entity, key);
            hasEntity = false;
            continue;
        }
        ZcDbRawTag raw;
        if (!m_ctx.rawTag(t, raw))
            return nullptr;
        kept.push_back(std::move(raw));
    }
    return new ZcDbSortentsTable;
}

bool ObjectReader::object(const DxfRecord& r)
{
    DxfObjectStart s;
    if (!m_ctx.readStart(r, s))
        return false;
    DxfXData xdata;
    if (!m_ctx.readXData(r, DxfReadContext::xdataBegin(r), xdata))
        return false;
    const std::string kind(dxfTrimmed(r.kind()));
    ZcDbRawTags kept;
    std::vector<std::pair<std::string, uint64_t>> entries;
    std::vector<uint64_t> members;
    std::vector<std::pair<uint64_t, uint64_t>> order;
    uint64_t block = 0;
    ZcDbObject* obj = nullptr;
    if (kind == "DICTIONARY")
        obj = dictionary(r, s, kept, entries);
    else if (kind == "GROUP")
        obj = group(r, s, kept, members);
    else if (kind == "XRECORD")
        obj = xrecord(r, s);
    else if (kind == "SORTENTSTABLE")
        obj = sortents(r, s, kept, block, order);
    if (m_ctx.failed()) {
        delete obj;
        return false;
    }
    if (!obj) {
        ZcDbRawTags tags;
        if (!m_ctx.rawTags(r, s.end, DxfReadContext::xdataBegin(r), tags))
            return false;
        obj = new ZcDbRawObject(kind, std::move(tags));
        kept.clear();
    }
    // The first dictionary is the root, which nothing owns.
    const bool root = !m_rootSeen && kind == "DICTIONARY";
    const ZcDbObjectId owner = root ? ZcDbObjectId() : m_ctx.idOf(s.hasOwner ? s.owner : 0);
    const ZcDbObjectId id = m_ctx.add(obj, s.handle, owner);
    if (root) {
        m_rootSeen = true;
        if (m_ctx.impl.namedObjects.isNull())
            m_ctx.impl.namedObjects = id;
    }
    m_ctx.applyStart(obj, s);
    m_ctx.applyXData(obj, std::move(xdata));
    m_ctx.keepTags(obj, std::move(kept));
    if (auto* dict = ZcDbDictionary::cast(obj)) {
        for (auto& [key, h] : entries)
            ZcDbObjectAccess::appendEntry(dict, key, m_ctx.idOf(h));
        m_ctx.dictionaries.push_back(id);
    } else if (ZcDbGroup::cast(obj)) {
        DxfReadContext::GroupMembers g{id, {}};
        for (const uint64_t h : members)
            g.members.push_back(m_ctx.idOf(h));
        m_ctx.groupMembers.push_back(std::move(g));
    } else if (auto* table = ZcDbSortentsTable::cast(obj)) {
        ZcDbObjectAccess::setSortentsBlock(table, m_ctx.idOf(block));
        auto& list = ZcDbObjectAccess::sortentsEntries(table);
        for (const auto& [entity, key] : order)
            list.emplace_back(m_ctx.idOf(entity), ZcDbHandle(key));
        m_ctx.sortents.push_back(id);
    }
    m_ctx.objectsSection.push_back(id);
    obj->close();
    return true;
}

}  // namespace

bool readObjectsSection(DxfReadContext& ctx)
{
    return ObjectReader(ctx).read();
}

}  // namespace platform
