#include "console/SettingsRecord.h"

#include "ZcDbDatabase.h"
#include "ZcDbDictionary.h"
#include "ZcDbLayerTable.h"
#include "ZcDbXrecord.h"
#include "zcut.h"

namespace {

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
    Zcad::ErrorStatus es = named->getAt(kSettingsDictionary, entry, ZcDb::kForWrite);
    if (es == Zcad::eKeyNotFound) {
        auto* created = new ZcDbDictionary;
        ZcDbObjectId id;
        es = named->setAt(kSettingsDictionary, created, id);
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
    if (entryOf(db.namedObjectsDictionaryId(), kSettingsDictionary, id) != Zcad::eOk ||
        entryOf(id, kSettingsRecord, id) != Zcad::eOk)
        return r;
    ZcDbObject* record = nullptr;
    if (zcdbOpenZcDbObject(record, id, ZcDb::kForRead) != Zcad::eOk)
        return r;
    resbuf* xdata = record->xData(kSettingsApplication);
    record->close();
    r.itemsPresent = 0;
    if (!xdata)
        return r;
    SettingsReading reading = DecodeSettingsItems(SettingsItemsOf(xdata->rbnext));
    static_cast<DrawingSettings&>(r) = std::move(reading.settings);
    r.itemsPresent = reading.itemsPresent;
    r.refused = std::move(reading.refused);
    zcutRelRb(xdata);
    return r;
}

Zcad::ErrorStatus writeSettingsRecord(ZcDbDatabase& db, const SettingsRecord& r, std::string* addedLayers)
{
    // What the plug-in would refuse is not stored.
    for (const SettingsField& field : kSettingsFields)
        if ((field.number && !IsSettingsScale(r.*field.number)) ||
            (field.kind == SettingsFieldKind::Layer && !IsLayerName(r.*field.text)))
            return Zcad::eInvalidInput;
    for (const SettingsField& field : kSettingsFields)
        if (field.kind == SettingsFieldKind::Layer)
            if (Zcad::ErrorStatus es = addMissingLayer(db, r.*field.text, addedLayers); es != Zcad::eOk)
                return es;

    ZcDbDictionary* dictionary = nullptr;
    if (Zcad::ErrorStatus es = openDictionary(db, dictionary); es != Zcad::eOk)
        return es;
    ZcDbObject* record = nullptr;
    Zcad::ErrorStatus es = dictionary->getAt(kSettingsRecord, record, ZcDb::kForWrite);
    if (es == Zcad::eKeyNotFound) {
        auto* created = new ZcDbXrecord;
        ZcDbObjectId id;
        es = dictionary->setAt(kSettingsRecord, created, id);
        if (es == Zcad::eOk)
            record = created;
        else
            created->close();
    }
    dictionary->close();
    if (es != Zcad::eOk)
        return es;

    resbuf* head = zcutNewRb(1001);
    head->resval.rstring = zcutNewString(kSettingsApplication);
    resbuf* last = head;
    for (const SettingsField& field : kSettingsFields)
        last = last->rbnext = field.number ? realItem(r.*field.number)
                                           : textItem(field.text      ? r.*field.text
                                                      : r.*field.flag ? "True"
                                                                      : "False");
    es = record->setXData(head);
    zcutRelRb(head);
    record->close();
    return es;
}
