#include "services/Blocks.h"

#include <memory>

#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbDatabase.h"
#include "ZcDbObjectPointer.h"
#include "ZcGeMatrix3d.h"
#include "services/DatabaseServices.h"
#include "zcut.h"

namespace {

constexpr const char* kAnonymousBlockName = "*U";

ZcDbDatabase* workingDatabase() { return zcdbHostApplicationServices()->workingDatabase(); }

// Adds the new record to the block table; the record is deleted when the
// table will not take it.
ZcDbBlockTableRecord* addBlock(ZcDbBlockTableRecord* record, ZcDb::OpenMode mode)
{
    ZcDbDatabase* db = workingDatabase();
    ZcDbBlockTable* table = nullptr;
    if (!db || db->getBlockTable(table, mode) != Zcad::eOk) {
        delete record;
        return nullptr;
    }
    ZcDbObjectPointer<ZcDbBlockTable> tablePointer;
    tablePointer.acquire(table);
    if ((!tablePointer->isWriteEnabled() && tablePointer->upgradeOpen() != Zcad::eOk) ||
        tablePointer->add(record) != Zcad::eOk) {
        delete record;
        return nullptr;
    }
    return record;
}

// The attribute of a reference for one definition of its block: the
// definition's properties and text, where the definition stands in the
// block, scaled by the reference's Y factor and turned with it.
ZcDbAttribute* attributeFor(const ZcDbAttributeDefinition& definition, const ZcGePoint3d& blockOrigin, double scaleY,
                            const ZcGeMatrix3d& placement)
{
    auto attribute = std::make_unique<ZcDbAttribute>();
    attribute->setPropertiesFrom(&definition);
    attribute->setInvisible(definition.isInvisible());
    attribute->setTextStyle(definition.textStyle());
    attribute->setWidthFactor(definition.widthFactor());
    attribute->setRotation(definition.rotation());
    attribute->setHorizontalMode(definition.horizontalMode());
    attribute->setVerticalMode(definition.verticalMode());
    const auto scaled = [&](const ZcGePoint3d& p) { return ZcGePoint3d::kOrigin + (p - blockOrigin) * scaleY; };
    attribute->setPosition(scaled(definition.position()));
    // A text aligned otherwise than left on its baseline stands at its
    // alignment point: it must move along, or the attribute lands elsewhere.
    attribute->setAlignmentPoint(scaled(definition.alignmentPoint()));
    attribute->setHeight(definition.height() * scaleY);
    attribute->transformBy(placement);
    attribute->setTag(definition.tag().c_str());
    attribute->setFieldLength(definition.fieldLength());
    attribute->setTextString(definition.textString().c_str());
    return attribute.release();
}

void appendAttributes(ZcDbBlockReference* reference, const ZcDbBlockTableRecord& block)
{
    if (!block.hasAttributeDefinitions())
        return;
    const ZcGeScale3d scale = reference->scaleFactors();
    const ZcGeMatrix3d placement =
        ZcGeMatrix3d::translation(reference->position().asVector()) *
        ZcGeMatrix3d::rotation(reference->rotation(), reference->normal(), ZcGePoint3d::kOrigin);
    for (const ZcDbObjectId id : block.entityIds()) {
        ZcDbObjectPointer<ZcDbAttributeDefinition> definition(id, ZcDb::kForRead);
        if (!definition || definition->isConstant())
            continue;
        ZcDbAttribute* attribute = attributeFor(*definition.object(), block.origin(), scale.sy, placement);
        // On the reference's layer, not the definition's: frozen with it.
        if (!reference->layerId().isNull())
            attribute->setLayer(reference->layerId());
        if (reference->appendAttribute(attribute) == Zcad::eOk)
            attribute->close();
        else
            delete attribute;
    }
}

}  // namespace

ZcDbBlockTableRecord* FindBlock(const char* name, ZcDb::OpenMode mode)
{
    ZcDbDatabase* db = workingDatabase();
    ZcDbBlockTable* table = nullptr;
    if (!name || !db || db->getBlockTable(table, mode) != Zcad::eOk)
        return nullptr;
    ZcDbBlockTableRecord* record = nullptr;
    if (table->has(name) && table->getAt(name, record, mode) != Zcad::eOk)
        record = nullptr;
    table->close();
    return record;
}

ZcDbBlockTableRecord* GetOrCreateBlock(const char* name, ZcDb::OpenMode mode)
{
    if (ZcDbBlockTableRecord* found = FindBlock(name, mode))
        return found;
    auto record = std::make_unique<ZcDbBlockTableRecord>();
    if (!name || record->setName(name) != Zcad::eOk) {
        zcutPrintf("\nNazwa bloku „%s” jest niedozwolona; blok nie powstał.", name ? name : "");
        return nullptr;
    }
    record->setOrigin(ZcGePoint3d::kOrigin);
    ZcDbBlockTableRecord* added = addBlock(record.release(), mode);
    if (!added)
        zcutPrintf("\nBlok „%s” nie został dodany do rysunku.", name);
    return added;
}

ZcDbBlockTableRecord* CreateAnonymousBlock(ZcDb::OpenMode mode)
{
    auto record = std::make_unique<ZcDbBlockTableRecord>();
    if (record->setName(kAnonymousBlockName) != Zcad::eOk)
        return nullptr;
    record->setOrigin(ZcGePoint3d::kOrigin);
    return addBlock(record.release(), mode);
}

Zcad::ErrorStatus ImportBlockFromTemplate(const std::string& name, const std::string& folder)
{
    if (ZcDbBlockTableRecord* existing = FindBlock(name.c_str(), ZcDb::kForRead)) {
        existing->close();
        return Zcad::eOk;
    }
    ZcDbDatabase* db = workingDatabase();
    if (!db)
        return Zcad::eNotInDatabase;
    if (name.empty()) {
        zcutPrintf("\nError reading a dwg-file.");
        return Zcad::eInvalidBlockName;
    }
    // A template that cannot be read defines nothing: an empty block under
    // the symbol's name would never be imported again in this drawing.
    ZcDbDatabase source(false, true);
    const std::string path = folder + name + ".dwg";
    if (Zcad::ErrorStatus es = source.readDwgFile(path.c_str(), 0x20, false, nullptr); es != Zcad::eOk) {
        zcutPrintf("\nError reading a dwg-file.");
        return es;
    }
    // The insertion names the new block's id: no need to look it up again.
    ZcDbObjectId blockId;
    if (Zcad::ErrorStatus es = db->insert(blockId, name.c_str(), &source, true); es != Zcad::eOk) {
        if (es == Zcad::eSelfReference)
            zcutPrintf("\nSzablon „%s” wstawia blok o własnej nazwie; blok odwołałby się do siebie.", path.c_str());
        zcutPrintf("\nError inserting a block.");
        return es;
    }
    return blockId.isNull() ? Zcad::eNullObjectId : Zcad::eOk;
}

ZcDbBlockReference* InsertBlockReference(const char* name, const ZcGePoint3d& point, const ZcGeScale3d& scale,
                                         double rotation)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    {
        ZcDbBlockTableRecord* record = FindBlock(name, ZcDb::kForRead);
        if (!record)
            return nullptr;
        block.acquire(record);
    }
    auto reference = std::make_unique<ZcDbBlockReference>();
    if (reference->setBlockTableRecord(block->objectId()) != Zcad::eOk || reference->setPosition(point) != Zcad::eOk ||
        reference->setScaleFactors(scale) != Zcad::eOk || reference->setRotation(rotation) != Zcad::eOk)
        return nullptr;
    if (!AppendToModelSpace(reference.get()))
        return nullptr;
    ZcDbBlockReference* inserted = reference.release();
    appendAttributes(inserted, *block.object());
    return inserted;
}

Zcad::ErrorStatus SetReferenceLayer(ZcDbBlockReference* reference, const std::string& layer)
{
    if (Zcad::ErrorStatus es = reference->setLayer(layer.c_str()); es != Zcad::eOk)
        return es;
    for (ZcDbObjectId id : reference->attributeIds()) {
        ZcDbObjectPointer<ZcDbAttribute> attribute(id, ZcDb::kForWrite);
        if (attribute)
            attribute->setLayer(reference->layerId());
    }
    return Zcad::eOk;
}

void SetAttributeTexts(ZcDbBlockReference* reference, const std::map<std::string, std::string>& values)
{
    for (ZcDbObjectId id : reference->attributeIds()) {
        ZcDbObjectPointer<ZcDbAttribute> attribute(id, ZcDb::kForWrite);
        if (!attribute)
            continue;
        if (auto value = values.find(attribute->tag()); value != values.end())
            attribute->setTextString(value->second.c_str());
    }
}

void EraseUnreferencedBlock(ZcDbObjectId blockId)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(blockId, ZcDb::kForWrite);
    if (!block)
        return;
    for (const ZcDbObjectId id : block->entityIds()) {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForWrite);
        if (entity)
            entity->erase();
    }
    block->erase();
}
