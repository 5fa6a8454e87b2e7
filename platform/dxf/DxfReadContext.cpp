#include "platform/dxf/DxfReadContext.h"

#include <algorithm>
#include <cctype>

#include "ZcDbBlockTable.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/SymbolName.h"
#include "platform/dxf/DxfGroupCodes.h"

namespace platform {

namespace {

std::string shown(std::string_view text)
{
    constexpr size_t kShown = 40;
    std::string s;
    for (const char c : text.substr(0, kShown)) {
        const auto b = static_cast<unsigned char>(c);
        s += b >= 0x20 && b < 0x7F ? c : '?';
    }
    if (text.size() > kShown)
        s += "...";
    return s;
}

}  // namespace

std::string dxfWhere(const DxfRecord& record)
{
    return record.kind() + " at line " + std::to_string(record.line());
}

DxfReadContext::DxfReadContext(ZcDbDatabase& database, DxfTagStream& stream)
    : db(database), impl(*database.impl()), in(stream)
{
}

bool DxfReadContext::fail(uint64_t line, const std::string& what)
{
    in.fail(line, what);
    return false;
}

bool DxfReadContext::real(const DxfTag& tag, double& value)
{
    if (parseDxfReal(tag.value, value))
        return true;
    double any = 0.0;
    const std::string_view v = dxfTrimmed(tag.value);
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), any);
    if (!v.empty() && end == v.data() + v.size() && ec == std::errc() && std::isfinite(any))
        return fail(tag.line + 1, "group code " + std::to_string(tag.code) + " holds \"" + shown(tag.value) +
                                      "\", beyond the ±1e100 a drawing's numbers stay within");
    if (!v.empty() && end == v.data() + v.size() && (ec == std::errc() || ec == std::errc::result_out_of_range))
        return fail(tag.line + 1, "group code " + std::to_string(tag.code) + " holds \"" + shown(tag.value) +
                                      "\", which is not a finite number");
    return fail(tag.line + 1, "group code " + std::to_string(tag.code) + " expects a number, not \"" +
                                  shown(tag.value) + "\"");
}

bool DxfReadContext::integer(const DxfTag& tag, int64_t& value)
{
    if (parseDxfInteger(tag.value, value))
        return true;
    return fail(tag.line + 1, "group code " + std::to_string(tag.code) + " expects a whole number, not \"" +
                                  shown(tag.value) + "\"");
}

bool DxfReadContext::integer(const DxfTag& tag, int& value, int64_t min, int64_t max)
{
    int64_t v = 0;
    if (!integer(tag, v))
        return false;
    if (v < min || v > max)
        return fail(tag.line + 1, "group code " + std::to_string(tag.code) + " holds " + std::to_string(v) +
                                      ", outside " + std::to_string(min) + " to " + std::to_string(max));
    value = int(v);
    return true;
}

bool DxfReadContext::handle(const DxfTag& tag, uint64_t& value)
{
    if (!parseDxfHandle(tag.value, value))
        return fail(tag.line + 1, "group code " + std::to_string(tag.code) +
                                      " expects a handle (hexadecimal), not \"" + shown(tag.value) + "\"");
    if (value >= kProvisionalHandleBase)
        return fail(tag.line + 1, "handle " + std::string(dxfTrimmed(tag.value)) + " is out of range");
    noteHandle(value);
    return true;
}

bool DxfReadContext::rawTag(const DxfTag& tag, ZcDbRawTag& raw)
{
    raw.code = tag.code;
    switch (dxfValueKind(tag.code)) {
    case DxfValueKind::Real: {
        double v = 0.0;
        if (!real(tag, v))
            return false;
        raw.value.assign(dxfTrimmed(tag.value));
        return true;
    }
    case DxfValueKind::Integer: {
        int64_t v = 0;
        if (!integer(tag, v))
            return false;
        raw.value.assign(dxfTrimmed(tag.value));
        return true;
    }
    case DxfValueKind::Handle: {
        uint64_t v = 0;
        if (parseDxfHandle(tag.value, v) && v < kProvisionalHandleBase) {
            noteHandle(v);
            raw.value.assign(dxfTrimmed(tag.value));
            return true;
        }
        break;  // not a handle after all (an old file's name under code 5): a text
    }
    case DxfValueKind::Binary:
    case DxfValueKind::Text:
        break;
    }
    text.decode(tag.value, raw.value);
    return true;
}

bool DxfReadContext::rawTags(const DxfRecord& record, size_t from, size_t to, ZcDbRawTags& out)
{
    for (size_t i = from; i < to; ++i) {
        ZcDbRawTag raw;
        if (!rawTag(record[i], raw))
            return false;
        out.push_back(std::move(raw));
    }
    return true;
}

ZcDbObjectId DxfReadContext::idOf(uint64_t h)
{
    if (h == 0)
        return {};
    if (ZcDbStub* stub = m_handles.find(h))
        return ZcDbObjectId(stub);
    const ZcDbObjectId id = ZcDbObjectAccess::newId(&db, ZcDbHandle(h));
    m_handles.set(h, id.stub());
    noteHandle(h);
    return id;
}

ZcDbObjectId DxfReadContext::add(ZcDbObject* obj, uint64_t h, ZcDbObjectId owner)
{
    ZcDbObjectId id;
    if (h != 0) {
        id = idOf(h);
        if (ZcDbObjectAccess::peek(id))
            id = {};  // used twice: the first keeps it
    }
    if (id.isNull())
        id = ZcDbObjectAccess::newId(&db, ZcDbHandle(impl.takeHandle()));
    // A new object on an id that holds none: nothing to refuse.
    (void)ZcDbObjectAccess::attachToId(obj, id, owner);
    return id;
}

namespace {

// Whether the tags of an application's group are values only. A handle or a
// subclass marker belongs to the record itself: such a group is not kept,
// since written back it would change the record when read again.
bool holdsOnlyValues(const DxfRecord& record, size_t from, size_t to)
{
    const auto& tags = record.tags();
    return std::none_of(tags.begin() + std::ptrdiff_t(from), tags.begin() + std::ptrdiff_t(to), [](const DxfTag& t) {
        return t.code == 5 || t.code == 105 || t.code == 100;
    });
}

}  // namespace

bool DxfReadContext::readStart(const DxfRecord& record, DxfObjectStart& start, size_t from)
{
    const size_t n = record.size();
    const size_t xdata = xdataBegin(record);
    size_t i = from;
    bool sawHandle = false;
    while (i < n) {
        const DxfTag& t = record[i];
        if ((t.code == 5 || t.code == 105) && !sawHandle) {
            if (!handle(t, start.handle))
                return false;
            sawHandle = true;
            ++i;
            continue;
        }
        if (opensGroup(record, i)) {
            const std::string_view group = t.value.substr(1);
            bool closed = false;
            const size_t j = groupClose(record, i, xdata, closed);
            if (group == "ACAD_REACTORS") {
                for (size_t k = i + 1; k < j; ++k)
                    if (record[k].code == 330 || record[k].code == 360) {
                        uint64_t h = 0;
                        if (!handle(record[k], h))
                            return false;
                        start.reactors.push_back(h);
                    }
            } else if (group == "ACAD_XDICTIONARY") {
                for (size_t k = i + 1; k < j; ++k)
                    if (record[k].code == 360 && !handle(record[k], start.xdict))
                        return false;
            } else if (holdsOnlyValues(record, i + 1, j)) {
                size_t last = i;
                if (!keepGroup(record, last, xdata, start.otherGroups))
                    return false;
            }
            i = closed ? j + 1 : j;
            continue;
        }
        if (t.code == 330 && !start.hasOwner) {
            if (!handle(t, start.owner))
                return false;
            start.hasOwner = true;
            ++i;
            continue;
        }
        break;
    }
    start.end = std::min(i, n);
    return true;
}

bool DxfReadContext::opensGroup(const DxfRecord& record, size_t i)
{
    const DxfTag& t = record[i];
    return t.code == 102 && !t.value.empty() && t.value.front() == '{';
}

size_t DxfReadContext::groupClose(const DxfRecord& record, size_t i, size_t end, bool& closed)
{
    size_t j = i + 1;
    while (j < end && record[j].code != 102 && record[j].code != 100)
        ++j;
    closed = j < end && record[j].code == 102 && record[j].value == "}";
    return j;
}

bool DxfReadContext::keepGroup(const DxfRecord& record, size_t& i, size_t end, ZcDbRawTags& out)
{
    bool closed = false;
    const size_t j = groupClose(record, i, end, closed);
    if (!rawTags(record, i, closed ? j + 1 : j, out))
        return false;
    if (!closed)
        out.push_back({102, "}"});
    i = closed ? j : j - 1;
    return true;
}

size_t DxfReadContext::xdataBegin(const DxfRecord& record)
{
    const auto& tags = record.tags();
    for (size_t i = 0; i < tags.size(); ++i)
        if (tags[i].code >= 1000)
            return i;
    return tags.size();
}

bool DxfReadContext::readXData(const DxfRecord& record, size_t from, DxfXData& xdata)
{
    const size_t n = record.size();
    for (size_t i = from; i < n; ++i) {
        const DxfTag& t = record[i];
        if (t.code == 1001) {
            std::string app = textOf(t);
            if (app.empty())
                return fail(t.line, "extended data of an application without a name");
            if (xdataApplicationSet.insert(key(app)).second)
                xdataApplications.push_back(app);
            xdata.emplace_back(std::move(app), std::vector<ZcDbXDataItem>{});
            continue;
        }
        if (t.code < 1000)
            return fail(t.line, "group code " + std::to_string(t.code) + " inside extended data");
        ZcDbXDataItem item;
        item.code = short(t.code);
        switch (t.code) {
        case 1000:
        case 1003:
        case 1006:
        case 1007:
        case 1008:
        case 1009:
            item.text = textOf(t);
            break;
        case 1002: {
            const std::string_view v = dxfTrimmed(t.value);
            if (v != "{" && v != "}")
                return fail(t.line + 1, "extended data control code 1002 holds \"" + shown(t.value) +
                                        "\", not \"{\" or \"}\"");
            item.text.assign(v);
            break;
        }
        case 1004: {
            const std::string_view v = dxfTrimmed(t.value);
            if (v.size() % 2 != 0)
                return fail(t.line + 1, "binary extended data with an odd number of hexadecimal digits");
            for (size_t k = 0; k < v.size(); k += 2) {
                unsigned value = 0;
                const auto [end, ec] = std::from_chars(v.data() + k, v.data() + k + 2, value, 16);
                if (ec != std::errc() || end != v.data() + k + 2)
                    return fail(t.line + 1, "binary extended data holds \"" + shown(v) + "\", not hexadecimal digits");
                item.text.push_back(char(value));
            }
            break;
        }
        case 1005: {
            uint64_t h = 0;
            if (!handle(t, h))
                return false;
            item.text.assign(dxfTrimmed(t.value));
            for (char& c : item.text)
                c = char(std::toupper(static_cast<unsigned char>(c)));
            break;
        }
        case 1010:
        case 1011:
        case 1012:
        case 1013:
            if (!real(t, item.values[0]))
                return false;
            for (int axis = 1; axis <= 2 && i + 1 < n && record[i + 1].code == t.code + 10 * axis; ++axis) {
                ++i;
                if (!real(record[i], item.values[axis]))
                    return false;
            }
            break;
        case 1040:
        case 1041:
        case 1042:
            if (!real(t, item.values[0]))
                return false;
            break;
        case 1070:
            if (!integer(t, item.integer, -32768, 32767))
                return false;
            break;
        case 1071:
            if (!integer(t, item.integer, INT32_MIN, INT32_MAX))
                return false;
            break;
        default:
            return fail(t.line, "group code " + std::to_string(t.code) + " is not one extended data can hold");
        }
        if (xdata.empty())
            return fail(t.line, "extended data before the name of its application (1001)");
        xdata.back().second.push_back(std::move(item));
    }
    return true;
}

void DxfReadContext::applyStart(ZcDbObject* obj, const DxfObjectStart& start)
{
    if (!start.reactors.empty() || start.xdict != 0)
        linked.push_back(obj->objectId());
    for (const uint64_t h : start.reactors)
        obj->addPersistentReactor(idOf(h));
    if (start.xdict != 0)
        ZcDbObjectAccess::setExtensionDictionary(obj, idOf(start.xdict));
    if (!start.otherGroups.empty())
        keepTags(obj, ZcDbRawTags(start.otherGroups));
}

void DxfReadContext::applyXData(ZcDbObject* obj, DxfXData&& xdata)
{
    if (!xdata.empty())
        ZcDbObjectAccess::setXData(obj, std::move(xdata));
}

void DxfReadContext::keepTags(ZcDbObject* obj, ZcDbRawTags&& tags)
{
    if (tags.empty())
        return;
    ZcDbRawTags& kept = impl.kept.objectTags[obj->objectId().stub()];
    for (ZcDbRawTag& t : tags)
        kept.push_back(std::move(t));
}

std::string DxfReadContext::key(std::string_view name) { return foldedSymbolName(name); }

ZcDbSymbolTable* DxfReadContext::table(ZcDbObjectId& slot, ZcDbObject* (*makeTable)())
{
    if (slot.isNull()) {
        ZcDbObject* t = makeTable();
        slot = add(t, 0, {});
        t->close();
    }
    return ZcDbObjectAccess::peekAs<ZcDbSymbolTable>(slot);
}

ZcDbObjectId DxfReadContext::addRecord(ZcDbSymbolTableRecord* record, std::string name, uint64_t h,
                                       ZcDbSymbolTable* owner, DxfNameIndex& index, bool allowEmptyName)
{
    if (name.empty() && allowEmptyName) {
        // Text styles of shape files have no name and are not looked up by one.
        ZcDbObjectAccess::setName(record, name);
        const ZcDbObjectId id = add(record, h, owner->objectId());
        ZcDbObjectAccess::appendRecord(owner, id);
        record->close();
        return id;
    }
    if (name.empty())
        name = "Unnamed";
    std::string unique = name;
    for (int n = 1; index.count(key(unique)); ++n)
        unique = name + "$" + std::to_string(n);
    ZcDbObjectAccess::setName(record, unique);
    const ZcDbObjectId id = add(record, h, owner->objectId());
    ZcDbObjectAccess::appendRecord(owner, id);
    index.emplace(key(unique), id);
    record->close();
    return id;
}

ZcDbObjectId DxfReadContext::linetype(std::string_view name)
{
    if (const auto it = linetypes.find(key(name)); it != linetypes.end())
        return it->second;
    auto* record = new ZcDbLinetypeTableRecord;
    std::string spelt(name);
    // Old files name the fixed linetypes in capitals and have no records of them.
    for (const char* fixed : {"ByLayer", "ByBlock", "Continuous"})
        if (sameSymbolName(spelt, fixed))
            spelt = fixed;
    if (spelt == "Continuous")
        record->setComments("Solid line");
    return addRecord(record, spelt, 0, table(impl.linetypeTable, make<ZcDbLinetypeTable>), linetypes);
}

ZcDbObjectId DxfReadContext::layer(std::string_view name)
{
    if (const auto it = layers.find(key(name)); it != layers.end())
        return it->second;
    auto* record = new ZcDbLayerTableRecord;
    record->setLinetypeObjectId(linetype("Continuous"));
    return addRecord(record, std::string(name), 0, table(impl.layerTable, make<ZcDbLayerTable>), layers);
}

ZcDbObjectId DxfReadContext::textStyle(std::string_view name)
{
    if (const auto it = styles.find(key(name)); it != styles.end())
        return it->second;
    return addRecord(new ZcDbTextStyleTableRecord, std::string(name), 0,
                     table(impl.textStyleTable, make<ZcDbTextStyleTable>), styles);
}

ZcDbObjectId DxfReadContext::block(std::string_view name)
{
    std::string n(name);
    // Old files spell the layouts in capitals.
    if (sameSymbolName(n, ZCDB_MODEL_SPACE))
        n = ZCDB_MODEL_SPACE;
    else if (sameSymbolName(n, ZCDB_PAPER_SPACE))
        n = ZCDB_PAPER_SPACE;
    if (const auto it = blocks.find(key(n)); it != blocks.end())
        return it->second;
    return addRecord(new ZcDbBlockTableRecord, n, 0, table(impl.blockTable, make<ZcDbBlockTable>), blocks);
}

}  // namespace platform
