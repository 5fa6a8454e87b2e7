#include "console/SettingsRecord.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <strings.h>

#include "ZcDbDatabase.h"
#include "ZcDbDictionary.h"
#include "ZcDbLayerTable.h"
#include "ZcDbXrecord.h"
#include "zcut.h"

namespace {

constexpr const char* kDictionary = "S_Znaki";
constexpr const char* kRecord = "Przeznaczenie";
constexpr const char* kApplication = "Tarvo";
constexpr int kItems = 9;

bool isText(const resbuf* rb) { return rb->restype >= 1000 && rb->restype <= 1009 && rb->restype != 1004; }

// As the plug-in reads an item into a real field: reals, integers, and
// texts that are whole numbers; nothing that is not finite.
std::optional<double> numberOf(const resbuf* rb)
{
    double v = 0.0;
    if (rb->restype >= 1010 && rb->restype <= 1042)
        v = rb->resval.rreal;
    else if (rb->restype == 1070)
        v = rb->resval.rint;
    else if (rb->restype == 1071)
        v = rb->resval.rlong;
    else if (isText(rb) && rb->resval.rstring && *rb->resval.rstring) {
        char* end = nullptr;
        v = std::strtod(rb->resval.rstring, &end);
        if (*end != '\0')
            return std::nullopt;
    } else
        return std::nullopt;
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

void takeText(const resbuf* rb, std::string& field)
{
    if (isText(rb) && rb->resval.rstring)
        field = rb->resval.rstring;
}

void takeNumber(const resbuf* rb, double& field)
{
    if (const auto v = numberOf(rb))
        field = *v;
}

// A new list item; texts are copied into it.
resbuf* textItem(const std::string& text)
{
    resbuf* rb = zcutNewRb(1000);
    rb->resval.rstring = zcutNewString(text.c_str());
    return rb;
}

resbuf* realItem(double value)
{
    resbuf* rb = zcutNewRb(1040);
    rb->resval.rreal = value;
    return rb;
}

Zcad::ErrorStatus addMissingLayer(ZcDbDatabase& db, const std::string& name, std::string* addedLayers)
{
    ZcDbLayerTable* table = nullptr;
    if (Zcad::ErrorStatus es = db.getLayerTable(table, ZcDb::kForRead); es != Zcad::eOk)
        return es;
    Zcad::ErrorStatus es = Zcad::eOk;
    if (!table->has(name.c_str())) {
        auto* layer = new ZcDbLayerTableRecord;
        es = layer->setName(name.c_str());
        if (es == Zcad::eOk)
            es = table->upgradeOpen();
        if (es == Zcad::eOk)
            es = table->add(layer);
        layer->close();
        if (es == Zcad::eOk && addedLayers)
            *addedLayers += (addedLayers->empty() ? "" : ", ") + name;
    }
    table->close();
    return es;
}

// The id kept under key in a dictionary, which is opened for read and closed.
Zcad::ErrorStatus entryOf(ZcDbObjectId dictionaryId, const char* key, ZcDbObjectId& id)
{
    ZcDbDictionary* dictionary = nullptr;
    Zcad::ErrorStatus es = zcdbOpenObject(dictionary, dictionaryId, ZcDb::kForRead);
    if (es != Zcad::eOk)
        return es;
    es = dictionary->getAt(key, id);
    dictionary->close();
    return es;
}

// The "S_Znaki" dictionary open for write, added when missing.
Zcad::ErrorStatus openDictionary(ZcDbDatabase& db, ZcDbDictionary*& dictionary)
{
    dictionary = nullptr;
    ZcDbDictionary* named = nullptr;
    if (Zcad::ErrorStatus es = db.getNamedObjectsDictionary(named, ZcDb::kForWrite); es != Zcad::eOk)
        return es;
    ZcDbObject* entry = nullptr;
    Zcad::ErrorStatus es = named->getAt(kDictionary, entry, ZcDb::kForWrite);
    if (es == Zcad::eKeyNotFound) {
        auto* created = new ZcDbDictionary;
        ZcDbObjectId id;
        es = named->setAt(kDictionary, created, id);
        if (es == Zcad::eOk)
            dictionary = created;
        else
            created->close();
    } else if (es == Zcad::eOk) {
        dictionary = ZcDbDictionary::cast(entry);
        if (!dictionary) {
            entry->close();
            es = Zcad::eWrongObjectType;
        }
    }
    named->close();
    return es;
}

}  // namespace

SettingsRecord readSettingsRecord(const ZcDbDatabase& db)
{
    SettingsRecord r;
    ZcDbObjectId id;
    if (entryOf(db.namedObjectsDictionaryId(), kDictionary, id) != Zcad::eOk || entryOf(id, kRecord, id) != Zcad::eOk)
        return r;
    ZcDbObject* record = nullptr;
    if (zcdbOpenZcDbObject(record, id, ZcDb::kForRead) != Zcad::eOk)
        return r;
    resbuf* xdata = record->xData(kApplication);
    record->close();
    r.itemsPresent = 0;
    if (!xdata)
        return r;
    int position = 1;
    for (const resbuf* rb = xdata->rbnext; rb && position <= kItems; rb = rb->rbnext, ++position) {
        switch (position) {
        case 1: takeText(rb, r.layerDesigned); break;
        case 2: takeText(rb, r.layerTemporary); break;
        case 3: takeText(rb, r.layerRemoved); break;
        case 4: takeText(rb, r.layerExisting); break;
        case 5: takeNumber(rb, r.symbolScale); break;
        case 6: takeText(rb, r.spareName); break;
        case 7: takeNumber(rb, r.markingScale); break;
        case 8: r.groupObjects = isText(rb) && rb->resval.rstring && strcasecmp(rb->resval.rstring, "True") == 0; break;
        case 9: takeNumber(rb, r.drawingScale); break;
        default: break;
        }
        r.itemsPresent = position;
    }
    zcutRelRb(xdata);
    return r;
}

Zcad::ErrorStatus writeSettingsRecord(ZcDbDatabase& db, const SettingsRecord& r, std::string* addedLayers)
{
    if (!std::isfinite(r.symbolScale) || !std::isfinite(r.markingScale) || !std::isfinite(r.drawingScale))
        return Zcad::eInvalidInput;
    for (const std::string* layer : {&r.layerDesigned, &r.layerTemporary, &r.layerRemoved, &r.layerExisting})
        if (Zcad::ErrorStatus es = addMissingLayer(db, *layer, addedLayers); es != Zcad::eOk)
            return es;

    ZcDbDictionary* dictionary = nullptr;
    if (Zcad::ErrorStatus es = openDictionary(db, dictionary); es != Zcad::eOk)
        return es;
    ZcDbObject* record = nullptr;
    Zcad::ErrorStatus es = dictionary->getAt(kRecord, record, ZcDb::kForWrite);
    if (es == Zcad::eKeyNotFound) {
        auto* created = new ZcDbXrecord;
        ZcDbObjectId id;
        es = dictionary->setAt(kRecord, created, id);
        if (es == Zcad::eOk)
            record = created;
        else
            created->close();
    }
    dictionary->close();
    if (es != Zcad::eOk)
        return es;

    resbuf* head = zcutNewRb(1001);
    head->resval.rstring = zcutNewString(kApplication);
    resbuf* items[kItems] = {
        textItem(r.layerDesigned), textItem(r.layerTemporary), textItem(r.layerRemoved),
        textItem(r.layerExisting), realItem(r.symbolScale),     textItem(r.spareName),
        realItem(r.markingScale),  textItem(r.groupObjects ? "True" : "False"), realItem(r.drawingScale),
    };
    head->rbnext = items[0];
    for (int i = 0; i + 1 < kItems; ++i)
        items[i]->rbnext = items[i + 1];
    es = record->setXData(head);
    zcutRelRb(head);
    record->close();
    return es;
}
