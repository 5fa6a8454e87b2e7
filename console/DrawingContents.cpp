#include "console/DrawingContents.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbHatch.h"
#include "ZcDbMText.h"
#include "ZcDbText.h"
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

// A colour as the designer names it on the board dialog's palette.
std::string colourName(const ZcCmColor& colour)
{
    static const char* const kNames[] = {"czerwony", "żółty", "zielony", "cyjan", "niebieski", "magenta", "biały"};
    if (colour.isByLayer())
        return "wg warstwy";
    if (colour.isByBlock())
        return "wg bloku";
    if (colour.isByColor()) {
        char text[24];
        std::snprintf(text, sizeof text, "RGB %u,%u,%u", colour.red(), colour.green(), colour.blue());
        return text;
    }
    const int index = colour.colorIndex();
    return index >= 1 && index <= 7 ? kNames[index - 1] : "kolor " + std::to_string(index);
}

// A multi-line text's contents as it reads: the escapes an information
// board writes undone, its lines joined by " / ".
std::string plainText(const std::string& contents)
{
    std::string out;
    for (size_t i = 0; i < contents.size(); ++i) {
        if (contents[i] != '\\' || i + 1 == contents.size()) {
            out += contents[i];
            continue;
        }
        const char next = contents[++i];
        if (next == 'P')
            out += " / ";
        else
            out += next;
    }
    return out;
}

BlockFacts blockFacts(const ZcDbBlockTableRecord& block)
{
    BlockFacts facts;
    ZcDbExtents extents;
    int texts = 0, hatches = 0;
    std::string textColour;
    std::vector<std::string> hatchColours;
    for (const ZcDbObjectId id : block.entityIds()) {
        const Opened<ZcDbEntity> entity(id, ZcDb::kForRead);
        if (!entity)
            continue;
        if (const ZcDbMText* text = ZcDbMText::cast(entity.get())) {
            ++texts;
            facts.text = plainText(text->contents());
            textColour = colourName(text->color());
            continue;
        }
        // The board surrounds its texts: their extents, which would need
        // their fonts, add nothing.
        if (ZcDbText::cast(entity.get()))
            continue;
        if (ZcDbHatch::cast(entity.get())) {
            ++hatches;
            hatchColours.push_back(colourName(entity->color()));
        }
        ZcDbExtents own;
        if (entity->getGeomExtents(own) == Zcad::eOk && !own.isEmpty())
            extents.addExt(own);
    }
    if (!extents.isEmpty()) {
        facts.width = extents.maxPoint().x - extents.minPoint().x;
        facts.height = extents.maxPoint().y - extents.minPoint().y;
    }
    facts.infoBoard = block.name().starts_with("*") && texts == 1 && hatches > 0;
    if (!facts.infoBoard) {
        facts.text.clear();
        return facts;
    }
    facts.textColour = textColour;
    // The field, drawn last, has the board's colour; the stripe the text's.
    facts.boardColour = hatchColours.back();
    return facts;
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
            if (block)
                contents.blocks.emplace(name->second, blockFacts(*block.get()));
        }
        placed.block = name->second;
        placed.layer = reference->layer();
        placed.handle = handleText(id);
        placed.x = reference->position().x;
        placed.y = reference->position().y;
        for (const ZcDbObjectId attributeId : reference->attributeIds()) {
            const Opened<ZcDbAttribute> attribute(attributeId, ZcDb::kForRead);
            if (!attribute)
                continue;
            const auto [it, added] = placed.attributes.emplace(attribute->tag(), attribute->textString());
            if (!added && it->second != attribute->textString() &&
                std::find(placed.clashingTags.begin(), placed.clashingTags.end(), it->first) ==
                    placed.clashingTags.end())
                placed.clashingTags.push_back(it->first);
        }
        if (const auto group = groups.find(id.stub()); group != groups.end())
            placed.group = group->second;
        contents.references.push_back(std::move(placed));
    }
    delete iterator;
    return contents;
}
