#include "console/DrawingContents.h"

#include <unordered_map>

#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "console/SettingsRecord.h"
#include "platform/db/Opened.h"

using platform::Opened;
using platform::ZcDbStub;

namespace {

std::string handleText(ZcDbObjectId id)
{
    char text[24];
    id.handle().getIntoAsciiBuffer(text, sizeof text);
    return text;
}

// Each entity's group, by the first group of the dictionary that holds it.
std::unordered_map<ZcDbStub*, int> groupsOf(ZcDbDatabase& db)
{
    std::unordered_map<ZcDbStub*, int> groups;
    ZcDbDictionary* dictionary = nullptr;
    if (db.getGroupDictionary(dictionary, ZcDb::kForRead) != Zcad::eOk)
        return groups;
    const Opened<ZcDbDictionary> closer(dictionary);
    int index = 0;
    for (const auto& [name, id] : dictionary->entries()) {
        const Opened<ZcDbGroup> group(id, ZcDb::kForRead);
        if (!group)
            continue;
        for (const ZcDbObjectId member : group->members())
            groups.emplace(member.stub(), index);
        ++index;
    }
    return groups;
}

}  // namespace

DrawingContents readDrawingContents(ZcDbDatabase& db)
{
    DrawingContents contents;
    const SettingsRecord settings = readSettingsRecord(db);
    contents.destinationLayers = {settings.layerDesigned, settings.layerTemporary, settings.layerExisting,
                                  settings.layerRemoved};
    const auto groups = groupsOf(db);

    ZcDbBlockTable* table = nullptr;
    if (db.getBlockTable(table, ZcDb::kForRead) != Zcad::eOk)
        return contents;
    Opened<ZcDbBlockTable> blockTable(table);
    ZcDbObjectId modelSpaceId;
    if (blockTable->getAt(ZCDB_MODEL_SPACE, modelSpaceId) != Zcad::eOk)
        return contents;
    blockTable.close();
    const Opened<ZcDbBlockTableRecord> modelSpace(modelSpaceId, ZcDb::kForRead);
    if (!modelSpace)
        return contents;

    std::unordered_map<ZcDbStub*, std::string> blockNames;
    ZcDbBlockTableRecordIterator* iterator = nullptr;
    if (modelSpace->newIterator(iterator) != Zcad::eOk)
        return contents;
    for (iterator->start(); !iterator->done(); iterator->step()) {
        ZcDbObjectId id;
        if (iterator->getEntityId(id) != Zcad::eOk)
            continue;
        const Opened<ZcDbBlockReference> reference(id, ZcDb::kForRead);
        if (!reference)
            continue;
        PlacedReference placed;
        const ZcDbObjectId blockId = reference->blockTableRecord();
        auto name = blockNames.find(blockId.stub());
        if (name == blockNames.end()) {
            const Opened<ZcDbBlockTableRecord> block(blockId, ZcDb::kForRead);
            name = blockNames.emplace(blockId.stub(), block ? block->name() : std::string()).first;
        }
        placed.block = name->second;
        placed.layer = reference->layer();
        placed.handle = handleText(id);
        placed.x = reference->position().x;
        placed.y = reference->position().y;
        for (const ZcDbObjectId attributeId : reference->attributeIds()) {
            const Opened<ZcDbAttribute> attribute(attributeId, ZcDb::kForRead);
            if (attribute)
                placed.attributes.emplace(attribute->tag(), attribute->textString());
        }
        if (const auto group = groups.find(id.stub()); group != groups.end())
            placed.group = group->second;
        contents.references.push_back(std::move(placed));
    }
    delete iterator;
    return contents;
}
